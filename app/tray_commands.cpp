// The main window's life in the notification area: the tray icon's clicks
// and menu, the commands of that menu, hiding into the tray and coming back
// out, and the help file.
#include "app/manager_dialog.h"

#include "catalogue/screensaver.h"
#include "catalogue/settings.h"
#include "pages/screensavers_dialog.h"
#include "resource.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

const char kMainWindowTitle[] = "Norvane";

} // namespace

LRESULT CManagerDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
  case ID_TRAY_OPEN_MANAGER: return ShowManager(), 0;
  case ID_TRAY_ALLOW: return SetScreensaverAllowed(true), 0;
  case ID_TRAY_FORBID: return SetScreensaverAllowed(false), 0;
  case ID_TRAY_ABOUT: return ShowAbout(), 0;
  case ID_TRAY_CLOSE: return Close(), 0;
  case IDC_HELPBTN: return OpenHelp(), 0;
  }
  return CDialog::WindowProc(WM_COMMAND, wParam, lParam);
}

// Other mouse events are left to the tray control.
LRESULT CManagerDialog::OnTrayNotification(WPARAM, LPARAM lParam) {
  switch (lParam) {
  case WM_LBUTTONDBLCLK: return ShowManager(), 1;
  case WM_RBUTTONUP: return ShowTrayMenu(), 1;
  }
  return 0;
}

void CheckAllowState(HMENU trayMenu, bool allowed) {
  CheckMenuItem(trayMenu, allowed ? ID_TRAY_ALLOW : ID_TRAY_FORBID, MF_BYCOMMAND | MF_CHECKED);
}

// While the window is parked in the tray control's hidden window it is not
// a top-level window; the menu needs one as its owner.
void CManagerDialog::ShowTrayMenu() {
  MenuHandle menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAYMENU)));
  HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
  if (!popup)
    return;
  CheckAllowState(popup, GetEnableExeScreensavers());
  POINT cursor;
  GetCursorPos(&cursor);
  SetForegroundWindow(m_hWnd);
  HWND owner = m_hWnd;
  while ((GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD) && GetParent(owner))
    owner = GetParent(owner);
  TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, owner, nullptr);
  // The shell's known quirk: unless a message reaches the owner after the
  // menu, a click elsewhere may not close it and the next one not open it.
  PostMessageA(owner, WM_NULL, 0, 0);
}

void CManagerDialog::SetScreensaverAllowed(bool allowed) {
  SetEnableExeScreensavers(allowed);
  SetScreenSaveActive(allowed);
  m_trayIcon.SetIcon(allowed ? IDR_MAINFRAME : IDI_FORBIDDEN);
}

void CManagerDialog::ShowAbout() {
  SendMessageA(m_tab, TCM_SETCURSEL, 3, 0);
  ShowPage(3);
  ShowManager();
}

// The WM_CLOSE arrives as Cancel, which ends the dialog once the flag is set.
void CManagerDialog::Close() {
  m_bExitRequested = true;
  PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
}

// A top-level window with the main window's title means the main window is
// already out of the tray: while parked there it is a child window. (A
// message box of this program carries the same title and has the same
// effect.)
void CManagerDialog::ShowManager() {
  ShowWindow(m_hWnd, SW_RESTORE);
  SetForegroundWindow(m_hWnd);
  CenterWindow();
  if (FindWindowA(nullptr, kMainWindowTitle))
    return;
  m_trayIcon.RestoreFromTray(m_hWnd);
  if (SettingsPage())
    SettingsPage()->ResumePreview();
}

// Also used while the dialog initialises, before the framework would show
// it: it must then stay unseen.
void CManagerDialog::HideManager() {
  if (SettingsPage())
    SettingsPage()->StopPreview();
  m_bShowAfterInit = false;
  ShowWindow(m_hWnd, SW_HIDE);
  m_trayIcon.MinimizeToTray(m_hWnd);
}

std::string HelpFilePath(const std::string& installDir) {
  std::string path = installDir;
  RemoveTrailingBackslashes(path);
  return path + "\\Help\\NorvaneHelp.chm";
}

// Failure is silent: no help file, no message.
void CManagerDialog::OpenHelp() {
  ShellExecuteA(nullptr, "open", HelpFilePath(GetInstallDir()).c_str(), nullptr, nullptr,
                SW_SHOWNORMAL);
}

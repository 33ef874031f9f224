// The tray icon's record and its exchanges with the shell: adding, removing
// and updating the icon, the mouse callbacks, and re-adding the icon when
// the taskbar comes back.
#include "controls/tray_icon.h"

#include "controls/toolkit_resources.h"
#include "framework/dpi.h"

#include <cstring>

namespace {

// Explorer broadcasts this when it (re)creates the taskbar, which then has
// forgotten every icon.
const UINT kTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");

} // namespace

CTrayIcon::CTrayIcon() {
  memset(&m_nid, 0, sizeof m_nid);
  // The first layout of the record is the one every shell version accepts.
  m_nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
}

CTrayIcon::~CTrayIcon() {
  RemoveIcon();
  DestroyWindow();
  RemoveAllFrames();
}

BOOL CTrayIcon::Create(const std::string& tooltip, HWND target, UINT iconResourceId, UINT iconId,
                       UINT defaultMenuItem, bool defaultByPos) {
  m_nIconID = iconResourceId;
  m_strTooltip = tooltip;
  m_hTargetWnd = target;
  m_nTipMax = 64;
  SetIcon(m_nIconID);
  SetTooltipText(m_strTooltip);
  CreateEx(0, RegisterWndClass(0), "", WS_POPUP, RECT{}, nullptr, 0);
  m_nid.hWnd = m_hWnd;
  m_nid.uID = iconId;
  m_bDefaultByPos = defaultByPos;
  m_uDefaultMenuItem = defaultMenuItem;
  return AddIcon();
}

BOOL CTrayIcon::AddIcon() {
  if (!m_bRemoved)
    RemoveIcon();
  m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  if (!NotifyShell(NIM_ADD, &m_nid)) {
    m_bAddFailed = true;
    return FALSE;
  }
  m_bHidden = m_bRemoved = false;
  return TRUE;
}

BOOL CTrayIcon::RemoveIcon() {
  m_bAddFailed = false;
  if (m_bRemoved)
    return TRUE;
  m_nid.uFlags = 0;
  if (!NotifyShell(NIM_DELETE, &m_nid))
    return FALSE;
  m_bHidden = m_bRemoved = true;
  return TRUE;
}

BOOL CTrayIcon::SetIcon(HICON icon) {
  if (icon == m_nid.hIcon)
    return TRUE;
  m_nid.hIcon = icon;
  m_nid.uFlags = NIF_ICON;
  return m_bHidden ? TRUE : NotifyShell(NIM_MODIFY, &m_nid);
}

BOOL CTrayIcon::SetIcon(UINT resourceId) {
  m_icon.reset(LoadSmallIcon(resourceId));
  return SetIcon(m_icon.get());
}

HICON CTrayIcon::LoadSmallIcon(UINT resourceId) {
  const ToolkitResources& resources = GetToolkitResources();
  return LoadIconOfSize(LOWORD(resourceId), resources.cxSmIcon, resources.cySmIcon);
}

// The copy is cut to fit and zero-filled, so no tail of a longer earlier
// tip survives; the buffer's last byte always stays the terminator.
BOOL CTrayIcon::SetTooltipText(const std::string& text) {
  m_nid.uFlags = NIF_TIP;
  strncpy(m_nid.szTip, text.c_str(), m_nTipMax - 1);
  return m_bHidden ? TRUE : NotifyShell(NIM_MODIFY, &m_nid);
}

BOOL CTrayIcon::NotifyShell(DWORD message, NOTIFYICONDATAA* data) {
  return Shell_NotifyIconA(message, data);
}

LRESULT CTrayIcon::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == m_nid.uCallbackMessage)
    return OnTrayNotification(wParam, lParam);
  if (msg == kTaskbarCreated)
    return OnTaskbarCreated();
  switch (msg) {
  case WM_TIMER: return OnTimer(wParam), 0;
  case WM_SETTINGCHANGE: return OnSettingChange(wParam);
  }
  return Default();
}

LRESULT CTrayIcon::OnTrayNotification(WPARAM wParam, LPARAM lParam) {
  if (wParam != m_nid.uID || !m_hTargetWnd)
    return 0;
  if (SendMessageA(m_hTargetWnd, m_nid.uCallbackMessage, wParam, lParam))
    return 1;
  switch (LOWORD(lParam)) {
  case WM_RBUTTONUP: return ShowMenu();
  case WM_LBUTTONDBLCLK: return SendDefaultCommand();
  }
  return 1;
}

// The first popup of the menu resource that shares the icon's id.
HMENU CTrayIcon::LoadTrayMenu(MenuHandle* menu) const {
  menu->reset(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nid.uID)));
  return *menu ? GetSubMenu(menu->get(), 0) : nullptr;
}

// The target must be in the foreground, or the menu would not close when
// the user clicks elsewhere; the posted WM_NULL lets a second click on the
// icon open it again.
LRESULT CTrayIcon::ShowMenu() {
  MenuHandle menu;
  HMENU popup = LoadTrayMenu(&menu);
  if (!popup)
    return 0;
  SetMenuDefaultItem(popup, m_uDefaultMenuItem, m_bDefaultByPos);
  POINT cursor;
  GetCursorPos(&cursor);
  SetForegroundWindow(m_hTargetWnd);
  TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, m_hTargetWnd, nullptr);
  PostMessageA(m_hTargetWnd, WM_NULL, 0, 0);
  return 1;
}

// A position with no command behind it (a submenu, or past the end) sends
// nothing.
LRESULT CTrayIcon::SendDefaultCommand() {
  SetForegroundWindow(m_hTargetWnd);
  UINT command = m_uDefaultMenuItem;
  if (m_bDefaultByPos) {
    MenuHandle menu;
    HMENU popup = LoadTrayMenu(&menu);
    if (!popup)
      return 0;
    command = GetMenuItemID(popup, m_uDefaultMenuItem);
    if (command == static_cast<UINT>(-1))
      return 0;
  }
  SendMessageA(m_hTargetWnd, WM_COMMAND, command, 0);
  return 1;
}

LRESULT CTrayIcon::OnTaskbarCreated() {
  ReinstallIcon();
  return 0;
}

LRESULT CTrayIcon::OnSettingChange(WPARAM action) {
  LRESULT result = Default();
  if (action == SPI_SETWORKAREA)
    ReinstallIcon();
  return result;
}

// An icon removed on purpose stays away; one that is shown, or whose add the
// shell refused, must be there again, with its image, tip and callback. A
// work-area change usually leaves the taskbar and the icon in place, and the
// shell then refuses the add: refreshing the icon is enough.
void CTrayIcon::ReinstallIcon() {
  if (m_bHidden && !m_bAddFailed)
    return;
  m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  bool shown = NotifyShell(NIM_ADD, &m_nid) || NotifyShell(NIM_MODIFY, &m_nid);
  m_bAddFailed = !shown;
  m_bHidden = !shown;
  if (shown)
    m_bRemoved = false;
}

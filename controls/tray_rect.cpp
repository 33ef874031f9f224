// Where the notification area is on the screen, and hiding windows into it:
// the animation between a window and the area and the removal of the
// window's taskbar button.
#include "controls/tray_icon.h"

#include <cstring>

namespace {

HWND FindShellTaskbar() { return FindWindowA("Shell_TrayWnd", nullptr); }
BOOL AskShellTaskbarPos(APPBARDATA* data) { return SHAppBarMessage(ABM_GETTASKBARPOS, data) != 0; }
BOOL ReadWorkArea(RECT* area) { return SystemParametersInfoA(SPI_GETWORKAREA, 0, area, 0); }

const TrayRectSources kShellSources = {&FindShellTaskbar, &AskShellTaskbarPos, &ReadWorkArea};

} // namespace

BOOL CTrayIcon::GetTrayRect(RECT* rect) { return GetTrayRectFrom(kShellSources, rect); }

// Without a taskbar window the area is guessed: near the end of the
// taskbar the shell reports, or else at the corner of the work area.
BOOL GetTrayRectFrom(const TrayRectSources& sources, RECT* rect) {
  if (HWND taskbar = sources.findTaskbar()) {
    GetWindowRect(taskbar, rect);
    EnumChildWindows(taskbar, &FindTrayWndProc, reinterpret_cast<LPARAM>(rect));
    return TRUE;
  }
  APPBARDATA data = {sizeof data};
  if (sources.getTaskbarPos(&data)) {
    const RECT& bar = data.rc;
    switch (data.uEdge) {
    case ABE_LEFT:
    case ABE_RIGHT: *rect = {bar.left, bar.bottom - 100, bar.right, bar.bottom - 16}; break;
    case ABE_TOP:
    case ABE_BOTTOM: *rect = {bar.right - 100, bar.top, bar.right - 16, bar.bottom}; break;
    }
    return TRUE;
  }
  RECT area;
  if (!sources.getWorkArea(&area))
    return FALSE;
  *rect = {area.right - 150, area.bottom - 30, area.right, area.bottom};
  return TRUE;
}

// On a tall taskbar the clock sits above the icons; otherwise it is at the
// right end of the area.
BOOL CALLBACK FindTrayWndProc(HWND wnd, LPARAM lParam) {
  auto* rect = reinterpret_cast<RECT*>(lParam);
  char name[256] = {};
  GetClassNameA(wnd, name, sizeof name);
  if (strcmp(name, "TrayNotifyWnd") == 0) {
    GetWindowRect(wnd, rect);
    return TRUE;
  }
  if (strcmp(name, "TrayClockWClass") != 0)
    return TRUE;
  RECT clock;
  GetWindowRect(wnd, &clock);
  if (clock.bottom < rect->bottom - 5)
    rect->top = clock.bottom;
  else
    rect->right = clock.left;
  return FALSE;
}

bool CTrayIcon::IsAnimationEnabled() {
  ANIMATIONINFO info = {sizeof info, 0};
  SystemParametersInfoA(SPI_GETANIMATION, sizeof info, &info, 0);
  return info.iMinAnimate != 0;
}

// A window whose parent is invisible is not on the screen and has no
// taskbar button.
BOOL CTrayIcon::RemoveTaskbarButton(HWND wnd) {
  if (!m_wndHidden.m_hWnd &&
      !m_wndHidden.CreateEx(0, RegisterWndClass(0), "", WS_POPUP, RECT{}, nullptr, 0))
    return FALSE;
  SetParent(wnd, m_wndHidden);
  return TRUE;
}

// Without a tray rectangle there is nothing to animate towards.
void CTrayIcon::MinimizeToTray(HWND wnd) {
  RECT from, to;
  if (IsAnimationEnabled() && GetTrayRect(&to)) {
    GetWindowRect(wnd, &from);
    DrawAnimatedRects(wnd, IDANI_CAPTION, &from, &to);
  }
  RemoveTaskbarButton(wnd);
  ShowWindow(wnd, SW_HIDE);
}

void CTrayIcon::RestoreFromTray(HWND wnd) {
  RECT from, to;
  GetWindowRect(wnd, &to);
  bool animate = IsAnimationEnabled() && GetTrayRect(&from);
  SetParent(wnd, nullptr);
  if (animate)
    DrawAnimatedRects(wnd, IDANI_CAPTION, &from, &to);
  ShowWindow(wnd, SW_RESTORE);
  RedrawWindow(wnd, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  if (m_wndHidden.m_hWnd)
    SetActiveWindow(m_wndHidden);
  SetActiveWindow(wnd);
  SetForegroundWindow(wnd);
}

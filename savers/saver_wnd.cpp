// The sample screensavers' window: a timer advances the scene and each frame
// is painted off-screen first so that nothing flickers.
#include "savers/saver_wnd.h"

#include "framework/offscreen_paint.h"

#include <cstdlib>

namespace {

const UINT_PTR kFrameTimer = 1;
const UINT kFrameMs = 33;
// Mouse jitter below this many pixels does not end a full-screen run.
const int kMouseSlack = 4;

} // namespace

BOOL CSaverWnd::CreatePreview(HWND host) {
  RECT area;
  if (!IsWindow(host) || !GetClientRect(host, &area))
    return FALSE;
  return CreateEx(0, RegisterWndClass(0), "Preview", WS_CHILD | WS_VISIBLE, area, host, 0);
}

BOOL CSaverWnd::CreateFullScreen() {
  m_bFullScreen = true;
  int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  RECT area = {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN),
               y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  ShowCursor(FALSE);
  return CreateEx(WS_EX_TOPMOST, RegisterWndClass(0), "Screensaver", WS_POPUP | WS_VISIBLE, area,
                  nullptr, 0);
}

LRESULT CSaverWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_CREATE: return OnCreate();
  case WM_TIMER: return OnTimer();
  case WM_PAINT: return OnPaint();
  case WM_ERASEBKGND: return TRUE;
  case WM_KEYDOWN: return m_bFullScreen ? OnInput() : Default();
  case WM_LBUTTONDOWN: return m_bFullScreen ? OnInput() : Default();
  case WM_RBUTTONDOWN: return m_bFullScreen ? OnInput() : Default();
  case WM_MBUTTONDOWN: return m_bFullScreen ? OnInput() : Default();
  case WM_MOUSEMOVE: return m_bFullScreen ? OnMouseMove(lParam) : Default();
  case WM_DESTROY: return OnDestroy();
  }
  return CWnd::WindowProc(msg, wParam, lParam);
}

LRESULT CSaverWnd::OnCreate() {
  SetTimer(m_hWnd, kFrameTimer, kFrameMs, nullptr);
  return 0;
}

LRESULT CSaverWnd::OnTimer() {
  m_scene->Step();
  InvalidateRect(m_hWnd, nullptr, FALSE);
  return 0;
}

LRESULT CSaverWnd::OnPaint() {
  COffscreenPaint paint(m_hWnd);
  m_scene->Draw(paint.Dc(), paint.Area());
  return 0;
}

LRESULT CSaverWnd::OnInput() {
  DestroyWindow();
  return 0;
}

// Showing the window makes the system send one move without any movement;
// only a real move away from where the mouse first was ends the run.
LRESULT CSaverWnd::OnMouseMove(LPARAM lParam) {
  POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (m_ptFirstMouse.x < 0 && m_ptFirstMouse.y < 0) {
    m_ptFirstMouse = at;
    return 0;
  }
  if (abs(at.x - m_ptFirstMouse.x) > kMouseSlack || abs(at.y - m_ptFirstMouse.y) > kMouseSlack)
    DestroyWindow();
  return 0;
}

LRESULT CSaverWnd::OnDestroy() {
  KillTimer(m_hWnd, kFrameTimer);
  PostQuitMessage(0);
  return 0;
}

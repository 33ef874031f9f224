// The preview window and the life of its screensaver process.
#include "pages/preview_wnd.h"

#include "framework/app.h"
#include "pages/screensaver_process.h"

#include <cstdio>

namespace {

const DWORD kStopTimeoutMs = 1000;

} // namespace

CPreviewWnd::~CPreviewWnd() { DestroyWindow(); }

BOOL CPreviewWnd::Create(const std::string& path, HWND host) {
  RECT area;
  GetClientRect(host, &area);
  const char* className = RegisterWndClass(CS_HREDRAW | CS_VREDRAW, nullptr,
                                           static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (!CreateEx(0, className, AfxGetApp()->AppName().c_str(), WS_CHILD | WS_VISIBLE, area, host, 0))
    return FALSE;
  // The screensaver draws into a child of the host, not of this window.
  char switches[32];
  snprintf(switches, sizeof switches, "/p %d", static_cast<int>(reinterpret_cast<INT_PTR>(host)));
  m_processInfo = LaunchScreensaver(path, switches);
  m_process.reset(m_processInfo.hProcess);
  m_thread.reset(m_processInfo.hThread);
  return TRUE;
}

LRESULT CPreviewWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_DESTROY: return OnDestroy();
  }
  return CWnd::WindowProc(msg, wParam, lParam);
}

LRESULT CPreviewWnd::OnDestroy() {
  StopScreensaverProcess(m_processInfo.dwProcessId, kStopTimeoutMs);
  m_process.reset();
  m_thread.reset();
  return Default();
}

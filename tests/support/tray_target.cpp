// The recording tray icon and the test target window.
#include "tests/support/tray_target.h"

BOOL RecordingTrayIcon::NotifyShell(DWORD message, NOTIFYICONDATAA* data) {
  calls.push_back({message, data->uFlags, data->hIcon, data->szTip});
  return refuse ? FALSE : CTrayIcon::NotifyShell(message, data);
}

namespace {

const char kTargetClass[] = "NorvaneTrayTestTarget";

} // namespace

TrayTarget::TrayTarget() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &TrayTarget::WndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kTargetClass;
  RegisterClassA(&wc);
  hwnd = CreateWindowExA(0, kTargetClass, "tray target", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleA(nullptr), this);
}

TrayTarget::~TrayTarget() { DestroyWindow(hwnd); }

void TrayTarget::PumpMessages(DWORD forMs) {
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (forMs)
      Sleep(5);
  } while (GetTickCount() - start < forMs);
}

LRESULT CALLBACK TrayTarget::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrA(
        wnd, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<TrayTarget*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (!self)
    return DefWindowProcA(wnd, msg, wParam, lParam);
  switch (msg) {
  case WM_TRAY_NOTIFY:
    self->notifications.push_back(MSG{wnd, msg, wParam, lParam});
    return self->answer;
  case WM_COMMAND: self->commands.push_back(wParam); return 0;
  case WM_INITMENUPOPUP:
    self->menuDefaults.push_back(GetMenuDefaultItem(reinterpret_cast<HMENU>(wParam), FALSE, 0));
    PostMessageA(wnd, WM_CANCELMODE, 0, 0);
    return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

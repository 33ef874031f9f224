// Display-scale queries and the re-layout of controls, with the functions
// of newer systems looked up at run time: the program runs from Windows 7.
#include "framework/dpi.h"

#include <commctrl.h>

namespace {

template <typename Function>
Function Lookup(const char* module, const char* name) {
  HMODULE handle = GetModuleHandleA(module);
  if (!handle)
    handle = LoadLibraryA(module);
  FARPROC proc = handle ? GetProcAddress(handle, name) : nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(proc));
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen)
    ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : static_cast<int>(kDefaultDpi);
}

} // namespace

UINT SystemDpi() {
  static const auto getDpiForSystem = Lookup<UINT(WINAPI*)()>("user32.dll", "GetDpiForSystem");
  return getDpiForSystem ? getDpiForSystem() : static_cast<UINT>(ScreenDpi());
}

UINT WindowDpi(HWND hwnd) {
  static const auto getDpiForWindow = Lookup<UINT(WINAPI*)(HWND)>("user32.dll", "GetDpiForWindow");
  UINT dpi = getDpiForWindow && hwnd ? getDpiForWindow(hwnd) : 0;
  return dpi ? dpi : SystemDpi();
}

int MetricForDpi(int index, UINT dpi) {
  static const auto getMetricForDpi =
      Lookup<int(WINAPI*)(int, UINT)>("user32.dll", "GetSystemMetricsForDpi");
  if (getMetricForDpi)
    return getMetricForDpi(index, dpi);
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

HICON LoadIconOfSize(UINT resourceId, int cx, int cy) {
  static const auto loadIconWithScaleDown =
      Lookup<HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*)>("comctl32.dll",
                                                                    "LoadIconWithScaleDown");
  HINSTANCE module = GetModuleHandleA(nullptr);
  HICON icon = nullptr;
  if (loadIconWithScaleDown &&
      SUCCEEDED(loadIconWithScaleDown(module, MAKEINTRESOURCEW(resourceId), cx, cy, &icon)))
    return icon;
  return static_cast<HICON>(
      LoadImageA(module, MAKEINTRESOURCEA(resourceId), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
}

void DisableSystemDialogScaling(HWND dialog) {
  // DDC_DISABLE_ALL: neither the window's size nor its controls' layout and
  // fonts are changed by the system on a scale change.
  static const auto setBehavior =
      Lookup<BOOL(WINAPI*)(HWND, int, int)>("user32.dll", "SetDialogDpiChangeBehavior");
  if (setBehavior)
    setBehavior(dialog, 1, 1);
}

// Positions are scaled from the parent's corner, so that controls that
// touched keep touching; a control of another process (a screensaver's
// preview) is left to its owner.
void RescaleChildren(HWND parent, UINT fromDpi, UINT toDpi, HFONT font) {
  DWORD ourProcess = GetCurrentProcessId();
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(child, &owner);
    if (owner != ourProcess)
      continue;
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    int left = MulDiv(rect.left, toDpi, fromDpi), top = MulDiv(rect.top, toDpi, fromDpi);
    int right = MulDiv(rect.right, toDpi, fromDpi), bottom = MulDiv(rect.bottom, toDpi, fromDpi);
    SetWindowPos(child, nullptr, left, top, right - left, bottom - top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (GetWindowLongPtrA(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)
      RescaleChildren(child, fromDpi, toDpi, font);
  }
}

// Looking for an icon among the pixels of the taskbar's right end.
#include "tests/support/tray.h"

#include "framework/handle.h"
#include "tests/support/process.h"

#include <shellapi.h>

#include <string>

namespace {

const int kSearchWidth = 120;

bool ContainsBlock(const std::string& area, int areaWidth, int areaHeight, const std::string& block,
                   int size) {
  for (int top = 0; top + size <= areaHeight; ++top)
    for (int left = 0; left + size <= areaWidth; ++left) {
      bool same = true;
      for (int row = 0; same && row < size; ++row)
        same = area.compare(((top + row) * areaWidth + left) * 4, size * 4, block, row * size * 4,
                            size * 4) == 0;
      if (same)
        return true;
    }
  return false;
}

} // namespace

HICON LoadSmallResourceIcon(UINT id) {
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                       0));
}

bool TrayShowsIcon(HICON icon) {
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  RECT bar;
  if (!taskbar || !IsWindowVisible(taskbar) || !GetWindowRect(taskbar, &bar))
    return false;
  int width = kSearchWidth, height = bar.bottom - bar.top;
  int size = GetSystemMetrics(SM_CXSMICON);
  if (height < size || bar.right - bar.left < width)
    return false;
  HDC screen = GetDC(nullptr);
  std::string area = CapturePixels(screen, bar.right - width, bar.top, width, height);
  // The top right corner of the taskbar is the background the icons sit on.
  COLORREF background = GetPixel(screen, bar.right - 1, bar.top);
  std::string block = RenderIcon(screen, icon, background, size, size);
  ReleaseDC(nullptr, screen);
  return ContainsBlock(area, width, height, block, size);
}

bool ShellKnowsIcon(HWND wnd, UINT id) {
  NOTIFYICONDATAA data = {};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = wnd;
  data.uID = id;
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

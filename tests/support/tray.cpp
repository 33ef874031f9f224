// Looking for an icon among the pixels of the taskbar's right end.
#include "tests/support/tray.h"

#include "framework/handle.h"
#include "tests/support/process.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

const int kSearchWidth = 120;

// Whether the area holds the icon's opaque pixels somewhere. Only those
// count: the shell may blend the edges of a changed icon over the old one.
bool ContainsIcon(const std::string& area, int areaWidth, int areaHeight,
                  const std::string& onBlack, const std::string& onWhite, int size) {
  std::vector<int> opaque;
  for (int i = 0; i < size * size; ++i)
    if (onBlack.compare(i * 4, 4, onWhite, i * 4, 4) == 0)
      opaque.push_back(i);
  for (int top = 0; top + size <= areaHeight; ++top)
    for (int left = 0; left + size <= areaWidth; ++left) {
      bool same = true;
      for (size_t k = 0; same && k < opaque.size(); ++k) {
        int row = opaque[k] / size, column = opaque[k] % size;
        same = area.compare(((top + row) * areaWidth + left + column) * 4, 4, onBlack,
                            opaque[k] * 4, 4) == 0;
      }
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
  std::string onBlack = RenderIcon(screen, icon, RGB(0, 0, 0), size, size);
  std::string onWhite = RenderIcon(screen, icon, RGB(255, 255, 255), size, size);
  ReleaseDC(nullptr, screen);
  return ContainsIcon(area, width, height, onBlack, onWhite, size);
}

bool ShellKnowsIcon(HWND wnd, UINT id) {
  NOTIFYICONDATAA data = {};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = wnd;
  data.uID = id;
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// The monitor picture for each display scale.
#include "pages/monitor_picture.h"

#include "framework/dpi.h"
#include "framework/handle.h"
#include "resource.h"

namespace {

struct DrawnPicture {
  UINT dpi;
  UINT resourceId;
};

// Smallest first.
const DrawnPicture kDrawn[] = {{96, IDB_MONITOR},
                               {120, IDB_MONITOR_120},
                               {144, IDB_MONITOR_144},
                               {168, IDB_MONITOR_168},
                               {192, IDB_MONITOR_192}};

HBITMAP LoadPicture(UINT resourceId) {
  return static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, 0));
}

// Scaled down from a larger drawing where there is one: a picture that is
// made smaller stays sharper than one made larger.
HBITMAP ScalePicture(const DrawnPicture& from, UINT dpi) {
  BitmapHandle source(LoadPicture(from.resourceId));
  HDC screen = GetDC(nullptr);
  if (!source || !screen) {
    if (screen)
      ReleaseDC(nullptr, screen);
    return nullptr;
  }
  SIZE size = MonitorPictureSize(dpi), drawn = MonitorPictureSize(from.dpi);
  BitmapHandle target(CreateCompatibleBitmap(screen, size.cx, size.cy));
  MemoryDc sourceDc(CreateCompatibleDC(screen)), targetDc(CreateCompatibleDC(screen));
  ReleaseDC(nullptr, screen);
  if (!target || !sourceDc || !targetDc)
    return nullptr;
  HGDIOBJ oldSource = SelectObject(sourceDc.get(), source.get());
  HGDIOBJ oldTarget = SelectObject(targetDc.get(), target.get());
  SetStretchBltMode(targetDc.get(), HALFTONE);
  SetBrushOrgEx(targetDc.get(), 0, 0, nullptr);
  StretchBlt(targetDc.get(), 0, 0, size.cx, size.cy, sourceDc.get(), 0, 0, drawn.cx, drawn.cy,
             SRCCOPY);
  RECT screenRect = MonitorScreenRect(dpi);
  FillRect(targetDc.get(), &screenRect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(sourceDc.get(), oldSource);
  SelectObject(targetDc.get(), oldTarget);
  return target.release();
}

} // namespace

SIZE MonitorPictureSize(UINT dpi) {
  return {ScaleForDpi(MONITOR_PICTURE_WIDTH, dpi), ScaleForDpi(MONITOR_PICTURE_HEIGHT, dpi)};
}

RECT MonitorScreenRect(UINT dpi) {
  int left = ScaleForDpi(MONITOR_SCREEN_LEFT, dpi), top = ScaleForDpi(MONITOR_SCREEN_TOP, dpi);
  return {left, top, left + ScaleForDpi(MONITOR_SCREEN_WIDTH, dpi),
          top + ScaleForDpi(MONITOR_SCREEN_HEIGHT, dpi)};
}

HBITMAP MakeMonitorPicture(UINT dpi) {
  for (const DrawnPicture& drawn : kDrawn)
    if (drawn.dpi == dpi)
      return LoadPicture(drawn.resourceId);
  for (const DrawnPicture& drawn : kDrawn)
    if (drawn.dpi > dpi)
      return ScalePicture(drawn, dpi);
  return ScalePicture(kDrawn[sizeof kDrawn / sizeof kDrawn[0] - 1], dpi);
}

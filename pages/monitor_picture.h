// The Screensaver Settings page's picture of a monitor at a display scale,
// and where on it the black screen lies, which the live preview covers.
#pragma once

#include <windows.h>

// The picture's size at that scale: 177 x 159 at 96 DPI.
SIZE MonitorPictureSize(UINT dpi);
// The black screen inside the picture: 152 x 112 at (11, 15) at 96 DPI.
RECT MonitorScreenRect(UINT dpi);
// The picture drawn for that scale where the program carries one (100, 125,
// 150, 175 and 200 %), otherwise the next larger one smoothly scaled, with
// its screen made black again at exactly MonitorScreenRect. Null on failure.
HBITMAP MakeMonitorPicture(UINT dpi);

// The control toolkit's process-wide resources: colours, fonts, cursors,
// metrics and menu options that every control shares. They are made on
// first use and live until the process ends, so no control ever frees them.
#pragma once

#include "framework/handle.h"

struct ToolkitResources {
  COLORREF crFace = 0;
  // The user-interface font, derived from the menu font, plain and
  // underlined, at the system's scale.
  FontHandle hFont;
  FontHandle hUnderlineFont;
  // Cursor resource IDC_HAND_CURSOR of the program; null when it has none.
  HCURSOR hHandCursor = nullptr;
  int cxSmIcon = 16;
  int cySmIcon = 16;
  // Menus drawn by CCoolMenu show the images given for their commands.
  bool bMenuImages = false;
  // Check marks and images share one column, so menus stay narrow.
  bool bMenuCheckOrImage = false;
};

// The shared resources; the first call checks the common controls and ends
// the process when they are too old.
ToolkitResources& GetToolkitResources();
// The user-interface font at a display scale: hFont or hUnderlineFont at
// the system's, the same font resized for a window on a monitor of another.
HFONT GetToolkitFont(UINT dpi, bool underline);

// The version that comctl32's DllGetVersion reports, major in the high word
// and minor in the low word; 0 when the library has no DllGetVersion.
DWORD GetCommonControlsVersion(HMODULE comctl32);
// Whether the toolkit runs on common controls of that version (4.72 or later).
bool IsCommonControlsVersionSupported(DWORD version);

// What the taskbar's notification area shows, read from the screen: icon
// handles of other processes cannot be compared, but their pixels can.
#pragma once

#include <windows.h>

// An icon of the test program's resources at the small-icon size.
HICON LoadSmallResourceIcon(UINT id);
// Whether the notification area shows this icon, drawn at small-icon size.
bool TrayShowsIcon(HICON icon);
// Whether the shell holds an icon for this window and id (an update of a
// missing icon fails).
bool ShellKnowsIcon(HWND wnd, UINT id);

// The display scale of a window and what depends on it: system metrics,
// icons and the re-layout of a window's controls when it moves to a
// monitor of another scale. The per-monitor functions came with Windows 10
// (1607 for most of them) and are looked up at run time; on older systems
// every window has the system's scale.
#pragma once

#include <windows.h>

// 96 DPI is 100 %.
const UINT kDefaultDpi = 96;

// The scale Windows gives the window: its monitor's for a per-monitor-aware
// program, the system's otherwise.
UINT WindowDpi(HWND hwnd);
// The system's scale, which also applies to the notification area.
UINT SystemDpi();
// A length in 96-DPI pixels at another scale, rounded as MulDiv rounds.
inline int ScaleForDpi(int length, UINT dpi) { return MulDiv(length, dpi, kDefaultDpi); }
// GetSystemMetrics at that scale.
int MetricForDpi(int index, UINT dpi);
// An icon resource of this program at exactly cx x cy pixels, made from the
// best of its images (scaled down from a larger one rather than up from a
// smaller one where the system can).
HICON LoadIconOfSize(UINT resourceId, int cx, int cy);

// Moves and sizes every control inside the window, down through the control
// parents (pages, tab control), from one scale to the other, and gives them
// the font. The system's own re-layout of dialogs, where it has one, is left
// off for this window (DisableSystemDialogScaling), so that the layout is
// the same everywhere.
void RescaleChildren(HWND parent, UINT fromDpi, UINT toDpi, HFONT font);
void DisableSystemDialogScaling(HWND dialog);

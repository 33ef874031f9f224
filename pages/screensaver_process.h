// Starting screensaver programs with their standard switches and stopping
// the one that draws the preview.
#pragma once

#include <windows.h>

#include <string>

// Starts "<path>" quoted, a blank and the switches. The process
// information is all zero when the start failed; the caller owns the
// handles.
PROCESS_INFORMATION LaunchScreensaver(const std::string& path, const std::string& switches);
// Starts a screensaver that nobody watches: its handles are closed at once.
void LaunchDetachedScreensaver(const std::string& path, const std::string& switches);

// Asks the process's top-level windows to close, then ends the process and
// waits up to timeoutMs for it to be gone. FALSE when the process cannot be
// opened (it has ended, or it never started).
BOOL StopScreensaverProcess(DWORD processId, DWORD timeoutMs);
// EnumWindows callback: posts WM_CLOSE to the window when it belongs to the
// process whose id is in lParam. Never stops the enumeration.
BOOL CALLBACK CloseProcessWindow(HWND hwnd, LPARAM lParam);

// Running the chosen screensaver in the proxy's place, and opening the
// manager when Windows asks the proxy for its settings.
#pragma once

#include <windows.h>

#include <string>

// Starts "<path>" with the proxy's own arguments and waits for it to end.
// The screensaver lives no longer than the proxy: when Windows ends the
// proxy of a preview, the screensaver it started stops drawing too. Returns
// the screensaver's exit code, or 1 when it could not be started.
DWORD RunScreensaver(const std::string& path, const std::string& arguments);

// Starts Norvane.exe from the installation folder, where the user chooses
// the screensavers; says so in a message box owned by `owner` when it
// cannot be started.
void OpenManager(HWND owner);

// Running the chosen screensaver in the proxy's place, and opening the
// manager when Windows asks the proxy for its settings.
#pragma once

#include "catalogue/screensaver.h"

#include <windows.h>

#include <string>

// Starts "<path>" with the proxy's own arguments and waits for it to end;
// false at once when it cannot be started. The screensaver lives no longer
// than the proxy: when Windows ends the proxy of a preview, the screensaver
// it started stops drawing too.
bool RunScreensaver(const std::string& path, const std::string& arguments);

// Runs one of the screensavers, picked at random. One that cannot be started
// (a file removed or damaged since the user checked it) is left out and the
// pick made again among the others, so each of those stays as likely.
void RunOneOf(CStringArray paths, const std::string& arguments);

// Starts Norvane.exe from the installation folder, where the user chooses
// the screensavers; says so in a message box owned by `owner` when it
// cannot be started.
void OpenManager(HWND owner);

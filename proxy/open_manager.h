// Opening the manager when Windows asks the proxy for its settings.
#pragma once

#include <windows.h>

// Brings the running Norvane's main window up, as its tray's Open Manager
// does; only when none runs, starts Norvane.exe from the installation
// folder. Says so in a message box owned by `owner` when it cannot be
// started.
void OpenManager(HWND owner);

// The program's settings and the desktop's screensaver values: the one place
// that knows their names, locations, types and defaults.
#pragma once

#include <string>

// The installation folder, trailing backslash included; empty when unset.
std::string GetInstallDir();

bool GetStartWindowsStart();
void SetStartWindowsStart(bool on);
bool GetMakeDefaultScreensaver();
void SetMakeDefaultScreensaver(bool on);
// The tray's "Allow Screensaver" state.
bool GetEnableExeScreensavers();
void SetEnableExeScreensavers(bool on);

// The desktop idle time in whole minutes (stored as seconds).
int GetScreenSaveTimeOut();
void SetScreenSaveTimeOut(int minutes);
void SetScreenSaveActive(bool on);
// Writes a REG_SZ desktop value, terminator counted in its length.
void WriteDesktopString(const char* name, const char* text);

// Registers the proxy screensaver as the Windows screensaver and switches
// the screensaver on; leaves both alone while the proxy is missing.
void SetDefaultScreensaver();

// The proxy screensaver's file name, in the Windows folder.
extern const char kProxyFileName[];

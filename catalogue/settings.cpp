// Settings in the application's registry key and the desktop values under
// HKCU\Control Panel\Desktop.
#include "catalogue/settings.h"

#include "framework/app.h"
#include "framework/handle.h"

#include <cstdio>
#include <cstdlib>

namespace {

const char kDesktopKey[] = "Control Panel\\Desktop";

bool GetFlag(const char* name) { return AfxGetApp()->GetProfileInt("", name, 1) != 0; }
void SetFlag(const char* name, bool on) { AfxGetApp()->WriteProfileInt("", name, on ? 1 : 0); }

} // namespace

std::string GetInstallDir() { return AfxGetApp()->GetProfileString("", "InstallDir", ""); }

bool GetStartWindowsStart() { return GetFlag("StartWindowsStart"); }
void SetStartWindowsStart(bool on) { SetFlag("StartWindowsStart", on); }
bool GetMakeDefaultScreensaver() { return GetFlag("MakeDefaultScreensaver"); }
void SetMakeDefaultScreensaver(bool on) { SetFlag("MakeDefaultScreensaver", on); }
bool GetEnableExeScreensavers() { return GetFlag("EnableExeScreensavers"); }
void SetEnableExeScreensavers(bool on) { SetFlag("EnableExeScreensavers", on); }

int GetScreenSaveTimeOut() {
  RegKey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
    return 0;
  // One spare zero byte past what the registry may fill: the text always
  // ends inside the buffer, whatever the value's type or size.
  char buffer[257] = {};
  DWORD size = 256;
  if (RegQueryValueExA(key.get(), "ScreenSaveTimeOut", nullptr, nullptr,
                       reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
    return 0;
  return atoi(buffer) / 60;
}

void WriteDesktopString(const char* name, const char* text) {
  RegKey key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>(strlen(text) + 1));
}

void SetScreenSaveTimeOut(int minutes) {
  char text[256] = {};
  snprintf(text, sizeof text, "%lld", static_cast<long long>(minutes) * 60);
  WriteDesktopString("ScreenSaveTimeOut", text);
}

void SetScreenSaveActive(bool on) { WriteDesktopString("ScreenSaveActive", on ? "1" : "0"); }

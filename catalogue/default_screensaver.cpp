// Registration of the proxy screensaver as the Windows screensaver.
#include "catalogue/screensaver.h"
#include "catalogue/settings.h"

#include "framework/handle.h"

#include <windows.h>

const char kProxyFileName[] = "_Norvane.scr";

void SetDefaultScreensaver() {
  RegKey key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.put(),
                      nullptr) != ERROR_SUCCESS)
    return;
  std::string proxy = GetWindowsFolder();
  RemoveTrailingBackslashes(proxy);
  proxy += std::string("\\") + kProxyFileName;

  // Without the proxy file there is no short form to register, and an empty
  // SCRNSAVE.EXE would switch the screensaver off: keep the old one then.
  char shortPath[MAX_PATH] = {};
  DWORD length = GetShortPathNameA(proxy.c_str(), shortPath, MAX_PATH);
  if (length > 0 && length < MAX_PATH)
    RegSetValueExA(key.get(), "SCRNSAVE.EXE", 0, REG_SZ, reinterpret_cast<BYTE*>(shortPath),
                   length + 1);
  RegSetValueExA(key.get(), "ScreenSaveActive", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"),
                 2);
}

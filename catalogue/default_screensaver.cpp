// Registration of the proxy screensaver as the Windows screensaver.
#include "catalogue/screensaver.h"
#include "catalogue/settings.h"

#include <windows.h>

const char kProxyFileName[] = "_Norvane.scr";

void SetDefaultScreensaver() {
  std::string proxy = GetWindowsFolder();
  RemoveTrailingBackslashes(proxy);
  proxy += std::string("\\") + kProxyFileName;

  // Without the proxy file there is no short form to register, and an empty
  // SCRNSAVE.EXE would switch the screensaver off; switching it on would
  // wake whichever screensaver the user had left off. Both stay as they are.
  char shortPath[MAX_PATH] = {};
  DWORD length = GetShortPathNameA(proxy.c_str(), shortPath, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return;
  WriteDesktopString("SCRNSAVE.EXE", shortPath);
  WriteDesktopString("ScreenSaveActive", "1");
}

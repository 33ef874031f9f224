// Recognising the proxy in "SCRNSAVE.EXE".
#include "proxy_value.h"

#include "catalogue/screensaver.h"
#include "catalogue/settings.h"
#include "framework/handle.h"

#include <windows.h>

namespace {

const char kDesktopKey[] = "Control Panel\\Desktop";
const char kScreensaverValue[] = "SCRNSAVE.EXE";

std::string ShortPath(const std::string& path) {
  char buffer[MAX_PATH] = {};
  DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string ReadString(HKEY key, const char* name) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return {};
  std::string value(size + 1, '\0');
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value[0]), &size) !=
      ERROR_SUCCESS)
    return {};
  value.resize(strnlen(value.c_str(), size));
  return value;
}

} // namespace

std::string ProxyPath() {
  std::string folder = GetWindowsFolder();
  RemoveTrailingBackslashes(folder);
  return folder + "\\" + kProxyFileName;
}

bool NamesProxy(const std::string& value, const std::string& proxyPath) {
  if (value.empty())
    return false;
  std::string shortPath = ShortPath(proxyPath);
  for (const std::string& name : {proxyPath, shortPath}) {
    if (!name.empty() && (PathsEqual(value, name) || PathsEqual(value, GetFileNameFromPath(name))))
      return true;
  }
  return false;
}

bool ForgetProxyScreensaver(const std::string& proxyPath) {
  RegKey desktop;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                    desktop.put()) != ERROR_SUCCESS)
    return true;
  if (!NamesProxy(ReadString(desktop.get(), kScreensaverValue), proxyPath))
    return true;
  return RegDeleteValueA(desktop.get(), kScreensaverValue) == ERROR_SUCCESS;
}

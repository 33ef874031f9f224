// Registry helpers for tests.
#include "tests/support/registry.h"

#include "framework/handle.h"

const char kAppKey[] = "Software\\Tessaly\\Norvane";
const char kDesktopKey[] = "Control Panel\\Desktop";

void SetRegRaw(const char* key, const char* name, DWORD type, const void* data, DWORD size) {
  RegKey k;
  RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.put(), nullptr);
  RegSetValueExA(k.get(), name, 0, type, static_cast<const BYTE*>(data), size);
}

void SetRegDword(const char* key, const char* name, DWORD value) {
  SetRegRaw(key, name, REG_DWORD, &value, sizeof value);
}

void SetRegString(const char* key, const char* name, const std::string& value) {
  SetRegRaw(key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void DeleteRegValue(const char* key, const char* name) {
  RegKey k;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_ALL_ACCESS, k.put()) == ERROR_SUCCESS)
    RegDeleteValueA(k.get(), name);
}

std::optional<DWORD> GetRegDword(const char* key, const char* name) {
  RegKey k;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, k.put()) != ERROR_SUCCESS)
    return std::nullopt;
  DWORD type = 0, value = 0, size = sizeof value;
  if (RegQueryValueExA(k.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD)
    return std::nullopt;
  return value;
}

std::optional<DWORD> GetRegType(const char* key, const char* name) {
  RegKey k;
  DWORD type = 0;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, k.put()) != ERROR_SUCCESS ||
      RegQueryValueExA(k.get(), name, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
    return std::nullopt;
  return type;
}

std::optional<std::string> GetRegBytes(const char* key, const char* name) {
  RegKey k;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, k.put()) != ERROR_SUCCESS)
    return std::nullopt;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(k.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  std::string bytes(size, '\0');
  if (RegQueryValueExA(k.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  bytes.resize(size);
  return bytes;
}

std::optional<std::string> GetDesktopString(const char* name) {
  std::optional<std::string> bytes = GetRegBytes(kDesktopKey, name);
  if (bytes && GetRegType(kDesktopKey, name) != DWORD{REG_SZ})
    return "(not REG_SZ) " + *bytes;
  return bytes;
}

void ResetProgramRegistry() {
  RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
  for (const char* name : {"ScreenSaveTimeOut", "ScreenSaveActive", "SCRNSAVE.EXE"})
    DeleteRegValue(kDesktopKey, name);
}

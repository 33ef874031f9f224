// Registry writes and removals of the setup program.
#include "registration.h"

#include "catalogue/screensaver.h"
#include "catalogue/settings.h"
#include "framework/handle.h"

#include <windows.h>

#include <shlwapi.h>

namespace {

// All under HKEY_CURRENT_USER.
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Norvane";
const char kMakerKey[] = "Software\\Tessaly";
const char kProgramKey[] = "Software\\Tessaly\\Norvane";
const char kRunValue[] = "Norvane";

RegKey CreateKey(const char* path) {
  RegKey key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, key.put(),
                      nullptr) != ERROR_SUCCESS)
    return RegKey();
  return key;
}

// REG_SZ, its length counting the terminator.
bool SetString(HKEY key, const char* name, const std::string& value) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool SetDword(HKEY key, const char* name, DWORD value) {
  return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof value) == ERROR_SUCCESS;
}

bool WriteUninstallEntry(const std::string& folder) {
  RegKey key = CreateKey(kUninstallKey);
  return key && SetString(key.get(), "DisplayName", "Norvane") &&
         SetString(key.get(), "DisplayVersion", "1.0.0.0") &&
         SetString(key.get(), "Publisher", "Tessaly") &&
         SetString(key.get(), "InstallLocation", folder) &&
         SetString(key.get(), "DisplayIcon", folder + "\\Norvane.exe,0") &&
         SetString(key.get(), "UninstallString", "\"" + folder + "\\Uninstall.exe\"") &&
         SetString(key.get(), "QuietUninstallString", "\"" + folder + "\\Uninstall.exe\" /S") &&
         SetDword(key.get(), "NoModify", 1) && SetDword(key.get(), "NoRepair", 1);
}

bool IsGone(LSTATUS status) { return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND; }

// A key with neither values nor subkeys; false also when it cannot be read.
bool IsEmptyKey(const char* path) {
  RegKey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
    return false;
  DWORD subkeys = 0, values = 0;
  return RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                          nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         subkeys == 0 && values == 0;
}

} // namespace

std::string RegisteredFolder() {
  std::string folder = GetInstallDir();
  RemoveTrailingBackslashes(folder);
  return folder;
}

bool WriteRegistration(const std::string& folder, std::string* failedKey) {
  RegKey program = CreateKey(kProgramKey);
  if (!program || !SetString(program.get(), "InstallDir", folder + "\\")) {
    *failedKey = kProgramKey;
    return false;
  }
  RegKey run = CreateKey(kRunKey);
  if (!run || !SetString(run.get(), kRunValue, "\"" + folder + "\\Norvane.exe\" /start")) {
    *failedKey = kRunKey;
    return false;
  }
  if (!WriteUninstallEntry(folder)) {
    *failedKey = kUninstallKey;
    return false;
  }
  return true;
}

bool RemoveRegistration(std::string* failedKey) {
  bool removed = true;
  auto check = [&](bool gone, const char* key) {
    if (!gone && removed)
      *failedKey = key;
    removed = removed && gone;
  };
  RegKey run;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, run.put()) == ERROR_SUCCESS)
    check(IsGone(RegDeleteValueA(run.get(), kRunValue)), kRunKey);
  check(IsGone(SHDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey)), kUninstallKey);
  check(IsGone(SHDeleteKeyA(HKEY_CURRENT_USER, kProgramKey)), kProgramKey);
  if (IsEmptyKey(kMakerKey))
    check(IsGone(RegDeleteKeyA(HKEY_CURRENT_USER, kMakerKey)), kMakerKey);
  return removed;
}

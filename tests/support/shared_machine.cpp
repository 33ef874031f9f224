// Machine-wide state for the setup tests.
#include "tests/support/shared_machine.h"

#include "framework/handle.h"
#include "tests/support/installation.h"

namespace {

const char kProfileListKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";
const wchar_t kSetupAppKey[] = L"Software\\Wine\\AppDefaults\\NorvaneSetup64.exe";

} // namespace

bool HasMachineValue(const char* key, const char* name) {
  RegKey opened;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, opened.put()) ==
             ERROR_SUCCESS &&
         RegQueryValueExA(opened.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

int MachineValueCount(const char* key) {
  RegKey opened;
  DWORD values = 0;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, opened.put()) != ERROR_SUCCESS ||
      RegQueryInfoKeyA(opened.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return -1;
  return static_cast<int>(values);
}

void SetMachineValue(const char* key, const char* name) {
  RegKey opened;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, opened.put(),
                  nullptr);
  RegSetValueExA(opened.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
}

void DeleteMachineValue(const char* key, const char* name) {
  RegKey opened;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_SET_VALUE, opened.put()) == ERROR_SUCCESS)
    RegDeleteValueA(opened.get(), name);
}

// The fixed part of the version resource follows its signature: the
// structure's version, then the file version's high and low words.
std::string WithMajorVersion(std::string bytes, WORD major) {
  size_t at = bytes.find(std::string("\xBD\x04\xEF\xFE", 4));
  if (at == std::string::npos)
    return {};
  DWORD versionMS = static_cast<DWORD>(major) << 16;
  bytes.replace(at + 8, 4, reinterpret_cast<const char*>(&versionMS), 4);
  return bytes;
}

bool PendingAtRestart(const std::string& path) {
  std::string operations;
  RegKey key;
  DWORD type = 0, size = 0;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_QUERY_VALUE, key.put()) ==
          ERROR_SUCCESS &&
      RegQueryValueExA(key.get(), "PendingFileRenameOperations", nullptr, &type, nullptr, &size) ==
          ERROR_SUCCESS) {
    operations.resize(size);
    RegQueryValueExA(key.get(), "PendingFileRenameOperations", nullptr, &type,
                     reinterpret_cast<BYTE*>(operations.data()), &size);
  }
  auto lower = [](std::string text) {
    CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
  };
  return lower(operations).find(lower("\\??\\" + path) + '\0') != std::string::npos;
}

ListedAccount::ListedAccount(const std::string& sid) : m_strKey(kProfileListKey + sid) {
  RegKey key;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_strKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                  key.put(), nullptr);
  const char profile[] = "C:\\users\\other";
  RegSetValueExA(key.get(), "ProfileImagePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(profile),
                 sizeof profile);
}

ListedAccount::~ListedAccount() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_strKey.c_str()); }

RunningImage::RunningImage(const std::string& path)
    : m_module(LoadLibraryExA(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES)) {}

RunningImage::~RunningImage() {
  if (m_module)
    FreeLibrary(m_module);
}

SetupTreatedAsWindows7::SetupTreatedAsWindows7() {
  RegKey app;
  RegCreateKeyExW(HKEY_CURRENT_USER, kSetupAppKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, app.put(),
                  nullptr);
  RegSetValueExW(app.get(), L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"win7"),
                 sizeof L"win7");
}

SetupTreatedAsWindows7::~SetupTreatedAsWindows7() {
  RegDeleteKeyW(HKEY_CURRENT_USER, kSetupAppKey);
}

// The application object and its registry profile.
#include "framework/app.h"

#include "framework/handle.h"
#include "resource.h"

namespace {

CWinApp* g_app = nullptr;

std::string LoadResourceString(UINT id) {
  char buffer[256] = {};
  int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

} // namespace

CWinApp::CWinApp(const char* appName) {
  if (appName)
    m_strAppName = appName;
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this)
    g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }

const std::string& CWinApp::AppName() const {
  if (m_strAppName.empty())
    m_strAppName = LoadResourceString(IDS_APP_TITLE);
  return m_strAppName;
}

void CWinApp::SetCommandLine(const char* fullCommandLine) {
  m_strCmdLine = ArgumentsFromCommandLine(fullCommandLine);
}

void CWinApp::SetRegistryKey(const char* key) { m_strRegistryKey = key ? key : ""; }

std::string CWinApp::SectionPath(const char* section) const {
  std::string path = "Software\\" + m_strRegistryKey + "\\" + AppName();
  if (section && *section)
    path += std::string("\\") + section;
  return path;
}

RegKey CWinApp::OpenSection(const char* section) const {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS)
    return RegKey();
  return RegKey(key);
}

// The framework creates the keys the first time a value is written.
RegKey CWinApp::CreateSection(const char* section) const {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return RegKey();
  return RegKey(key);
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) const {
  RegKey key = OpenSection(section);
  if (!key)
    return defaultValue;
  DWORD type = 0, value = 0, size = sizeof value;
  if (RegQueryValueExA(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value)
    return defaultValue;
  return value;
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) const {
  RegKey key = CreateSection(section);
  if (!key)
    return FALSE;
  DWORD data = static_cast<DWORD>(value);
  return RegSetValueExA(key.get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                        sizeof data) == ERROR_SUCCESS;
}

std::string CWinApp::GetProfileString(const char* section, const char* entry,
                                      const char* defaultValue) const {
  RegKey key = OpenSection(section);
  if (!key)
    return defaultValue;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key.get(), entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return defaultValue;
  std::string value(size + 1, '\0');
  if (RegQueryValueExA(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value[0]),
                       &size) != ERROR_SUCCESS)
    return defaultValue;
  value.resize(strnlen(value.c_str(), size));
  return value;
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) const {
  RegKey key = CreateSection(section);
  if (!key)
    return FALSE;
  return RegSetValueExA(key.get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                        static_cast<DWORD>(strlen(value) + 1)) == ERROR_SUCCESS;
}

std::string ArgumentsFromCommandLine(const char* p) {
  if (!p)
    return {};
  if (*p == '"') {
    ++p;
    while (*p && *p != '"')
      ++p;
    if (*p == '"')
      ++p;
  } else {
    while (static_cast<unsigned char>(*p) > ' ')
      ++p;
  }
  while (*p && static_cast<unsigned char>(*p) <= ' ')
    ++p;
  return p;
}

int AppMessageBox(HWND owner, const std::string& text, UINT type) {
  const char* caption = AfxGetApp() ? AfxGetApp()->AppName().c_str() : "";
  return MessageBoxA(owner, text.c_str(), caption, type);
}

int AppMessageBox(const std::string& text, UINT type) {
  return AppMessageBox(GetActiveWindow(), text, type);
}

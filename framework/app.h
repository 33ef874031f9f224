// The application object: one global per program, reached through
// AfxGetApp(). It knows the program's name (string 57344), its command line,
// and keeps the per-user profile under HKCU\Software\<key>\<name>.
#pragma once

#include "framework/handle.h"

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
public:
  // With no name, the application title string of the resources is used.
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Returns FALSE when the program should end without a message loop; this
  // program always ends there.
  virtual BOOL InitInstance() { return FALSE; }
  // The process's exit code, asked for once InitInstance has returned.
  virtual int ExitInstance() { return 0; }

  const std::string& AppName() const;
  const std::string& CommandLine() const { return m_strCmdLine; }
  void SetCommandLine(const char* fullCommandLine);

  CWnd* m_pMainWnd = nullptr;

  // From now on the profile lives in HKCU\Software\<key>\<AppName>.
  void SetRegistryKey(const char* key);
  const std::string& RegistryKey() const { return m_strRegistryKey; }

  // An empty section means the values sit directly in the application key.
  UINT GetProfileInt(const char* section, const char* entry, int defaultValue) const;
  BOOL WriteProfileInt(const char* section, const char* entry, int value) const;
  std::string GetProfileString(const char* section, const char* entry,
                               const char* defaultValue = "") const;
  BOOL WriteProfileString(const char* section, const char* entry, const char* value) const;

private:
  std::string SectionPath(const char* section) const;
  // Null keys when the section cannot be opened or created.
  RegKey OpenSection(const char* section) const;
  RegKey CreateSection(const char* section) const;

  mutable std::string m_strAppName;
  std::string m_strRegistryKey;
  std::string m_strCmdLine;
};

CWinApp* AfxGetApp();

// The text after the program name, as the program's own command line: a
// quoted name ends at its closing quote, an unquoted one at the first byte
// of 0x20 or less, and the control bytes and blanks before the first
// argument are skipped.
std::string ArgumentsFromCommandLine(const char* fullCommandLine);

// A message box owned by the active window, captioned with the application's
// name.
int AppMessageBox(const std::string& text, UINT type = MB_OK);
int AppMessageBox(HWND owner, const std::string& text, UINT type);

// Installing Norvane with its setup program in the test prefix, as a user
// would: the setup's runs and the uninstaller that its entry among the
// installed programs names, the places an installation reaches, and the
// removal of every trace of one before and after a test. The tests run the
// setup built on the 64-bit stub: the shipped one is 32-bit and cannot run
// here.
#pragma once

#include <windows.h>

#include <string>

extern const char kRunKey[];        // HKCU ...\CurrentVersion\Run
extern const char kUninstallKey[];  // HKCU ...\CurrentVersion\Uninstall\Norvane
extern const char kProxyUsersKey[]; // HKLM: the accounts that rely on the proxy
// HKLM: its PendingFileRenameOperations are done at the next restart.
extern const char kSessionManagerKey[];

std::string SetupProgram();
// The Windows folder's _Norvane.scr.
std::string InstalledProxy();
// %LOCALAPPDATA%\Programs\Norvane, without a trailing backslash.
std::string DefaultInstallFolder();
// The shortcut in the user's Start menu.
std::string StartMenuShortcut();
// The program a shortcut starts; empty when it cannot be read.
std::string ShortcutTarget(const std::string& shortcut);

// Runs a program to its end; its exit code, or 99 when it did not end in
// time.
DWORD RunToEnd(const std::string& program, const std::string& arguments);
// The same for a command line as the registry holds one: a quoted program
// path, then its arguments.
DWORD RunCommandLine(const std::string& commandLine);

// Removes every trace of an installation (in the default folder and in
// `folder`) when made and again when destroyed.
class InstallationTraces {
public:
  explicit InstallationTraces(std::string folder = DefaultInstallFolder());
  ~InstallationTraces();
  InstallationTraces(const InstallationTraces&) = delete;
  InstallationTraces& operator=(const InstallationTraces&) = delete;

private:
  void Remove();
  std::string m_strFolder;
};

// Installation helpers for tests.
#include "tests/support/installation.h"

#include "catalogue/screensaver.h"
#include "framework/handle.h"
#include "tests/support/files.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"

#include <shlobj.h>
#include <shlwapi.h>

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Norvane";
const char kProxyUsersKey[] = "Software\\Tessaly\\Norvane\\Proxy Users";
const char kSessionManagerKey[] = "System\\CurrentControlSet\\Control\\Session Manager";

namespace {

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// The copies that an uninstaller run in place leaves to remove it.
void EndUninstallerCopies() {
  char temporary[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temporary);
  WIN32_FIND_DATAA entry;
  FindHandle find(
      FindFirstFileA((std::string(temporary) + "NorvaneUninstall-*.exe").c_str(), &entry));
  if (!find)
    return;
  do {
    KillStrayInstances(entry.cFileName);
    DeleteFileA((std::string(temporary) + entry.cFileName).c_str());
  } while (FindNextFileA(find.get(), &entry));
}

} // namespace

std::string SetupProgram() { return BesideTestProgram("NorvaneSetup64.exe"); }

std::string InstalledProxy() {
  std::string windows = GetWindowsFolder();
  RemoveTrailingBackslashes(windows);
  return windows + "\\_Norvane.scr";
}

std::string DefaultInstallFolder() {
  return ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Norvane";
}

std::string StartMenuShortcut() { return ShellFolder(CSIDL_PROGRAMS) + "\\Norvane.lnk"; }

std::string ShortcutTarget(const std::string& shortcut) {
  std::string target;
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      std::wstring wide(shortcut.begin(), shortcut.end());
      char path[MAX_PATH] = {};
      if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) &&
          SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
        target = path;
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return target;
}

DWORD RunToEnd(const std::string& program, const std::string& arguments) {
  ChildProcess process(program, arguments);
  DWORD exitCode = 99;
  if (!process.WaitForExit(60000, &exitCode))
    return 99;
  return exitCode;
}

DWORD RunCommandLine(const std::string& commandLine) {
  size_t end = commandLine.find('"', 1);
  if (commandLine.empty() || commandLine[0] != '"' || end == std::string::npos)
    return 99;
  std::string arguments = commandLine.substr(end + 1);
  if (!arguments.empty() && arguments[0] == ' ')
    arguments.erase(0, 1);
  return RunToEnd(commandLine.substr(1, end - 1), arguments);
}

InstallationTraces::InstallationTraces(std::string folder) : m_strFolder(std::move(folder)) {
  Remove();
}

InstallationTraces::~InstallationTraces() { Remove(); }

void InstallationTraces::Remove() {
  KillStrayInstances();
  KillStrayInstances("NorvaneSetup64.exe");
  KillStrayInstances("Uninstall.exe");
  EndUninstallerCopies();
  RemoveFolderTree(m_strFolder);
  RemoveFolderTree(DefaultInstallFolder());
  DeleteFileA(StartMenuShortcut().c_str());
  ResetProgramRegistry();
  DeleteRegValue(kRunKey, "Norvane");
  RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
  // Only when nothing else is left in it.
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tessaly");
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Tessaly");
  DeleteFileA(InstalledProxy().c_str());
  DeleteFileA((InstalledProxy() + ".new").c_str());
  std::string windows = GetWindowsFolder();
  RemoveTrailingBackslashes(windows);
  WIN32_FIND_DATAA entry;
  FindHandle aside(FindFirstFileA((windows + "\\_Norvane-*.old").c_str(), &entry));
  if (aside) {
    do
      DeleteFileA((windows + "\\" + entry.cFileName).c_str());
    while (FindNextFileA(aside.get(), &entry));
  }
  // Renames and deletions left for a restart that never comes here.
  RegKey sessionManager;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_SET_VALUE,
                    sessionManager.put()) == ERROR_SUCCESS)
    RegDeleteValueA(sessionManager.get(), "PendingFileRenameOperations");
}

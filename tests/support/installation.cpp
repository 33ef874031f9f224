// Installation helpers for tests.
#include "tests/support/installation.h"

#include "app/instance_mutex.h"
#include "catalogue/screensaver.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"

#include <algorithm>

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Norvane";

namespace {

const char kSessionManagerKey[] = "System\\CurrentControlSet\\Control\\Session Manager";
const char kPendingRenames[] = "PendingFileRenameOperations";

std::string TemporaryFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  return path;
}

std::vector<std::string> FileNames(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  FindHandle find(FindFirstFileA(pattern.c_str(), &entry));
  if (find) {
    do {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        names.push_back(entry.cFileName);
    } while (FindNextFileA(find.get(), &entry));
  }
  return names;
}

std::vector<std::string> UninstallCopies() {
  return FileNames(TemporaryFolder() + "NorvaneUninstall-*.exe");
}

// The uninstaller's copy schedules its deletion at the next start of the
// prefix; the tests delete it themselves and leave that list as it was.
std::string ReadPendingRenames() {
  RegKey key;
  DWORD size = 0;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_QUERY_VALUE, key.put()) !=
          ERROR_SUCCESS ||
      RegQueryValueExA(key.get(), kPendingRenames, nullptr, nullptr, nullptr, &size) !=
          ERROR_SUCCESS)
    return {};
  std::string bytes(size, '\0');
  RegQueryValueExA(key.get(), kPendingRenames, nullptr, nullptr, reinterpret_cast<BYTE*>(&bytes[0]),
                   &size);
  return bytes;
}

void RestorePendingRenames(const std::string& bytes) {
  RegKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_SET_VALUE, key.put()) !=
      ERROR_SUCCESS)
    return;
  if (bytes.empty())
    RegDeleteValueA(key.get(), kPendingRenames);
  else
    RegSetValueExA(key.get(), kPendingRenames, 0, REG_MULTI_SZ,
                   reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
}

} // namespace

std::string SetupProgram() { return BesideTestProgram("NorvaneSetup.exe"); }

std::string InstalledProxy() {
  std::string windows = GetWindowsFolder();
  RemoveTrailingBackslashes(windows);
  return windows + "\\_Norvane.scr";
}

DWORD RunToEnd(const std::string& program, const std::string& arguments) {
  ChildProcess process(program, arguments);
  DWORD exitCode = 99;
  if (!process.WaitForExit(30000, &exitCode))
    return 99;
  return exitCode;
}

KernelHandle HoldNorvaneMutex() {
  return KernelHandle(CreateMutexA(nullptr, FALSE, kInstanceMutex));
}

std::string PendingDeletions() { return ReadPendingRenames(); }

bool WaitForRemoval(const std::string& folder) {
  return WaitUntil([&] {
    if (FileExists(folder))
      return false;
    for (const std::string& copy : UninstallCopies())
      if (ProcessesNamed(copy.c_str()) > 0)
        return false;
    return true;
  });
}

ScratchInstallation::ScratchInstallation()
    : m_strFolder(m_scratch.Path() + "Programs\\Nor vane"),
      m_strPendingRenames(ReadPendingRenames()) {
  RemoveTraces();
}

ScratchInstallation::~ScratchInstallation() {
  RemoveTraces();
  RestorePendingRenames(m_strPendingRenames);
}

DWORD ScratchInstallation::InstallSilently() const {
  return RunToEnd(SetupProgram(), "/S /D=" + m_strFolder);
}

std::vector<std::string> ScratchInstallation::Contents() const {
  std::vector<std::string> names = FileNames(m_strFolder + "\\*");
  for (const std::string& name : FileNames(m_strFolder + "\\Help\\*"))
    names.push_back("Help\\" + name);
  std::sort(names.begin(), names.end());
  return names;
}

void ScratchInstallation::RemoveTraces() {
  KillStrayInstances();
  KillStrayInstances("NorvaneSetup.exe");
  KillStrayInstances("Uninstall.exe");
  for (const std::string& copy : UninstallCopies()) {
    KillStrayInstances(copy.c_str());
    DeleteFileA((TemporaryFolder() + copy).c_str());
  }
  ResetProgramRegistry();
  DeleteRegValue(kRunKey, "Norvane");
  RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
  // Only when nothing else is left in it.
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tessaly");
  DeleteFileA(InstalledProxy().c_str());
}

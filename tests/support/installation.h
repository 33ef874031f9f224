// Installing and removing Norvane with the real setup program in the test
// prefix: a scratch destination, the setup and uninstall runs, and the
// clean-up of everything an installation leaves in the registry, the
// Windows folder and the temporary folder.
#pragma once

#include "framework/handle.h"
#include "tests/support/files.h"

#include <windows.h>

#include <string>

extern const char kRunKey[];       // HKCU ...\CurrentVersion\Run
extern const char kUninstallKey[]; // HKCU ...\CurrentVersion\Uninstall\Norvane

// The build's setup program, beside the tests.
std::string SetupProgram();
// The Windows folder's _Norvane.scr.
std::string InstalledProxy();

// Runs a program to its end; its exit code, or 99 when it did not end in time.
DWORD RunToEnd(const std::string& program, const std::string& arguments);

// Holds the manager's single-instance mutex, as a running Norvane does.
KernelHandle HoldNorvaneMutex();

// The files whose deletion at the next start of the prefix is pending, as
// the raw list.
std::string PendingDeletions();

// Waits until the uninstaller's copy has finished its work: the folder is
// gone and no copy runs any more.
bool WaitForRemoval(const std::string& folder);

// A destination below a scratch folder (with blanks in its name, not yet
// created), and the clean-up of every trace of an installation before and
// after the test.
class ScratchInstallation {
public:
  ScratchInstallation();
  ~ScratchInstallation();
  ScratchInstallation(const ScratchInstallation&) = delete;
  ScratchInstallation& operator=(const ScratchInstallation&) = delete;

  // Without a trailing backslash.
  const std::string& Folder() const { return m_strFolder; }
  std::string File(const std::string& name) const { return m_strFolder + "\\" + name; }
  // Runs the setup program silently into the folder; its exit code.
  DWORD InstallSilently() const;
  // The names in the folder, sorted, "Help\..." for the help folder's.
  std::vector<std::string> Contents() const;

private:
  void RemoveTraces();

  TempFolder m_scratch;
  std::string m_strFolder;
  std::string m_strPendingRenames;
};

// What the setup program does with its command line.
#include "setup_app.h"

#include "finish_dialog.h"
#include "install.h"
#include "install_flow.h"
#include "setup_command.h"
#include "setup_dialog.h"
#include "uninstall_flow.h"

#include <commctrl.h>
#include <ole2.h>

BOOL CSetupApp::InitInstance() {
  SetRegistryKey("Tessaly");
  SetupCommand command = ParseSetupCommand(CommandLine());
  std::string folder = command.bFolderGiven ? command.strFolder : DefaultInstallFolder();
  if (command.bUninstall || RunsAsUninstaller())
    m_nResult = RunUninstall(command);
  else if (command.bSilent)
    m_nResult = InstallSilently(folder);
  else
    m_nResult = InstallInteractively(folder);
  return FALSE;
}

SetupResult CSetupApp::InstallSilently(const std::string& folder) {
  std::string normalized;
  if (!NormalizeFolder(folder, &normalized))
    return kSetupBadFolder;
  return RunInstall(nullptr, normalized, true);
}

SetupResult CSetupApp::InstallInteractively(const std::string& folder) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // The folder browser's new look needs OLE on this thread.
  OleInitialize(nullptr);
  CSetupDialog setup(folder);
  INT_PTR result = setup.DoModal();
  if (result == kSetupDone) {
    CFinishDialog finish;
    finish.DoModal();
    if (finish.m_bStartNow)
      StartInstalledManager(setup.Folder());
  }
  OleUninitialize();
  return result < 0 ? kSetupWriteFailed : static_cast<SetupResult>(result);
}

// The removal with its prompts. The uninstaller in the installation folder
// asks, checks and hands over; its copy checks again (Norvane may have been
// started meanwhile), removes and reports.
#include "uninstall_flow.h"

#include "catalogue/screensaver.h"
#include "payload.h"
#include "registration.h"
#include "setup_messages.h"
#include "uninstall.h"
#include "uninstall_copy.h"

namespace {

// From "/D=", or the uninstaller's own folder, or the recorded installation.
SetupResult FindFolderToRemove(const SetupCommand& command, std::string* folder) {
  if (command.bFolderGiven)
    return NormalizeFolder(command.strFolder, folder) ? kSetupDone : kSetupBadFolder;
  std::string named =
      RunsAsUninstaller() ? GetFolderFromPath(OwnProgramPath()) : RegisteredFolder();
  return !named.empty() && NormalizeFolder(named, folder) ? kSetupDone : kSetupNotInstalled;
}

SetupResult Remove(const std::string& folder, bool silent) {
  SetupFailure failure;
  if (Uninstall(folder, &failure)) {
    if (!silent)
      SetupMessageBox(nullptr, "Norvane has been removed from your computer.",
                      MB_OK | MB_ICONINFORMATION);
    return kSetupDone;
  }
  if (!silent)
    ShowFailure(nullptr,
                "Setup could not remove the following file or registry key:", failure.strPath,
                failure.dwError);
  return kSetupWriteFailed;
}

} // namespace

bool RunsAsUninstaller() {
  return PathsEqual(GetFileNameFromPath(OwnProgramPath()), "Uninstall.exe");
}

SetupResult RunUninstall(const SetupCommand& command) {
  bool silent = command.bSilent;
  bool isCopy = command.nWaitHandle != 0;
  if (isCopy)
    WaitForStarter(command.nWaitHandle);
  std::string folder;
  SetupResult result = FindFolderToRemove(command, &folder);
  if (result != kSetupDone) {
    if (!silent)
      SetupMessageBox(nullptr,
                      result == kSetupBadFolder ? "The folder to remove is not a full path."
                                                : "Norvane is not installed.",
                      MB_OK | MB_ICONINFORMATION);
  } else if (!isCopy && !silent &&
             SetupMessageBox(nullptr, "Remove Norvane from this computer?",
                             MB_YESNO | MB_ICONQUESTION) != IDYES) {
    result = kSetupCancelled;
  } else if (!WaitUntilNorvaneClosed(nullptr, silent)) {
    result = kSetupNorvaneRunning;
  } else if (!isCopy && RunsFromFolder(folder)) {
    if (!HandOverToCopy(folder, silent)) {
      if (!silent)
        ShowFailure(nullptr, "Setup could not start the removal from the temporary folder:",
                    OwnProgramPath(), GetLastError());
      result = kSetupWriteFailed;
    }
  } else {
    result = Remove(folder, silent);
  }
  if (isCopy)
    ScheduleOwnDeletion();
  return result;
}

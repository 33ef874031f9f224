// The install with its prompts.
#include "install_flow.h"

#include "install.h"
#include "setup_messages.h"

SetupResult RunInstall(HWND owner, const std::string& folder, bool silent) {
  if (!WaitUntilNorvaneClosed(owner, silent))
    return kSetupNorvaneRunning;
  SetupFailure failure;
  if (Install(folder, &failure))
    return kSetupDone;
  if (!silent)
    ShowFailure(
        owner,
        "Setup could not write the following file, so Norvane has not been installed completely:",
        failure.strPath, failure.dwError);
  return kSetupWriteFailed;
}

void StartInstalledManager(const std::string& folder) {
  std::string program = folder + "\\Norvane.exe";
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  if (CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                     folder.c_str(), &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

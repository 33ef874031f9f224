// The uninstaller's hand-over to its copy in the temporary folder.
#include "uninstall_copy.h"

#include "catalogue/screensaver.h"
#include "framework/handle.h"
#include "payload.h"
#include "setup_command.h"

bool RunsFromFolder(const std::string& folder) {
  std::string own = GetFolderFromPath(OwnProgramPath());
  std::string target = folder;
  RemoveTrailingBackslashes(own);
  RemoveTrailingBackslashes(target);
  return PathsEqual(own, target);
}

bool HandOverToCopy(const std::string& folder, bool silent) {
  char temporary[MAX_PATH] = {};
  DWORD length = GetTempPathA(MAX_PATH, temporary);
  if (length == 0 || length >= MAX_PATH)
    return false;
  std::string copy =
      std::string(temporary) + "NorvaneUninstall-" + std::to_string(GetCurrentProcessId()) + ".exe";
  if (!CopyFileA(OwnProgramPath().c_str(), copy.c_str(), FALSE))
    return false;

  // The copy inherits this handle and learns its value from its command line.
  HANDLE self = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                       SYNCHRONIZE, TRUE, 0)) {
    DeleteFileA(copy.c_str());
    return false;
  }
  KernelHandle inherited(self);
  std::string commandLine = "\"" + copy + "\" /uninstall " + kWaitSwitch +
                            std::to_string(reinterpret_cast<ULONG_PTR>(self)) +
                            (silent ? " /S" : "") + " /D=" + folder;
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  // Started in the temporary folder: a process whose current folder is the
  // installation folder would keep it from being removed.
  if (!CreateProcessA(copy.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, temporary,
                      &startup, &process)) {
    DeleteFileA(copy.c_str());
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

void WaitForStarter(ULONG_PTR handle) {
  KernelHandle starter(reinterpret_cast<HANDLE>(handle));
  WaitForSingleObject(starter.get(), 60000);
}

void ScheduleOwnDeletion() {
  MoveFileExA(OwnProgramPath().c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

// The setup program's command line: "/S" (silent), "/uninstall", and
// "/D=<folder>", which comes last and takes the rest of the line, blanks
// included, as common setup programs do. The uninstaller's copy in the
// temporary folder is also told which process to wait for.
#pragma once

#include <windows.h>

#include <string>

struct SetupCommand {
  bool bSilent = false;
  bool bUninstall = false;
  bool bFolderGiven = false; // "/D=" was there, even with nothing after it
  std::string strFolder;
  // The handle of the process that the uninstaller's copy waits for, as
  // inherited from it; zero for every other run.
  ULONG_PTR nWaitHandle = 0;
};

SetupCommand ParseSetupCommand(const std::string& arguments);

// The switch that makes a started copy of the uninstaller wait for the
// process behind the handle before it removes anything.
extern const char kWaitSwitch[];

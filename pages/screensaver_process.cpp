// Screensaver processes: launching with a switch and stopping the preview.
#include "pages/screensaver_process.h"

#include "framework/handle.h"

// A screensaver finds its switches by skipping the first word of its
// command line: a path with blanks must be quoted, or its second part would
// be taken for the switch.
PROCESS_INFORMATION LaunchScreensaver(const std::string& path, const std::string& switches) {
  std::string commandLine = "\"" + path + "\" " + switches;
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &info))
    info = {};
  return info;
}

void LaunchDetachedScreensaver(const std::string& path, const std::string& switches) {
  PROCESS_INFORMATION info = LaunchScreensaver(path, switches);
  KernelHandle process(info.hProcess), thread(info.hThread);
}

BOOL CALLBACK CloseProcessWindow(HWND hwnd, LPARAM lParam) {
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == static_cast<DWORD>(lParam))
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
  return TRUE;
}

// The process is ended whether or not it listens to WM_CLOSE; waiting for
// it afterwards means its preview window is gone before a new one starts.
BOOL StopScreensaverProcess(DWORD processId, DWORD timeoutMs) {
  KernelHandle process(
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, processId));
  if (!process)
    return FALSE;
  EnumWindows(&CloseProcessWindow, static_cast<LPARAM>(processId));
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  TerminateProcess(process.get(), exitCode);
  WaitForSingleObject(process.get(), timeoutMs);
  return TRUE;
}

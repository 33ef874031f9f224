// A screensaver that is only a starter, as some are: it runs the real one
// (the file beside it with "_real" before its extension) with its own
// arguments and ends at once.
#include "framework/app.h"
#include "framework/handle.h"

#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string real = self;
  real.insert(real.rfind('.'), "_real");
  std::string commandLine = "\"" + real + "\" " + ArgumentsFromCommandLine(GetCommandLineA());
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(real.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return 1;
  KernelHandle process(info.hProcess), thread(info.hThread);
  return 0;
}

// Entry point of the sample screensavers. The switches are the standard ones:
// "/s" runs full screen, "/p <window>" previews inside that window, "/c" (or
// no switch) shows the settings, which these samples do not have. String 1 of
// the resources names the scene, so one program serves every sample.
#include "savers/saver_wnd.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

std::string LoadSceneName() {
  char name[64] = {};
  LoadStringA(GetModuleHandleA(nullptr), 1, name, sizeof name);
  return name;
}

// The text after the program name, quoted or not.
const char* SkipProgramName(const char* line) {
  if (*line == '"') {
    const char* close = strchr(line + 1, '"');
    line = close ? close + 1 : line + strlen(line);
  } else {
    while (*line && *line != ' ' && *line != '\t')
      ++line;
  }
  while (*line == ' ' || *line == '\t')
    ++line;
  return line;
}

// The window handle after "/p" or "/c", written "/p 1234" or "/p:1234".
HWND HandleAfterSwitch(const char* rest) {
  while (*rest == ' ' || *rest == ':')
    ++rest;
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(_strtoi64(rest, nullptr, 10)));
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const char* arguments = SkipProgramName(GetCommandLineA());
  char command = 'c';
  const char* rest = "";
  if ((*arguments == '/' || *arguments == '-') && arguments[1]) {
    command = static_cast<char>(tolower(static_cast<unsigned char>(arguments[1])));
    rest = arguments + 2;
  }

  CSaverWnd window(CreateScene(LoadSceneName()));
  switch (command) {
  case 's': return window.CreateFullScreen() ? RunMessageLoop() : 1;
  case 'p': return window.CreatePreview(HandleAfterSwitch(rest)) ? RunMessageLoop() : 1;
  case 'a': return 0;
  }
  MessageBoxA(HandleAfterSwitch(rest), "This screensaver has no settings.", "Screensaver",
              MB_OK | MB_ICONINFORMATION);
  return 0;
}

// Entry point of the sample screensavers. The switches are the standard ones:
// "/s" runs full screen, "/p <window>" previews inside that window, "/c" (or
// no switch) shows the settings, which these samples do not have. String 1 of
// the resources names the scene, so one program serves every sample.
#include "common/saver_command.h"
#include "framework/app.h"
#include "savers/saver_wnd.h"

namespace {

std::string LoadSceneName() {
  char name[64] = {};
  LoadStringA(GetModuleHandleA(nullptr), 1, name, sizeof name);
  return name;
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
  ScreensaverCommand command =
      ParseScreensaverArguments(ArgumentsFromCommandLine(GetCommandLineA()));
  CSaverWnd window(CreateScene(LoadSceneName()));
  switch (command.chSwitch) {
  case 's': return window.CreateFullScreen() ? RunMessageLoop() : 1;
  case 'p': return window.CreatePreview(command.hWnd) ? RunMessageLoop() : 1;
  case 'a': return 0;
  }
  MessageBoxA(command.hWnd, "This screensaver has no settings.", "Screensaver",
              MB_OK | MB_ICONINFORMATION);
  return 0;
}

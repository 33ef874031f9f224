// What the proxy does for each switch: "/s" and "/p" run a screensaver of
// the user's choice in its place, "/c" (or no switch) opens the manager
// where that choice is made, "/a" (the old password switch) and anything
// else do nothing.
#include "proxy/proxy_app.h"

#include "common/saver_command.h"
#include "proxy/choice.h"
#include "proxy/open_manager.h"
#include "proxy/run_chosen.h"

namespace {

void RunChosen(const std::string& arguments) {
  CStringArray paths;
  bool read = LoadEnabledScreensavers(paths);
  RunOneOf(paths, read, arguments);
}

} // namespace

BOOL CProxyApp::InitInstance() {
  // The manager's settings, and so the list files in its installation folder.
  SetRegistryKey("Tessaly");
  ScreensaverCommand command = ParseScreensaverArguments(CommandLine());
  switch (command.chSwitch) {
  case 's':
  case 'p': RunChosen(command.strArguments); break;
  case 'c': OpenManager(command.hWnd); break;
  }
  return FALSE;
}

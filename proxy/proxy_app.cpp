// What the proxy does for each switch: "/s" and "/p" run a screensaver of
// the user's choice in its place, "/c" opens the manager where that choice
// is made, "/a" (the old password switch) does nothing.
#include "proxy/proxy_app.h"

#include "proxy/choice.h"
#include "proxy/run_chosen.h"
#include "proxy/saver_command.h"

BOOL CProxyApp::InitInstance() {
  // The manager's settings, and so the list files in its installation folder.
  SetRegistryKey("Tessaly");
  ScreensaverCommand command = ParseScreensaverArguments(CommandLine());
  switch (command.chSwitch) {
  case 's':
  case 'p': {
    CStringArray paths;
    LoadEnabledScreensavers(paths);
    RunOneOf(paths, command.strArguments);
    break;
  }
  case 'c': OpenManager(command.hWnd); break;
  }
  return FALSE;
}

// The program's entry point: hands the command line to the one application
// object and lets it run. The process ends when InitInstance returns, with
// the exit code that ExitInstance gives.
#include "framework/app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CWinApp* app = AfxGetApp();
  if (!app)
    return 0;
  app->SetCommandLine(GetCommandLineA());
  app->InitInstance();
  return app->ExitInstance();
}

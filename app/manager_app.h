// The application object: start-up order, the single-instance rule and the
// "/start" switch; runs the main window for the life of the process.
#pragma once

#include "framework/app.h"

class CManagerApp : public CWinApp {
public:
  BOOL InitInstance() override;

private:
  BOOL IsAlreadyRunning();
};

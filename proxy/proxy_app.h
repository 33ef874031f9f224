// The proxy screensaver's application object: Windows starts the proxy as
// its screensaver, and the proxy runs one of the screensavers the user left
// checked in the manager, with the switches Windows gave it.
#pragma once

#include "framework/app.h"

class CProxyApp : public CWinApp {
public:
  CProxyApp() : CWinApp("Norvane") {}
  BOOL InitInstance() override;
};

// The one application object of NorvaneSetup.exe and Uninstall.exe.
#include "setup_app.h"

CSetupApp theApp;

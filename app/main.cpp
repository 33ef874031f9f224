// The one application object of Norvane.exe.
#include "app/manager_app.h"

CManagerApp theApp;

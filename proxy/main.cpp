// The one application object of _Norvane.scr.
#include "proxy/proxy_app.h"

CProxyApp theApp;

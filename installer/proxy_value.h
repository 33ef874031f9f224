// The proxy screensaver in the Windows folder and the desktop's
// "SCRNSAVE.EXE" value that the manager points at it: on removal the value
// goes too, so that Windows is not left running a file that is gone, while a
// screensaver of the user's own choosing stays.
#pragma once

#include <string>

// The Windows folder's _Norvane.scr.
std::string ProxyPath();

// True when the value names the proxy at proxyPath: by its file name alone
// or by its full path, each in the long or the short (8.3) form, in any
// letter case. The short forms are known only while the file exists.
bool NamesProxy(const std::string& value, const std::string& proxyPath);

// Deletes "SCRNSAVE.EXE" when it names the proxy; to be called while the
// proxy file still exists. False when the value stays although it names it.
bool ForgetProxyScreensaver(const std::string& proxyPath);

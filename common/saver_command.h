// The standard screensaver switches as Windows passes them: "/s" to run full
// screen, "/p <window>" to preview inside a window, "/c" or nothing for the
// settings, "/a" for the password. Shared by the proxy and the samples.
#pragma once

#include <windows.h>

#include <string>

struct ScreensaverCommand {
  char chSwitch = 'c';      // 's', 'p', 'c' or 'a', lower case
  HWND hWnd = nullptr;      // the window after "/p" or "/c", if any
  std::string strArguments; // as given
};

// Reads the arguments that follow the program name. The window may be
// written "/p 1234" or "/p:1234"; switches may start with '-'.
ScreensaverCommand ParseScreensaverArguments(const std::string& arguments);

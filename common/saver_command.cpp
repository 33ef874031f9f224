// Reading the screensaver switches from a command line.
#include "common/saver_command.h"

#include <cctype>
#include <cstdlib>

namespace {

HWND WindowAfterSwitch(const char* rest) {
  while (*rest == ' ' || *rest == '\t' || *rest == ':')
    ++rest;
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(_strtoi64(rest, nullptr, 10)));
}

} // namespace

ScreensaverCommand ParseScreensaverArguments(const std::string& arguments) {
  ScreensaverCommand command;
  command.strArguments = arguments;
  const char* text = command.strArguments.c_str();
  if ((*text == '/' || *text == '-') && text[1]) {
    command.chSwitch = static_cast<char>(tolower(static_cast<unsigned char>(text[1])));
    command.hWnd = WindowAfterSwitch(text + 2);
  }
  return command;
}

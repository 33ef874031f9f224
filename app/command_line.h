// Reading the program's own command line: the tokens and the "/start" switch
// with which the program is started at log-on.
#pragma once

#include "catalogue/screensaver.h"

// Lower-cases the line and splits it at blanks (tabs do not separate).
void SplitCommandLine(std::string commandLine, CStringArray& tokens);
// True when the first token, trimmed of white space, is exactly "/start".
bool IsStartSwitch(const CStringArray& tokens);

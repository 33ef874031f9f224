// The command-line split and the "/start" test.
#include "app/command_line.h"

void SplitCommandLine(std::string commandLine, CStringArray& tokens) {
  SplitString(MakeLower(commandLine), tokens, ' ');
}

bool IsStartSwitch(const CStringArray& tokens) {
  if (tokens.empty())
    return false;
  const char* whiteSpace = " \t\r\n\v\f";
  const std::string& first = tokens[0];
  size_t begin = first.find_first_not_of(whiteSpace);
  if (begin == std::string::npos)
    return false;
  size_t end = first.find_last_not_of(whiteSpace);
  return first.compare(begin, end - begin + 1, "/start") == 0;
}

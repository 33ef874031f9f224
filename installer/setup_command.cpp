// Reading the setup program's arguments. Switches are recognised in any
// letter case; arguments that mean nothing to the setup are ignored.
#include "setup_command.h"

#include "catalogue/screensaver.h"

#include <algorithm>
#include <cstdlib>

const char kWaitSwitch[] = "/_wait=";

namespace {

// Where "/D=" starts: at the beginning or after a blank, or inside a quote
// that opens there, as a caller that quotes every argument with blanks
// passes it.
size_t FindFolderSwitch(const std::string& lower) {
  for (size_t at = lower.find("/d="); at != std::string::npos; at = lower.find("/d=", at + 1)) {
    size_t start = at > 0 && lower[at - 1] == '"' ? at - 1 : at;
    if (start == 0 || lower[start - 1] == ' ' || lower[start - 1] == '\t')
      return at;
  }
  return std::string::npos;
}

std::string TrimBlanks(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos)
    return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

SetupCommand ParseSetupCommand(const std::string& arguments) {
  SetupCommand command;
  std::string lower = MakeLower(arguments);
  std::string switches = arguments;
  size_t folderAt = FindFolderSwitch(lower);
  if (folderAt != std::string::npos) {
    bool quotedSwitch = folderAt > 0 && arguments[folderAt - 1] == '"';
    std::string folder = TrimBlanks(arguments.substr(folderAt + 3));
    // Quotes are not needed, but a quoted folder means the same folder.
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
      folder = folder.substr(1, folder.size() - 2);
    else if (quotedSwitch && !folder.empty() && folder.back() == '"')
      folder.pop_back();
    command.bFolderGiven = true;
    command.strFolder = folder;
    switches = arguments.substr(0, quotedSwitch ? folderAt - 1 : folderAt);
  }

  // Tabs separate arguments as blanks do.
  std::string lowerSwitches = MakeLower(switches);
  std::replace(lowerSwitches.begin(), lowerSwitches.end(), '\t', ' ');
  CStringArray tokens;
  SplitString(lowerSwitches, tokens, ' ');
  for (const std::string& token : tokens) {
    std::string word = TrimBlanks(token);
    if (word == "/s")
      command.bSilent = true;
    else if (word == "/uninstall")
      command.bUninstall = true;
    else if (word.compare(0, sizeof kWaitSwitch - 1, kWaitSwitch) == 0)
      command.nWaitHandle = std::strtoull(word.c_str() + sizeof kWaitSwitch - 1, nullptr, 10);
  }
  return command;
}

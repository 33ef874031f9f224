// One removal as the user sees it: which folder, the question first, the
// refusal while Norvane runs, the hand-over to a copy when the uninstaller
// runs from the folder it removes, and the report at the end.
#pragma once

#include "setup_command.h"
#include "setup_result.h"

// True when the running program is an installed Uninstall.exe.
bool RunsAsUninstaller();

SetupResult RunUninstall(const SetupCommand& command);

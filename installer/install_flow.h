// One installation as the user sees it: the refusal while Norvane runs, the
// install, and the report of a failure; and the start of the installed
// manager that the finish dialog offers.
#pragma once

#include "setup_result.h"

#include <windows.h>

#include <string>

// Installs into the folder (as NormalizeFolder gives it). A silent run shows
// nothing; an interactive one asks for Norvane to be closed and names what
// could not be written, in message boxes owned by owner.
SetupResult RunInstall(HWND owner, const std::string& folder, bool silent);

// Starts the installed Norvane.exe as the user would, from its folder.
void StartInstalledManager(const std::string& folder);

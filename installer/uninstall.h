// Removing an installation without any window: the registry first, then
// the proxy in the Windows folder, the files and the folders.
#pragma once

#include "install.h"

// Removes what the installation put in place, the user's two list files and
// the folders when they are then empty; nothing else in the folder is
// touched. Goes on after a failure, so that as much as possible is gone,
// and returns false with the first one.
bool Uninstall(const std::string& folder, SetupFailure* failure);

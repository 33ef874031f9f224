// What the setup program records in the user's registry: the installation
// folder that the manager and the proxy read, the manager's start at log-on,
// and the entry in Windows' list of installed programs. The manager's own
// settings are left as they are, so that a reinstall keeps the user's
// choices.
#pragma once

#include <string>

// The folder of an existing installation, without a trailing backslash;
// empty when none is recorded. Needs the application object with the
// registry key "Tessaly".
std::string RegisteredFolder();

// Records an installation in the folder (given without a trailing
// backslash). False, with *failedKey naming the key, when a value cannot be
// written.
bool WriteRegistration(const std::string& folder, std::string* failedKey);

// Removes the run value, the uninstall entry, the program's key and the
// maker's key when nothing else is left in it. False, with *failedKey, when
// something that exists cannot be removed.
bool RemoveRegistration(std::string* failedKey);

// The installation without any window: where it goes, the files, the proxy
// in the Windows folder and the registry.
#pragma once

#include <windows.h>

#include <string>

// What could not be written or removed, and the system's error code.
struct SetupFailure {
  std::string strPath;
  DWORD dwError = 0;
};

// The folder of an existing installation, which an upgrade keeps; without
// one, "Norvane" in the Program Files folder.
std::string DefaultInstallFolder();

// The folder as the installation records it: a full path (drive or network
// share), without trailing backslashes. False for anything else.
bool NormalizeFolder(const std::string& input, std::string* folder);

// Writes the files and then the registry, each file replaced whole; stops at
// the first failure. The user's list files in the folder stay untouched.
bool Install(const std::string& folder, SetupFailure* failure);

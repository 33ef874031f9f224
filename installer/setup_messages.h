// The setup program's message boxes, all under its own caption, and the
// waiting for a running Norvane to be closed, which installing and
// uninstalling share.
#pragma once

#include <windows.h>

#include <string>

int SetupMessageBox(HWND owner, const std::string& text, UINT type);

// Reports that a file or registry key could not be written or removed,
// with the system's reason for the error code.
void ShowFailure(HWND owner, const std::string& what, const std::string& path, DWORD error);

// True when Norvane runs: its single-instance mutex exists.
bool IsNorvaneRunning();

// True once Norvane does not run. While it does, a silent run gives up at
// once and an interactive one asks the user to close it, until the user
// cancels.
bool WaitUntilNorvaneClosed(HWND owner, bool silent);

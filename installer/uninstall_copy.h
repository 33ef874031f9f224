// A program cannot delete its own running file. So the uninstaller in the
// installation folder hands the work to a copy of itself in the temporary
// folder, which waits for it to end before it removes anything, and then
// has its own file removed at the next restart.
#pragma once

#include <windows.h>

#include <string>

// True when the running program lies directly in the folder.
bool RunsFromFolder(const std::string& folder);

// Copies the running program into the temporary folder and starts the copy
// on the same removal, with a handle to this process to wait for. False
// when the copy cannot be written or started.
bool HandOverToCopy(const std::string& folder, bool silent);

// In the copy: waits for the process that started it to end (at most a
// minute: a starter that hangs must not keep the removal back for ever).
void WaitForStarter(ULONG_PTR handle);

// In the copy: asks for its own file to be deleted at the next restart;
// when that cannot be arranged, the file stays in the temporary folder.
void ScheduleOwnDeletion();

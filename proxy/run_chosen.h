// Running the chosen screensaver in the proxy's place.
#pragma once

#include "catalogue/screensaver.h"

#include <windows.h>

#include <functional>
#include <string>

// Starts "<path>" quoted, followed by the arguments; false when it cannot
// be started. The caller owns the handles.
bool StartProgram(const std::string& path, const std::string& arguments, DWORD flags,
                  PROCESS_INFORMATION& info);

// Starts "<path>" with the proxy's own arguments, calls `started` once it
// has, and waits until it and every process it started have ended; false at
// once when it cannot be started. None of them lives longer than the proxy:
// when Windows ends the proxy of a preview, the screensaver it started stops
// drawing too. (Where the proxy was started in a job that takes no job
// inside it and lets no process leave, they end when the proxy ends by
// itself, not when it is ended.) In a full-screen run, what the screensaver
// left behind when it ended keeps the proxy no longer than ten seconds after
// that end and the user's input.
bool RunScreensaver(const std::string& path, const std::string& arguments,
                    const std::function<void()>& started);

// Runs the next of the checked screensavers in the user's round (see
// round.h), picked at random among those not yet run. One that cannot be
// started (a file removed or damaged since the user checked it) is left out
// and the pick made again among the others. When `listsRead` is false (a
// list file could not be read, so `paths` may not be what the user
// checked), it runs from the round as stored instead, or, with none stored,
// from `paths`, and stores no round made from them.
void RunOneOf(CStringArray paths, bool listsRead, const std::string& arguments);

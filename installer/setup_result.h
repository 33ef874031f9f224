// How a run of the setup program ends: its exit code, which is all that a
// silent run tells its caller.
#pragma once

enum SetupResult {
  kSetupDone = 0,
  kSetupCancelled = 1,      // the user said no, or closed a dialog
  kSetupNorvaneRunning = 2, // refused: Norvane runs, nothing was changed
  kSetupWriteFailed = 3,    // a file or registry value could not be written or removed
  kSetupBadFolder = 4,      // the destination is not a full path
  kSetupNotInstalled = 5,   // uninstall without an installation to remove
};

// What the proxy chooses from: the screensavers the user left checked in the
// manager.
#pragma once

#include "catalogue/screensaver.h"

// The files of the Windows and system folders and of the additional list,
// less those of the disabled list; a path the additional list repeats may
// come more than once. Display names are not needed here, so no version
// resource is read. False when a list file could not be read: every
// screensaver then counts as checked, or the additional ones are missing.
bool LoadEnabledScreensavers(CStringArray& paths);

// A number that differs from one start of the proxy to the next.
unsigned RandomNumber();

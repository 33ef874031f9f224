// What the proxy chooses from, and the choice: the screensavers the user
// left checked in the manager, one of them at random.
#pragma once

#include "catalogue/screensaver.h"

// The files of the Windows and system folders and of the additional list,
// less those of the disabled list and those that no longer exist; each path
// once. Display names are not needed here, so no version resource is read.
void LoadEnabledScreensavers(CStringArray& paths);

// The path that this random number picks; empty when there is none.
std::string ChooseScreensaver(const CStringArray& paths, unsigned random);

// A number that differs from one start of the proxy to the next.
unsigned RandomNumber();

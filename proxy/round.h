// The proxy's round: every checked screensaver runs once before any runs
// again, and none runs twice in a row, also where one round ends and the
// next begins. The round is kept between runs of the proxy in its own
// section of the program's registry key.
#pragma once

#include "catalogue/screensaver.h"

struct ScreensaverRound {
  CStringArray remaining; // not yet run in this round
  CStringArray done;      // run in this round
  std::string last;       // the one that ran last, perhaps in the round before
};

// Brings the round up to the checked set, each path once whatever the round
// held: the ones run in this round that are still checked stay done, and
// every other checked one remains. A round with nothing left to run, or only
// the one that ran last while others are checked, starts again with every
// checked screensaver.
void AdaptRound(ScreensaverRound& round, const CStringArray& checked);
// A random index into `remaining`; never the one that ran last while
// another remains.
size_t PickFromRound(const ScreensaverRound& round, unsigned random);
// Moves the pick from the remaining ones to the done ones and makes it the
// last one.
void MarkRun(ScreensaverRound& round, size_t index);
// Every screensaver the round holds, run or not, each once.
CStringArray RoundMembers(const ScreensaverRound& round);

// The round as the last run of the proxy left it; empty the first time.
ScreensaverRound LoadRound();
void SaveRound(const ScreensaverRound& round);

// The proxy's list of candidates and the random numbers it picks with.
#define _CRT_RAND_S
#include "proxy/choice.h"

#include "catalogue/catalogue.h"

#include <windows.h>

#include <cstdlib>

bool LoadEnabledScreensavers(CStringArray& paths) {
  CScreensaverArray list;
  bool read = BuildScreensaverList(list);
  read = ApplyDisabledList(list) && read;
  // Lists that leave nothing checked leave the choice to all.
  CheckAllWhenNoneChecked(list);
  // A path listed twice is taken once by the round, which sorts the paths
  // anyway; removing repeats here would sort them all once more.
  paths.clear();
  for (const ScreensaverInfo& entry : list)
    if (entry.bEnabled)
      paths.push_back(entry.strPath);
  return read;
}

unsigned RandomNumber() {
  unsigned number = 0;
  if (rand_s(&number) == 0)
    return number;
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<unsigned>(counter.QuadPart) ^ GetCurrentProcessId();
}

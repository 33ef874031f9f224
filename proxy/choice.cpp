// The proxy's list of candidates and its random pick.
#define _CRT_RAND_S
#include "proxy/choice.h"

#include "catalogue/catalogue.h"

#include <windows.h>

#include <cstdlib>

void LoadEnabledScreensavers(CStringArray& paths) {
  CScreensaverArray list;
  BuildScreensaverList(list);
  ApplyDisabledList(list);
  RemoveDuplicatePaths(list);
  paths.clear();
  for (const ScreensaverInfo& entry : list) {
    DWORD attributes = GetFileAttributesA(entry.strPath.c_str());
    if (entry.bEnabled && attributes != INVALID_FILE_ATTRIBUTES &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY))
      paths.push_back(entry.strPath);
  }
}

std::string ChooseScreensaver(const CStringArray& paths, unsigned random) {
  return paths.empty() ? std::string() : paths[random % paths.size()];
}

unsigned RandomNumber() {
  unsigned number = 0;
  if (rand_s(&number) == 0)
    return number;
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<unsigned>(counter.QuadPart) ^ GetCurrentProcessId();
}

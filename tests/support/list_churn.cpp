// The lists of the interrupted-write test.
#include "tests/support/list_churn.h"

CStringArray ChurnList(int which) {
  CStringArray paths;
  int count = which == 0 ? 3000 : 4500;
  for (int i = 0; i < count; ++i)
    paths.push_back("D:\\Savers\\List" + std::to_string(which) + "\\Screensaver number " +
                    std::to_string(i) + ".scr");
  return paths;
}

std::string ChurnListBytes(int which) {
  std::string bytes;
  for (const std::string& path : ChurnList(which))
    bytes += path + "\r\n";
  return bytes;
}

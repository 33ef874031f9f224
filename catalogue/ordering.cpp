// Sorting the catalogue by display name and removing entries that name the
// same file twice.
#include "catalogue/catalogue.h"

#include <algorithm>
#include <cstring>
#include <numeric>

int CompareDisplayNames(const ScreensaverInfo& a, const ScreensaverInfo& b) {
  return _stricmp(a.strName.c_str(), b.strName.c_str());
}

void SortByDisplayName(CScreensaverArray& list) {
  std::sort(list.begin(), list.end(), [](const ScreensaverInfo& a, const ScreensaverInfo& b) {
    return CompareDisplayNames(a, b) < 0;
  });
}

// Sorting the indices by path brings each group of equal paths together with
// its lowest index first, so the whole pass costs n log n comparisons even
// for catalogues of thousands of entries.
bool RemoveDuplicatePaths(CScreensaverArray& list) {
  std::vector<size_t> order(list.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return ComparePaths(list[a].strPath, list[b].strPath) < 0;
  });
  std::vector<bool> duplicate(list.size());
  bool found = false;
  for (size_t i = 1; i < order.size(); ++i) {
    if (PathsEqual(list[order[i - 1]].strPath, list[order[i]].strPath))
      duplicate[order[i]] = found = true;
  }
  if (!found)
    return false;
  size_t kept = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (duplicate[i])
      continue;
    if (kept != i)
      list[kept] = std::move(list[i]);
    ++kept;
  }
  list.resize(kept);
  return true;
}

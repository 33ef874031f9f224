// Looking paths up in lists of thousands: the list is sorted once in the
// order of ComparePaths and searched by halving, so matching a catalogue
// against a list costs n log n comparisons instead of n times m. A path is
// found exactly when PathsEqual holds for one of the list's paths.
#pragma once

#include "catalogue/screensaver.h"

class CPathSet {
public:
  explicit CPathSet(CStringArray paths);
  bool Contains(const std::string& path) const;

private:
  CStringArray m_paths;
};

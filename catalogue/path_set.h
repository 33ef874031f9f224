// Looking paths up in lists of thousands: a path is found exactly when
// PathsEqual holds for one of the set's paths. Comparing paths in any case
// costs the C runtime a good deal for each character, too much for a
// hundred thousand paths on every start of the proxy. So paths of plain
// ASCII, nearly all of them, are hashed by their lower-case spelling, which
// is all PathsEqual compares for them; only the others are kept in the order
// of ComparePaths and found by halving. No path of plain ASCII equals one
// that is not.
#pragma once

#include "catalogue/screensaver.h"

#include <set>
#include <unordered_set>

class CPathSet {
public:
  CPathSet() = default;
  explicit CPathSet(const CStringArray& paths);
  // True when no equal path was in the set yet.
  bool Insert(const std::string& path);
  bool Contains(const std::string& path) const;

private:
  struct PathOrder {
    bool operator()(const std::string& a, const std::string& b) const {
      return ComparePaths(a, b) < 0;
    }
  };

  std::unordered_set<std::string> m_ascii;
  std::set<std::string, PathOrder> m_other;
};

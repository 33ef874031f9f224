// The sorted path list behind CPathSet.
#include "catalogue/path_set.h"

#include <algorithm>

namespace {

bool PathLess(const std::string& a, const std::string& b) { return ComparePaths(a, b) < 0; }

} // namespace

CPathSet::CPathSet(CStringArray paths) : m_paths(std::move(paths)) {
  std::sort(m_paths.begin(), m_paths.end(), PathLess);
}

bool CPathSet::Contains(const std::string& path) const {
  auto found = std::lower_bound(m_paths.begin(), m_paths.end(), path, PathLess);
  return found != m_paths.end() && PathsEqual(*found, path);
}

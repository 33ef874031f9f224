// The hashed and the ordered halves of CPathSet.
#include "catalogue/path_set.h"

namespace {

// The lower-case spelling of a path of plain ASCII; false for any other.
bool AsciiKey(const std::string& path, std::string& key) {
  key = path;
  for (char& c : key) {
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return true;
}

} // namespace

CPathSet::CPathSet(const CStringArray& paths) {
  for (const std::string& path : paths)
    Insert(path);
}

bool CPathSet::Insert(const std::string& path) {
  std::string key;
  return AsciiKey(path, key) ? m_ascii.insert(std::move(key)).second : m_other.insert(path).second;
}

bool CPathSet::Contains(const std::string& path) const {
  std::string key;
  return AsciiKey(path, key) ? m_ascii.count(key) != 0 : m_other.count(path) != 0;
}

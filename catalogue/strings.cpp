// String and path helpers shared by the catalogue, the list files and the
// command line.
#include "catalogue/screensaver.h"

#include "framework/ansi_text.h"

#include <windows.h>

#include <mbstring.h>

void SplitString(const std::string& text, CStringArray& out, char separator) {
  out.clear();
  std::string token;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == separator) {
      out.push_back(token);
      token.clear();
      continue;
    }
    token += text[i];
    if (i + 1 == text.size())
      out.push_back(token);
  }
}

bool IsStringInArray(const std::string& text, const CStringArray& array, bool ignoreCase) {
  for (const std::string& element : array)
    if (ignoreCase ? PathsEqual(text, element) : text == element)
      return true;
  return false;
}

namespace {

// The last backslash that is a character of its own: in a double-byte code
// page the trail byte of a character may be 0x5C too, where no byte of a
// UTF-8 sequence ever is.
size_t LastBackslash(const std::string& path) {
  if (AnsiIsUtf8())
    return path.rfind('\\');
  const auto* text = reinterpret_cast<const unsigned char*>(path.c_str());
  const unsigned char* found = _mbsrchr(text, '\\');
  return found ? static_cast<size_t>(found - text) : std::string::npos;
}

bool EndsInBackslash(const std::string& path) {
  return !path.empty() && LastBackslash(path) == path.size() - 1;
}

} // namespace

void AddTrailingBackslash(std::string& folder) {
  if (folder.size() > 1 && !EndsInBackslash(folder))
    folder += '\\';
}

void RemoveTrailingBackslashes(std::string& folder) {
  while (EndsInBackslash(folder))
    folder.pop_back();
}

std::string GetFileNameFromPath(const std::string& path) {
  size_t slash = LastBackslash(path);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string GetFolderFromPath(const std::string& path) {
  size_t slash = LastBackslash(path);
  return slash == std::string::npos ? path : path.substr(0, slash);
}

std::string MakeLower(std::string text) {
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsDBCSLeadByte(c) && i + 1 < text.size()) {
      ++i;
      continue;
    }
    if (c >= 'A' && c <= 'Z')
      text[i] = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

// The file system's own rule: UTF-16 code units compared after the system's
// upper-casing. Paths are mostly ASCII, which is compared here byte by byte
// in the same order; the rest, from the first byte that starts a character
// beyond ASCII on, goes to the system.
int ComparePaths(const std::string& a, const std::string& b) {
  size_t i = 0;
  for (; i < a.size() && i < b.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 0x80 || y >= 0x80)
      break;
    char ux = AsciiUpper(a[i]), uy = AsciiUpper(b[i]);
    if (ux != uy)
      return ux < uy ? -1 : 1;
  }
  if (i == a.size() || i == b.size())
    return a.size() == b.size() ? 0 : (i == a.size() ? -1 : 1);
  std::wstring x = WideFromAnsi(a.substr(i)), y = WideFromAnsi(b.substr(i));
  return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(),
                              static_cast<int>(y.size()), TRUE) -
         CSTR_EQUAL;
}

bool PathsEqual(const std::string& a, const std::string& b) { return ComparePaths(a, b) == 0; }

std::string GetWindowsFolder() {
  char buffer[MAX_PATH] = {};
  UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
  return length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string GetSystemFolder() {
  char buffer[MAX_PATH] = {};
  UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
  return length < MAX_PATH ? std::string(buffer, length) : std::string();
}

bool IsInDefaultFolder(const std::string& path) {
  // The folders stay where they are while the program runs: asked once, not
  // for each line of a list of a hundred thousand.
  auto bare = [](std::string folder) {
    RemoveTrailingBackslashes(folder);
    return folder;
  };
  static const std::string windows = bare(GetWindowsFolder()), system = bare(GetSystemFolder());
  std::string folder = GetFolderFromPath(path);
  RemoveTrailingBackslashes(folder);
  return PathsEqual(folder, windows) || PathsEqual(folder, system);
}

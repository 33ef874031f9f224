// Display names: the text fields of a screensaver's version resource, or a
// name made from its file name when the resource has none to give.
#include "catalogue/catalogue.h"
#include "catalogue/pe_resource.h"
#include "catalogue/regular_file.h"
#include "catalogue/version_block.h"
#include "framework/ansi_text.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

bool EndsWith(const std::string& text, const char* ending) {
  size_t length = strlen(ending);
  return text.size() >= length && text.compare(text.size() - length, length, ending) == 0;
}

std::string FallbackName(const std::string& path) {
  return StripScreensaverSuffix(GetScreensaverTitle(path));
}

bool InsideBlock(const std::vector<char>& block, const void* value, size_t size) {
  const char* start = static_cast<const char*>(value);
  return start >= block.data() && size <= block.size() &&
         start <= block.data() + block.size() - size;
}

// One text field of the language block; empty when the query fails. The
// text is read only up to the end of the block, terminated or not. The
// texts are UTF-16 in the resource: read as such and converted here, they
// keep every character the code page has, whatever room the ANSI query
// would leave its copy.
std::string QueryText(const std::vector<char>& block, const std::wstring& key,
                      const wchar_t* field) {
  std::wstring query = L"\\StringFileInfo\\" + key + L"\\" + field;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || length == 0 ||
      !InsideBlock(block, value, sizeof(wchar_t)))
    return "";
  const wchar_t* text = static_cast<const wchar_t*>(value);
  size_t room = (block.data() + block.size() - static_cast<const char*>(value)) / sizeof(wchar_t);
  return AnsiFromWide(text, wcsnlen(text, room));
}

} // namespace

void AssignDisplayNames(CScreensaverArray& list) {
  for (ScreensaverInfo& entry : list)
    entry.strName = GetScreensaverDisplayName(entry.strPath);
}

std::string GetScreensaverDisplayName(const std::string& path, const std::atomic<bool>* abandoned) {
  // Windows' file functions take at most MAX_PATH characters with the
  // terminator, counted in UTF-16; a longer path is named from its file
  // name alone, here too.
  if (WideFromAnsi(path).size() >= MAX_PATH)
    return FallbackName(path);
  // The texts are queried in the very bytes that were checked.
  std::vector<char> block;
  {
    FileHandle file = OpenRegularFile(path);
    if (!file || !ReadVersionResource(file.get(), block, abandoned))
      return FallbackName(path);
  }
  if (!IsSoundVersionBlock(block.data(), block.size()))
    return FallbackName(path);

  // A table shorter than one language and code-page pair has no usable entry.
  void* table = nullptr;
  UINT tableSize = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &table, &tableSize) ||
      tableSize < 2 * sizeof(WORD) || !InsideBlock(block, table, 2 * sizeof(WORD)))
    return FallbackName(path);
  const WORD* translation = static_cast<const WORD*>(table);
  char hex[16];
  snprintf(hex, sizeof hex, "%04X%04X", translation[0], translation[1]);
  std::wstring key(hex, hex + strlen(hex));

  // Only as many fields are read as the choice needs.
  std::string name = QueryText(block, key, L"FileDescription");
  if (name.empty())
    name = QueryText(block, key, L"ProductName");
  if (name.empty())
    name = QueryText(block, key, L"InternalName");
  return name.empty() ? GetScreensaverTitle(path) : StripScreensaverSuffix(name);
}

std::string GetScreensaverTitle(const std::string& path) {
  std::string name = GetFileNameFromPath(path);
  if (EndsWith(MakeLower(name), ".scr"))
    name.resize(name.size() - 4);
  return name;
}

std::string StripScreensaverSuffix(std::string name) {
  std::string lower = MakeLower(name);
  if (EndsWith(lower, " screensaver"))
    name.resize(name.size() - 12);
  else if (EndsWith(lower, " screen saver"))
    name.resize(name.size() - 13);
  return name;
}

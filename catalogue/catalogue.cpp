// The folder scan and the catalogue build, and the whole pipeline that turns
// them into the list the user sees.
#include "catalogue/catalogue.h"
#include "catalogue/path_set.h"
#include "catalogue/settings.h"
#include "framework/ansi_text.h"

#include "framework/handle.h"

#include <windows.h>

#include <cwchar>

bool LoadScreensaverCatalogue(CScreensaverArray& list) {
  bool read = BuildScreensaverList(list);
  AssignDisplayNames(list);
  read = ApplyDisabledList(list) && read;
  CheckAllWhenNoneChecked(list);
  SortByDisplayName(list);
  RemoveDuplicatePaths(list);
  return read;
}

bool NamesProxyScreensaver(const std::string& text) {
  static const std::string proxy = MakeLower(kProxyFileName);
  return MakeLower(text).find(proxy) != std::string::npos;
}

bool BuildScreensaverList(CScreensaverArray& list) {
  std::string folders[] = {GetWindowsFolder(), GetSystemFolder()};
  list.clear();
  for (std::string& folder : folders) {
    RemoveTrailingBackslashes(folder);
    folder += '\\';
    CStringArray names;
    FindFilesByExtension(folder, ".scr", names);
    for (const std::string& name : names)
      if (!NamesProxyScreensaver(name))
        list.push_back({folder + name, "", true});
  }
  CScreensaverArray additional;
  bool read = ReadAdditionalScreensavers(additional);
  list.insert(list.end(), additional.begin(), additional.end());
  return read;
}

void CheckAllWhenNoneChecked(CScreensaverArray& list) {
  for (const ScreensaverInfo& entry : list)
    if (entry.bEnabled)
      return;
  for (ScreensaverInfo& entry : list)
    entry.bEnabled = true;
}

bool UpdateFromListFiles(const CScreensaverArray& known, CScreensaverArray& list) {
  list.clear();
  CScreensaverArray additional;
  if (!ReadAdditionalScreensavers(additional))
    return false;
  CStringArray paths;
  for (const ScreensaverInfo& entry : additional)
    paths.push_back(entry.strPath);
  CPathSet listed(std::move(paths));
  paths.clear();
  for (const ScreensaverInfo& entry : known) {
    if (IsInDefaultFolder(entry.strPath) || listed.Contains(entry.strPath)) {
      list.push_back(entry);
      paths.push_back(entry.strPath);
    }
  }
  CPathSet kept(std::move(paths));
  for (ScreensaverInfo& entry : additional)
    if (!kept.Contains(entry.strPath))
      list.push_back(std::move(entry));
  RemoveDuplicatePaths(list);
  bool read = ApplyDisabledList(list);
  CheckAllWhenNoneChecked(list);
  return read;
}

namespace {

// Whether the name ends in the extension, compared as the system would;
// a name shorter than the extension is compared whole.
bool HasExtension(const std::string& name, const std::string& extension) {
  size_t start = name.size() > extension.size() ? name.size() - extension.size() : 0;
  return PathsEqual(name.substr(start), extension);
}

} // namespace

void FindFilesByExtension(std::string folder, const std::string& extensions, CStringArray& names) {
  names.clear();
  AddTrailingBackslash(folder);
  CStringArray wanted;
  SplitString(extensions, wanted, '|');
  // The names are read in UTF-16: the ANSI form of a name in a script of
  // three bytes a character may not fit the ANSI call's MAX_PATH bytes.
  WIN32_FIND_DATAW entry;
  FindHandle find(FindFirstFileW(WideFromAnsi(folder + "*.*").c_str(), &entry));
  if (!find)
    return;
  do {
    // A folder (".." and "." among them) is never a screensaver, whatever
    // other attributes it has.
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      continue;
    std::string name = AnsiFromWide(entry.cFileName, wcslen(entry.cFileName));
    if (extensions == ".*") {
      names.push_back(name);
      continue;
    }
    for (const std::string& extension : wanted) {
      if (HasExtension(name, extension)) {
        names.push_back(name);
        break;
      }
    }
  } while (FindNextFileW(find.get(), &entry));
}

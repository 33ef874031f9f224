// The folder scan and the catalogue build, and the whole pipeline that turns
// them into the list the user sees.
#include "catalogue/catalogue.h"
#include "catalogue/settings.h"

#include "framework/handle.h"

#include <windows.h>

bool LoadScreensaverCatalogue(CScreensaverArray& list) {
  bool read = BuildScreensaverList(list);
  AssignDisplayNames(list);
  read = ApplyDisabledList(list) && read;
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
  WIN32_FIND_DATAA entry;
  FindHandle find(FindFirstFileA((folder + "*.*").c_str(), &entry));
  if (!find)
    return;
  do {
    // A folder (".." and "." among them) is never a screensaver, whatever
    // other attributes it has.
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      continue;
    std::string name = entry.cFileName;
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
  } while (FindNextFileA(find.get(), &entry));
}

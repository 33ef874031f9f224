// The two list files in the installation folder: the screensavers added from
// other folders, and the unchecked ones. One full path per line.
#include "catalogue/catalogue.h"
#include "catalogue/path_set.h"
#include "catalogue/settings.h"

#include "framework/text_file.h"

#include <windows.h>

#include <algorithm>

namespace {

const char kAdditionalFile[] = "AdditionalScreensavers.dat";
const char kDisabledFile[] = "DisabledScreensavers.dat";

std::string ListFilePath(const char* fileName) { return GetInstallDir() + fileName; }

// A missing file is an empty list; one that is there but cannot be read is
// not, and no list may be written back from what such a read gave.
bool ReadListFile(const std::string& path, CStringArray& lines) {
  if (ReadTextLines(path, lines))
    return true;
  lines.clear();
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
    return false;
  DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

bool ReadAdditionalScreensavers(CScreensaverArray& list) {
  list.clear();
  CStringArray lines;
  bool read = ReadListFile(ListFilePath(kAdditionalFile), lines);
  for (const std::string& line : lines) {
    // Screensavers in the default folders are found by the folder scan.
    if (line.empty() || NamesProxyScreensaver(line) || IsInDefaultFolder(line))
      continue;
    list.push_back({line, "", true});
  }
  return read;
}

bool WriteAdditionalScreensavers(const CStringArray& paths) {
  return WriteTextLines(ListFilePath(kAdditionalFile), paths);
}

bool ApplyDisabledList(CScreensaverArray& list) {
  CStringArray lines;
  bool read = ReadListFile(ListFilePath(kDisabledFile), lines);
  lines.erase(std::remove(lines.begin(), lines.end(), std::string()), lines.end());
  CPathSet disabled(std::move(lines));
  for (ScreensaverInfo& entry : list)
    entry.bEnabled = !disabled.Contains(entry.strPath);
  return read;
}

bool WriteDisabledScreensavers(const CScreensaverArray& list) {
  CStringArray paths;
  for (const ScreensaverInfo& entry : list)
    if (!entry.bEnabled)
      paths.push_back(entry.strPath);
  return WriteTextLines(ListFilePath(kDisabledFile), paths);
}

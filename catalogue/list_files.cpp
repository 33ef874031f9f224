// The two list files in the installation folder: the screensavers added from
// other folders, and the unchecked ones. One full path per line.
#include "catalogue/catalogue.h"
#include "catalogue/path_set.h"
#include "catalogue/settings.h"

#include "framework/text_file.h"

#include <algorithm>

namespace {

const char kAdditionalFile[] = "AdditionalScreensavers.dat";
const char kDisabledFile[] = "DisabledScreensavers.dat";

std::string ListFilePath(const char* fileName) { return GetInstallDir() + fileName; }

} // namespace

void ReadAdditionalScreensavers(CScreensaverArray& list) {
  list.clear();
  CStringArray lines;
  ReadTextLines(ListFilePath(kAdditionalFile), lines);
  for (const std::string& line : lines) {
    // Screensavers in the default folders are found by the folder scan.
    if (line.empty() || NamesProxyScreensaver(line) || IsInDefaultFolder(line))
      continue;
    list.push_back({line, "", true});
  }
}

void WriteAdditionalScreensavers(const CStringArray& paths) {
  WriteTextLines(ListFilePath(kAdditionalFile), paths);
}

void ApplyDisabledList(CScreensaverArray& list) {
  CStringArray lines;
  ReadTextLines(ListFilePath(kDisabledFile), lines);
  lines.erase(std::remove(lines.begin(), lines.end(), std::string()), lines.end());
  CPathSet disabled(std::move(lines));
  for (ScreensaverInfo& entry : list)
    entry.bEnabled = !disabled.Contains(entry.strPath);
}

void WriteDisabledScreensavers(const CScreensaverArray& list) {
  CStringArray paths;
  for (const ScreensaverInfo& entry : list)
    if (!entry.bEnabled)
      paths.push_back(entry.strPath);
  WriteTextLines(ListFilePath(kDisabledFile), paths);
}

// The screensaver catalogue's record and array, and the string and path
// helpers that the catalogue, the list files and start-up share.
#pragma once

#include <string>
#include <vector>

struct ScreensaverInfo {
  std::string strPath;  // full path of the screensaver file
  std::string strName;  // display name; empty until names are assigned
  bool bEnabled = true; // checked: takes part in the rotation
};

using CScreensaverArray = std::vector<ScreensaverInfo>;
using CStringArray = std::vector<std::string>;

// Splits at every separator byte; a separator at the very end adds no empty
// last token, and an empty text gives no tokens.
void SplitString(const std::string& text, CStringArray& out, char separator);
bool IsStringInArray(const std::string& text, const CStringArray& array, bool ignoreCase);
void AddTrailingBackslash(std::string& folder);
void RemoveTrailingBackslashes(std::string& folder);
std::string GetFileNameFromPath(const std::string& path);
std::string GetFolderFromPath(const std::string& path);
// Lower-cases single-byte A-Z only; both bytes of a double-byte character of
// the current code page and every byte of a UTF-8 sequence stay as they are.
std::string MakeLower(std::string text);
// Case-insensitive comparison of paths as the file system makes it, letters
// of every script included (on their UTF-16 forms, never byte by byte):
// negative, zero or positive, a consistent order for sorting paths.
int ComparePaths(const std::string& a, const std::string& b);
bool PathsEqual(const std::string& a, const std::string& b);

std::string GetWindowsFolder();
std::string GetSystemFolder();
// True for a file directly in the Windows folder or the system folder.
bool IsInDefaultFolder(const std::string& path);

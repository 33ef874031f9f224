// Files that tests put into the test prefix and take away again: the
// screensaver fixtures built beside the tests, scratch folders, copies
// placed in the Windows and system folders, and the installation folder
// that the list files live in.
#pragma once

#include "framework/app.h"

#include <string>

// A screensaver file of the build: a sample ("Starfield", "Aurora") or a
// test fixture ("caps", "no_version", ...).
std::string SaverFile(const std::string& name);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// A new empty folder under the temporary folder, removed with all it holds.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // With a trailing backslash.
  const std::string& Path() const { return m_strPath; }

private:
  std::string m_strPath;
};

// A copy of a file, deleted again at the end of the test. Tests choose
// names that nothing else in the prefix uses.
class PlacedFile {
public:
  PlacedFile(const std::string& source, const std::string& destination);
  ~PlacedFile();
  PlacedFile(const PlacedFile&) = delete;
  PlacedFile& operator=(const PlacedFile&) = delete;
  bool Placed() const { return m_bPlaced; }
  const std::string& Path() const { return m_strPath; }

private:
  std::string m_strPath;
  bool m_bPlaced;
};

// The application object the settings need, with "InstallDir" pointing at a
// scratch folder for the length of the test.
class ScratchInstallDir {
public:
  ScratchInstallDir();
  ~ScratchInstallDir();
  const std::string& Path() const { return m_folder.Path(); }
  std::string AdditionalList() const { return Path() + "AdditionalScreensavers.dat"; }
  std::string DisabledList() const { return Path() + "DisabledScreensavers.dat"; }

private:
  CWinApp m_app{"Norvane"};
  TempFolder m_folder;
};

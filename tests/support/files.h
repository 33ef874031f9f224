// Files that tests put into the test prefix and take away again: the
// screensaver fixtures built beside the tests, scratch folders, copies
// placed in the Windows and system folders, and the installation folder
// that the list files live in.
#pragma once

#include "framework/app.h"

#include <string>
#include <vector>

// A screensaver file of the build: a sample ("Starfield", "Aurora") or a
// test fixture ("caps", "no_version", ...).
std::string SaverFile(const std::string& name);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// Removes a folder (no trailing backslash) with everything in it.
void RemoveFolderTree(const std::string& folder);
// The Windows folder with a trailing backslash, ready for a file name.
std::string WindowsFolderPath();

// The lines as the program writes a list file: each ended by CR LF.
std::string ListFileBytes(const std::vector<std::string>& lines);

// Which version of a file is on disk, told by its attributes alone.
struct FileStamp {
  bool exists = false;
  ULONGLONG size = 0, written = 0;
  bool operator==(const FileStamp& other) const {
    return exists == other.exists && size == other.size && written == other.written;
  }
};
FileStamp StampOf(const std::string& path);

// Waits until a write after the version `before` leaves exactly these bytes
// in the file. Between writes only the attributes are polled, which opens no
// handle: the program leaves a list file as it was while another process
// holds it open, so a test reading at the wrong moment would lose the write
// it waits for.
bool WaitForFileWrite(const std::string& path, const FileStamp& before, const std::string& bytes,
                      DWORD timeoutMs = 10000);

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

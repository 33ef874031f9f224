// File helpers for tests.
#include "tests/support/files.h"

#include "catalogue/screensaver.h"
#include "framework/handle.h"
#include "framework/text_file.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"

namespace {

std::wstring Widen(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                   static_cast<int>(wide.size()));
  wide.resize(length > 0 ? length : 0);
  return wide;
}

// Wide-character calls, so that trees deeper than MAX_PATH go too.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &entry));
  if (find) {
    do {
      std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..")
        continue;
      std::wstring path = folder + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find.get(), &entry));
  }
  find.reset();
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_DIRECTORY);
  RemoveDirectoryW(folder.c_str());
}

} // namespace

void RemoveFolderTree(const std::string& folder) { RemoveTree(Widen(folder)); }

std::string SaverFile(const std::string& name) {
  bool sample = name == "Starfield" || name == "Aurora";
  return BesideTestProgram((sample ? "savers\\" : "savers\\fixtures\\") + name + ".scr");
}

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  ReadWholeFile(path, bytes);
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ListFileBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines)
    bytes += line + "\r\n";
  return bytes;
}

FileStamp StampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  FileStamp stamp;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return stamp;
  stamp.exists = true;
  stamp.size = (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  stamp.written =
      (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
  return stamp;
}

bool WaitForFileWrite(const std::string& path, const FileStamp& before, const std::string& bytes,
                      DWORD timeoutMs) {
  FileStamp seen = before;
  return WaitUntil(
      [&] {
        FileStamp now = StampOf(path);
        if (now == seen || !now.exists)
          return false;
        // Written, since the program replaces the file whole.
        seen = now;
        return now.size == bytes.size() && ReadFileBytes(path) == bytes;
      },
      timeoutMs);
}

TempFolder::TempFolder() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  static unsigned counter = 0;
  do {
    m_strPath = std::string(base) + "nvtest" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++counter);
  } while (!CreateDirectoryA(m_strPath.c_str(), nullptr) && counter < 1000);
  m_strPath += '\\';
}

TempFolder::~TempFolder() { RemoveTree(Widen(m_strPath.substr(0, m_strPath.size() - 1))); }

PlacedFile::PlacedFile(const std::string& source, const std::string& destination)
    : m_strPath(destination),
      m_bPlaced(CopyFileW(Widen(source).c_str(), Widen(destination).c_str(), FALSE) != FALSE) {}

// The manager reads screensaver files on a thread of its own, so one it
// still runs may hold the file for a moment.
PlacedFile::~PlacedFile() {
  if (m_bPlaced)
    WaitUntil([&] {
      return DeleteFileW(Widen(m_strPath).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
    });
}

ScratchInstallDir::ScratchInstallDir() {
  m_app.SetRegistryKey("Tessaly");
  SetRegString(kAppKey, "InstallDir", Path());
}

ScratchInstallDir::~ScratchInstallDir() { DeleteRegValue(kAppKey, "InstallDir"); }

std::string WindowsFolderPath() {
  std::string folder = GetWindowsFolder();
  AddTrailingBackslash(folder);
  return folder;
}

// File writes through a temporary file and a replace.
#include "file_writer.h"

#include "catalogue/screensaver.h"
#include "framework/handle.h"

#include <windows.h>

#include <algorithm>

namespace {

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteAll(const std::string& path, std::string_view bytes) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file)
    return false;
  while (!bytes.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 20)), written = 0;
    if (!WriteFile(file.get(), bytes.data(), chunk, &written, nullptr) || written == 0)
      return false;
    bytes.remove_prefix(written);
  }
  return FlushFileBuffers(file.get()) != FALSE;
}

} // namespace

bool CreateFolderTree(const std::string& folder) {
  std::string path = folder;
  RemoveTrailingBackslashes(path);
  if (path.empty() || IsFolder(path))
    return !path.empty();
  std::string parent = GetFolderFromPath(path);
  RemoveTrailingBackslashes(parent);
  if (!parent.empty() && parent != path && !IsFolder(parent) && !CreateFolderTree(parent))
    return false;
  // A file of that name is no folder, even though the name exists.
  return CreateDirectoryA(path.c_str(), nullptr) || IsFolder(path);
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes) {
  std::string folder = GetFolderFromPath(path);
  char temporary[MAX_PATH] = {};
  if (!GetTempFileNameA(folder.c_str(), "nvs", 0, temporary))
    return false;
  bool written =
      WriteAll(temporary, bytes) &&
      MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!written) {
    DWORD error = GetLastError();
    DeleteFileA(temporary);
    SetLastError(error);
  }
  return written;
}

bool DeleteFileIfPresent(const std::string& path) {
  if (DeleteFileA(path.c_str()))
    return true;
  DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool RemoveFolderIfEmpty(const std::string& folder) {
  std::string path = folder;
  RemoveTrailingBackslashes(path);
  return RemoveDirectoryA(path.c_str()) || !IsFolder(path);
}

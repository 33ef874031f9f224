// Reading and replacing text files. A write goes to a temporary file beside
// the target, is flushed to disk, and only then takes the target's place.
#include "framework/text_file.h"

#include "framework/handle.h"
#include "framework/text_encoding.h"

#include <algorithm>

namespace {

// Another process holds a list file only for the length of one read or
// write: a short wait gets past it, where giving up would read the list as
// empty.
const DWORD kSharingRetryMs = 2000;
const DWORD kSharingPauseMs = 20;

HANDLE OpenUnshared(const std::string& path, DWORD access, DWORD disposition) {
  DWORD start = GetTickCount();
  for (;;) {
    HANDLE file =
        CreateFileA(path.c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION ||
        GetTickCount() - start >= kSharingRetryMs)
      return file;
    Sleep(kSharingPauseMs);
  }
}

// A temporary file that a crash left behind, perhaps read-only by now, must
// not keep every later write from replacing the list.
void RemoveStaleFile(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}

// A line of a binary file, or of UTF-16 without its mark, holds NUL bytes;
// like the system's text reader, everything from the first one on is
// dropped, and nothing past one is ever written back.
std::string UpToNul(const std::string& line) { return line.substr(0, line.find('\0')); }

bool WriteWhole(HANDLE file, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1 << 20));
    DWORD written = 0;
    if (!WriteFile(file, text.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return FlushFileBuffers(file) != FALSE;
}

// Another process that holds the file open must keep it as it is: the
// replacement would otherwise pull the file away under it.
bool IsFileFree(const std::string& path) {
  FileHandle file(OpenUnshared(path, GENERIC_READ, OPEN_EXISTING));
  if (file)
    return true;
  DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  FileHandle file(OpenUnshared(path, GENERIC_READ, OPEN_EXISTING));
  if (!file)
    return false;
  char buffer[65536];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr))
      return false;
    if (read == 0)
      return true;
    bytes.append(buffer, read);
  }
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  std::string text;
  if (!ReadWholeFile(path, text))
    return false;

  text = TextOfFile(std::move(text));
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    size_t length = end - start;
    if (end < text.size() && length > 0 && text[end - 1] == '\r')
      --length;
    lines.push_back(LineInCodePage(UpToNul(text.substr(start, length))));
    start = end + 1;
  }
  return true;
}

bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += UpToNul(line) + "\r\n";

  std::string temporary = path + ".tmp";
  RemoveStaleFile(temporary);
  FileHandle file(OpenUnshared(temporary, GENERIC_WRITE, CREATE_ALWAYS));
  if (!file)
    return false;
  bool written = WriteWhole(file.get(), text);
  DWORD error = GetLastError();
  file.reset();
  if (written && IsFileFree(path) &&
      MoveFileExA(temporary.c_str(), path.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  if (written)
    error = GetLastError();
  DeleteFileA(temporary.c_str());
  SetLastError(error);
  return false;
}

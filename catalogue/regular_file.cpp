// Regular files by name and by handle. The names are those the system maps to
// devices: the device namespaces, the pipe and mail-slot shares of any
// server, and the reserved device names, which stand for a device in any
// folder and with any extension.
#include "catalogue/regular_file.h"

#include "catalogue/screensaver.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

bool StartsWith(const std::string& text, const char* start) {
  return text.compare(0, strlen(start), start) == 0;
}

// The names compared here are ASCII: upper-casing only a to z leaves every
// byte of a multi-byte character as it is, where the system's CharUpperBuffA
// may change a UTF-8 character's length in place.
std::string AsciiUpper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// "C:\" at the start of the text.
bool IsDrivePath(const std::string& text) {
  return text.size() >= 3 && isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' &&
         text[2] == '\\';
}

// The share of a "\\server\share\..." path, upper-cased.
std::string ShareOf(const std::string& unc) {
  size_t server = unc.find('\\', 2);
  if (server == std::string::npos)
    return "";
  size_t share = unc.find('\\', server + 1);
  return AsciiUpper(
      unc.substr(server + 1, share == std::string::npos ? share : share - server - 1));
}

// CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9 and the console's buffers,
// before any extension or colon, trailing blanks ignored.
bool IsReservedDeviceName(const std::string& path) {
  std::string name = GetFileNameFromPath(path);
  name = name.substr(0, name.find_first_of(".:"));
  while (!name.empty() && name.back() == ' ')
    name.pop_back();
  name = AsciiUpper(name);
  if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" || name == "CONIN$" ||
      name == "CONOUT$")
    return true;
  return name.size() == 4 && (StartsWith(name, "COM") || StartsWith(name, "LPT")) &&
         name[3] >= '1' && name[3] <= '9';
}

bool NamesDevice(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  // "\\.\", "\\?\" and "\??\" reach every device; only a drive or a
  // server's share behind them is a file system.
  if (StartsWith(path, "\\\\.\\") || StartsWith(path, "\\\\?\\") || StartsWith(path, "\\??\\")) {
    std::string rest = path.substr(4);
    if (IsDrivePath(rest))
      return false;
    if (AsciiUpper(rest.substr(0, 4)) != "UNC\\")
      return true;
    path = "\\" + rest.substr(3);
  } else if (IsReservedDeviceName(path)) {
    return true;
  }
  if (StartsWith(path, "\\\\")) {
    std::string share = ShareOf(path);
    return share == "PIPE" || share == "MAILSLOT";
  }
  return false;
}

} // namespace

FileHandle OpenRegularFile(const std::string& path) {
  if (NamesDevice(path))
    return FileHandle();
  // A folder cannot be opened this way.
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr));
  if (file && GetFileType(file.get()) != FILE_TYPE_DISK)
    file.reset();
  return file;
}

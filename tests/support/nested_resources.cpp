// The hostile file: DOS header, PE32+ headers with one section, ".rsrc",
// which holds the three directories, one data entry and the version block.
#include "tests/support/nested_resources.h"

#include <windows.h>

#include <cstring>

namespace {

void Put16(std::string& bytes, size_t at, WORD value) { memcpy(&bytes[at], &value, sizeof value); }
void Put32(std::string& bytes, size_t at, DWORD value) { memcpy(&bytes[at], &value, sizeof value); }

// The version block, found by its key "VS_VERSION_INFO" in UTF-16.
std::string VersionBlockOf(const std::string& bytes) {
  const char key[] = "V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0";
  size_t at = bytes.find(std::string(key, sizeof key - 1));
  if (at == std::string::npos || at < 6)
    return "";
  size_t block = at - 6;
  size_t length =
      static_cast<unsigned char>(bytes[block]) | static_cast<unsigned char>(bytes[block + 1]) << 8;
  return bytes.substr(block, length);
}

} // namespace

std::string NestedResourceFile(const std::string& saverBytes, int n) {
  const DWORD kResourcesAt = 0x1000, kResourcesInFile = 0x200, kSubdirectory = 0x80000000;
  std::string version = VersionBlockOf(saverBytes);
  const size_t directory = 16 + 8 * static_cast<size_t>(n);
  const size_t names = directory, languages = 2 * directory, data = 3 * directory;
  const size_t block = (data + 16 + 3) & ~size_t(3);
  const DWORD size = static_cast<DWORD>(block + version.size());
  std::string bytes(kResourcesInFile + size, '\0');

  bytes[0] = 'M', bytes[1] = 'Z';
  Put32(bytes, 0x3C, 0x40);
  memcpy(&bytes[0x40], "PE\0\0", 4);
  const size_t file = 0x44, optional = file + 20, section = optional + 240;
  Put16(bytes, file, IMAGE_FILE_MACHINE_AMD64);
  Put16(bytes, file + 2, 1);    // sections
  Put16(bytes, file + 16, 240); // optional header
  Put16(bytes, file + 18, IMAGE_FILE_EXECUTABLE_IMAGE | IMAGE_FILE_LARGE_ADDRESS_AWARE);
  Put16(bytes, optional, IMAGE_NT_OPTIONAL_HDR64_MAGIC);
  Put32(bytes, optional + 108, IMAGE_NUMBEROF_DIRECTORY_ENTRIES);
  Put32(bytes, optional + 112 + 8 * IMAGE_DIRECTORY_ENTRY_RESOURCE, kResourcesAt);
  Put32(bytes, optional + 116 + 8 * IMAGE_DIRECTORY_ENTRY_RESOURCE, size);
  memcpy(&bytes[section], ".rsrc", 5);
  Put32(bytes, section + 8, size);
  Put32(bytes, section + 12, kResourcesAt);
  Put32(bytes, section + 16, size);
  Put32(bytes, section + 20, kResourcesInFile);
  Put32(bytes, section + 36, IMAGE_SCN_CNT_INITIALIZED_DATA | IMAGE_SCN_MEM_READ);

  // Each directory: its header, whose last word counts the numbered
  // entries, then n entries of a number and where they lead.
  auto fill = [&](size_t at, int id, DWORD target) {
    Put16(bytes, kResourcesInFile + at + 14, static_cast<WORD>(n));
    for (int i = 0; i < n; ++i) {
      Put32(bytes, kResourcesInFile + at + 16 + 8 * i, id < 0 ? i : id);
      Put32(bytes, kResourcesInFile + at + 20 + 8 * i, target);
    }
  };
  fill(0, 16, kSubdirectory | static_cast<DWORD>(names));
  fill(names, 1, kSubdirectory | static_cast<DWORD>(languages));
  fill(languages, -1, static_cast<DWORD>(data));
  Put32(bytes, kResourcesInFile + data, kResourcesAt + static_cast<DWORD>(block));
  Put32(bytes, kResourcesInFile + data + 4, static_cast<DWORD>(version.size()));
  memcpy(&bytes[kResourcesInFile + block], version.data(), version.size());
  return bytes;
}

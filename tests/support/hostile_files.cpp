// The hostile files. The nested one is made whole: DOS header, PE32+
// headers with one section, ".rsrc", which holds the three directories, one
// data entry and the version block. The others are changed copies.
#include "tests/support/hostile_files.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

void Put16(std::string& bytes, size_t at, WORD value) { memcpy(&bytes[at], &value, sizeof value); }
void Put32(std::string& bytes, size_t at, DWORD value) { memcpy(&bytes[at], &value, sizeof value); }

DWORD DwordAt(const std::string& bytes, size_t at) {
  DWORD value = 0;
  memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

std::string Utf16(const std::string& ascii) {
  std::string wide;
  for (char c : ascii)
    wide += {c, '\0'};
  return wide + std::string(2, '\0');
}

void Pad4(std::string& bytes) { bytes.resize((bytes.size() + 3) & ~size_t(3), '\0'); }

// One node of a version block: header, key, value and children, each on a
// 4-byte boundary; its length leaves out the padding after it.
std::string Node(const std::string& key, const std::string& value, WORD valueLength, WORD type,
                 const std::vector<std::string>& children = {}) {
  std::string node(6, '\0');
  node += Utf16(key);
  Pad4(node);
  node += value;
  for (const std::string& child : children) {
    Pad4(node);
    node += child;
  }
  Put16(node, 0, static_cast<WORD>(node.size()));
  Put16(node, 2, valueLength);
  Put16(node, 4, type);
  return node;
}

} // namespace

VersionResource FindVersionResource(const std::string& bytes) {
  VersionResource found;
  const char key[] = "V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0";
  size_t at = bytes.find(std::string(key, sizeof key - 1));
  if (at == std::string::npos || at < 6)
    return found;
  found.block = at - 6;
  found.length = static_cast<unsigned char>(bytes[found.block]) |
                 static_cast<unsigned char>(bytes[found.block + 1]) << 8;
  // The entry's address and the block's file offset differ by the resource
  // section's placement, a multiple of the file alignment.
  for (size_t entry = 4; entry + 16 <= bytes.size(); entry += 4)
    if (DwordAt(bytes, entry + 4) == found.length && DwordAt(bytes, entry + 12) == 0 &&
        DwordAt(bytes, entry) != 0 && ((DwordAt(bytes, entry) - found.block) & 0x1FF) == 0)
      found.entry = entry;
  return found;
}

std::string NestedResourceFile(const std::string& saverBytes, int n) {
  const DWORD kResourcesAt = 0x1000, kResourcesInFile = 0x200, kSubdirectory = 0x80000000;
  VersionResource found = FindVersionResource(saverBytes);
  std::string version = found.block == std::string::npos
                            ? std::string()
                            : saverBytes.substr(found.block, found.length);
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

std::string DeepVersionFile(const std::string& saverBytes) {
  std::string bytes = saverBytes;
  VersionResource found = FindVersionResource(bytes);
  if (found.block == std::string::npos)
    return bytes;
  std::string fixed(52, '\0');
  Put32(fixed, 0, 0xFEEF04BD);
  Put32(fixed, 4, 0x10000);
  const std::string description = Utf16("Deeply Nested");
  std::string below = Node("x", "", 0, 1, {Node("y", "", 0, 1)});
  std::string strings = Node("StringFileInfo", "", 0, 1,
                             {Node("040904B0", "", 0, 1,
                                   {Node("FileDescription", description,
                                         static_cast<WORD>(description.size() / 2), 1, {below})})});
  std::string translation = "\x09\x04\xB0\x04";
  std::string variables = Node("VarFileInfo", "", 0, 1, {Node("Translation", translation, 4, 0)});
  std::string block = Node("VS_VERSION_INFO", fixed, 52, 0, {strings, variables});
  if (block.size() <= found.length)
    bytes.replace(found.block, block.size(), block);
  return bytes;
}

std::string OversizedVersionFile(const std::string& saverBytes) {
  const DWORD kClaimed = 200 * 1024;
  std::string bytes = saverBytes;
  VersionResource found = FindVersionResource(bytes);
  if (found.entry == std::string::npos)
    return bytes;
  Put32(bytes, found.entry + 4, kClaimed);
  // The section that holds the block reaches far enough, and so does the
  // file.
  size_t headers = DwordAt(bytes, 0x3C);
  size_t sections = DwordAt(bytes, headers + 4) >> 16;
  size_t table = headers + 24 + (DwordAt(bytes, headers + 20) & 0xFFFF);
  for (size_t i = 0; i < sections; ++i) {
    size_t section = table + 40 * i;
    DWORD raw = DwordAt(bytes, section + 20), rawSize = DwordAt(bytes, section + 16);
    if (found.block < raw || found.block >= raw + rawSize)
      continue;
    DWORD needed = static_cast<DWORD>(found.block - raw) + kClaimed;
    Put32(bytes, section + 16, needed);
    Put32(bytes, section + 8, needed);
    if (bytes.size() < raw + needed)
      bytes.resize(raw + needed, '\0');
  }
  return bytes;
}

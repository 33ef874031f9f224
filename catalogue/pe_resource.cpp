// Walking a program file's headers and resource directory with plain reads:
// the DOS header leads to the PE headers, whose data directory gives the
// resource directory's address, which the section table turns into a place
// in the file. The walk goes down one path, type 16 (version), name 1, one
// language, so each directory is read at most once, and it gives up once it
// has read more entries than a program ever has: a crafted directory of
// thousands of entries costs a few pages, not hours.
#include "catalogue/pe_resource.h"

#include <algorithm>
#include <cstring>

namespace {

const WORD kVersionType = 16;
const WORD kVersionName = 1;
const DWORD kSubdirectory = 0x80000000;
const DWORD kPage = 4096;
// Entries read in the three directories together; real programs need tens.
const DWORD kEntryBudget = 2048;
// A resource of at most 64 KB needs at most four times that with the room
// for its conversions; a size beyond that is a damaged resource entry.
const DWORD kMaxBlock = 4 * 65536;

class CProgramFile {
public:
  CProgramFile(HANDLE file, const std::atomic<bool>* abandoned)
      : m_file(file), m_abandoned(abandoned) {
    LARGE_INTEGER size;
    m_nSize = GetFileSizeEx(file, &size) ? static_cast<ULONGLONG>(size.QuadPart) : 0;
  }

  // Served from the last page read where it can be: the headers and the
  // resource directory are small, and a read costs far more than a copy.
  bool Read(ULONGLONG offset, void* buffer, DWORD length) {
    if (offset + length > m_nSize)
      return false;
    if (offset < m_nPageAt || offset + length > m_nPageAt + m_page.size()) {
      if (m_abandoned && *m_abandoned)
        return false;
      m_page.resize(std::max<DWORD>(length, kPage));
      OVERLAPPED at = {};
      at.Offset = static_cast<DWORD>(offset);
      at.OffsetHigh = static_cast<DWORD>(offset >> 32);
      DWORD read = 0;
      if (!ReadFile(m_file, m_page.data(), static_cast<DWORD>(m_page.size()), &read, &at) ||
          read < length) {
        m_page.clear();
        return false;
      }
      m_page.resize(read);
      m_nPageAt = offset;
    }
    memcpy(buffer, m_page.data() + (offset - m_nPageAt), length);
    return true;
  }
  template <typename T>
  bool Read(ULONGLONG offset, T* value) {
    return Read(offset, value, sizeof *value);
  }

  // Reads the headers; false when the file is not a program with
  // resources, or its headers cannot be read.
  bool FindResources() {
    WORD magic = 0, sections = 0, optionalSize = 0, optionalMagic = 0;
    LONG headers = 0;
    DWORD signature = 0;
    if (!Read(0, &magic) || magic != IMAGE_DOS_SIGNATURE || !Read(0x3C, &headers) || headers < 0 ||
        !Read(headers, &signature) || signature != IMAGE_NT_SIGNATURE ||
        !Read(headers + 6, &sections) || !Read(headers + 20, &optionalSize) ||
        !Read(headers + 24, &optionalMagic))
      return false;
    ULONGLONG optional = headers + 24;
    ULONGLONG directories = optional + (optionalMagic == IMAGE_NT_OPTIONAL_HDR64_MAGIC ? 112 : 96);
    DWORD count = 0;
    IMAGE_DATA_DIRECTORY resources = {};
    if (!Read(directories - 4, &count) || count <= IMAGE_DIRECTORY_ENTRY_RESOURCE ||
        !Read(directories + IMAGE_DIRECTORY_ENTRY_RESOURCE * sizeof resources, &resources) ||
        resources.VirtualAddress == 0)
      return false;
    m_sections.resize(sections);
    if (sections && !Read(optional + optionalSize, m_sections.data(),
                          static_cast<DWORD>(sections * sizeof(IMAGE_SECTION_HEADER))))
      return false;
    return PlaceOf(resources.VirtualAddress, sizeof(IMAGE_RESOURCE_DIRECTORY), &m_nResources);
  }

  // Where in the file the bytes at this address lie, when they lie whole
  // in one section's data in the file.
  bool PlaceOf(DWORD address, DWORD length, ULONGLONG* offset) const {
    for (const IMAGE_SECTION_HEADER& section : m_sections) {
      if (address < section.VirtualAddress)
        continue;
      ULONGLONG into = address - section.VirtualAddress;
      if (into + length > section.SizeOfRawData)
        continue;
      *offset = section.PointerToRawData + into;
      return *offset + length <= m_nSize;
    }
    return false;
  }

  // The entries of the directory at this offset into the resources, as
  // long as the walk's budget lasts.
  bool Entries(DWORD directory, std::vector<IMAGE_RESOURCE_DIRECTORY_ENTRY>& entries) {
    IMAGE_RESOURCE_DIRECTORY header = {};
    if (!Read(m_nResources + directory, &header))
      return false;
    DWORD count = DWORD{header.NumberOfNamedEntries} + header.NumberOfIdEntries;
    if (count > m_nBudget)
      return false;
    m_nBudget -= count;
    entries.resize(count);
    return entries.empty() || Read(m_nResources + directory + sizeof header, entries.data(),
                                   static_cast<DWORD>(entries.size() * sizeof entries[0]));
  }

  // The subdirectory of the directory's first entry with this number.
  bool Child(DWORD directory, WORD id, DWORD* child) {
    std::vector<IMAGE_RESOURCE_DIRECTORY_ENTRY> entries;
    if (!Entries(directory, entries))
      return false;
    for (const auto& entry : entries) {
      if ((entry.Name & kSubdirectory) || entry.Name != id)
        continue;
      *child = entry.OffsetToData & ~kSubdirectory;
      return (entry.OffsetToData & kSubdirectory) != 0;
    }
    return false;
  }

  bool ReadData(DWORD entryOffset, std::vector<char>& block) {
    IMAGE_RESOURCE_DATA_ENTRY data = {};
    ULONGLONG place = 0;
    if (!Read(m_nResources + entryOffset, &data) || data.Size == 0 ||
        data.Size > (kMaxBlock - sizeof(DWORD)) / 2 ||
        !PlaceOf(data.OffsetToData, data.Size, &place))
      return false;
    block.assign(2 * data.Size + sizeof(DWORD), '\0');
    return Read(place, block.data(), data.Size);
  }

private:
  HANDLE m_file;
  const std::atomic<bool>* m_abandoned;
  ULONGLONG m_nSize = 0;
  std::vector<IMAGE_SECTION_HEADER> m_sections;
  ULONGLONG m_nResources = 0;
  std::vector<char> m_page;
  ULONGLONG m_nPageAt = 0;
  DWORD m_nBudget = kEntryBudget;
};

// The language the system's resource lookup takes first: neutral, then the
// user's, then US English, then whichever comes first.
const IMAGE_RESOURCE_DIRECTORY_ENTRY*
PreferredLanguage(const std::vector<IMAGE_RESOURCE_DIRECTORY_ENTRY>& languages) {
  LANGID user = GetUserDefaultUILanguage();
  const DWORD preferred[] = {MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), user,
                             MAKELANGID(PRIMARYLANGID(user), SUBLANG_NEUTRAL),
                             MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)};
  for (DWORD language : preferred)
    for (const auto& entry : languages)
      if (entry.Name == language)
        return &entry;
  return languages.empty() ? nullptr : &languages.front();
}

} // namespace

bool ReadVersionResource(HANDLE file, std::vector<char>& block,
                         const std::atomic<bool>* abandoned) {
  block.clear();
  CProgramFile program(file, abandoned);
  DWORD names = 0, languages = 0;
  std::vector<IMAGE_RESOURCE_DIRECTORY_ENTRY> entries;
  if (!program.FindResources() || !program.Child(0, kVersionType, &names) ||
      !program.Child(names, kVersionName, &languages) || !program.Entries(languages, entries))
    return false;
  const IMAGE_RESOURCE_DIRECTORY_ENTRY* language = PreferredLanguage(entries);
  return language && !(language->OffsetToData & kSubdirectory) &&
         program.ReadData(language->OffsetToData, block);
}

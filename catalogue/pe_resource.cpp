// Walking a program file's headers and resource directory with plain reads:
// the DOS header leads to the PE headers, whose data directory gives the
// resource directory's address, which the section table turns into a place
// in the file. Its type 16 (version) has one level of names and one of
// languages; every data entry below it is checked.
#include "catalogue/pe_resource.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const WORD kVersionType = 16;
const DWORD kSubdirectory = 0x80000000;
const DWORD kPage = 4096;

class CProgramFile {
public:
  explicit CProgramFile(HANDLE file) : m_file(file) {
    LARGE_INTEGER size;
    m_nSize = GetFileSizeEx(file, &size) ? static_cast<ULONGLONG>(size.QuadPart) : 0;
  }

  // Served from the last page read where it can be: the headers and the
  // resource directory are small, and a read costs far more than a copy.
  bool Read(ULONGLONG offset, void* buffer, DWORD length) {
    if (offset + length > m_nSize)
      return false;
    if (offset < m_nPageAt || offset + length > m_nPageAt + m_page.size()) {
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

  // The entries of the directory at this offset into the resources.
  bool Entries(DWORD directory, std::vector<IMAGE_RESOURCE_DIRECTORY_ENTRY>& entries) {
    IMAGE_RESOURCE_DIRECTORY header = {};
    if (!Read(m_nResources + directory, &header))
      return false;
    entries.resize(header.NumberOfNamedEntries + header.NumberOfIdEntries);
    return entries.empty() || Read(m_nResources + directory + sizeof header, entries.data(),
                                   static_cast<DWORD>(entries.size() * sizeof entries[0]));
  }

  bool DataLiesInFile(DWORD entryOffset) {
    IMAGE_RESOURCE_DATA_ENTRY data = {};
    ULONGLONG place = 0;
    return Read(m_nResources + entryOffset, &data) && PlaceOf(data.OffsetToData, data.Size, &place);
  }

private:
  HANDLE m_file;
  ULONGLONG m_nSize = 0;
  std::vector<IMAGE_SECTION_HEADER> m_sections;
  ULONGLONG m_nResources = 0;
  std::vector<char> m_page;
  ULONGLONG m_nPageAt = 0;
};

} // namespace

bool VersionResourcesLieInFile(HANDLE file) {
  CProgramFile program(file);
  if (!program.FindResources())
    return true;
  std::vector<IMAGE_RESOURCE_DIRECTORY_ENTRY> types, names, languages;
  if (!program.Entries(0, types))
    return false;
  for (const auto& type : types) {
    if ((type.Name & kSubdirectory) || type.Name != kVersionType)
      continue;
    if (!(type.OffsetToData & kSubdirectory) ||
        !program.Entries(type.OffsetToData & ~kSubdirectory, names))
      return false;
    for (const auto& name : names) {
      if (!(name.OffsetToData & kSubdirectory) ||
          !program.Entries(name.OffsetToData & ~kSubdirectory, languages))
        return false;
      for (const auto& language : languages)
        if ((language.OffsetToData & kSubdirectory) ||
            !program.DataLiesInFile(language.OffsetToData))
          return false;
    }
  }
  return true;
}

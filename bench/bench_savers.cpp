// Making and removing the benchmark's screensaver files and list files.
#include "bench/bench_savers.h"

#include "framework/handle.h"
#include "framework/text_file.h"

#include <algorithm>
#include <cstdio>

const char CBenchSavers::kPrefix[] = "nvbench_";

namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), ::toupper);
  return text;
}

} // namespace

CBenchSavers::CBenchSavers(const std::string& templatePath, const std::string& scratchFolder,
                           const std::string& installDir)
    : m_strScratchFolder(scratchFolder), m_strInstallDir(installDir) {
  ReadWholeFile(templatePath, m_strTemplate);
  const char digits[] = {'0', 0, '0', 0, '0', 0, '0', 0, '0', 0};
  m_nDigitsAt = m_strTemplate.find(std::string(digits, sizeof digits));
  m_strSystemFolder = GetSystemFolder();
  RemoveTrailingBackslashes(m_strSystemFolder);
  m_strSystemFolder += '\\';
}

bool CBenchSavers::WriteCopy(const std::string& path, int number) const {
  std::string bytes = m_strTemplate;
  char digits[8];
  snprintf(digits, sizeof digits, "%05d", number);
  for (int i = 0; i < 5; ++i)
    bytes[m_nDigitsAt + 2 * i] = digits[i];
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  return file &&
         WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool CBenchSavers::Create(int count, bool linked) {
  Remove();
  if (m_nDigitsAt == std::string::npos)
    return false;
  CStringArray additional, disabled;
  for (int i = 0; i < count; ++i) {
    // Names in another order than the files, so that sorting has work to do.
    char name[32];
    snprintf(name, sizeof name, "%s%05d.scr", kPrefix, i);
    // Linked ones are mostly in folders of a thousand each: Wine makes a
    // new name by reading its whole folder, which at a hundred thousand in
    // one would time Wine rather than the proxy.
    bool elsewhere = linked ? i % 10 != 9 : i % 10 == 9;
    std::string folder = elsewhere ? m_strScratchFolder : m_strSystemFolder;
    if (elsewhere && linked) {
      folder += std::to_string(i / 1000) + "\\";
      if (i % 1000 == 0)
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    std::string path = folder + name;
    // A file takes some tens of thousands of links at most: one copy per
    // thousand.
    bool made = linked && i % 1000 != 0
                    ? CreateHardLinkA(path.c_str(), m_files[i / 1000 * 1000].c_str(), nullptr)
                    : WriteCopy(path, (i * 7919) % count);
    if (!made)
      return false;
    m_files.push_back(path);
    if (elsewhere)
      additional.push_back(path);
    if (i % 2 == 0)
      disabled.push_back(Upper(path));
  }
  size_t once = additional.size();
  for (size_t i = 0; i < once; ++i)
    additional.push_back(additional[i]);
  return WriteTextLines(m_strInstallDir + "AdditionalScreensavers.dat", additional) &&
         WriteTextLines(m_strInstallDir + "DisabledScreensavers.dat", disabled);
}

void CBenchSavers::Remove() {
  for (const std::string& path : m_files)
    DeleteFileA(path.c_str());
  m_files.clear();
  // Copies left in the system folder by a run that was stopped half-way.
  WIN32_FIND_DATAA entry;
  FindHandle find(FindFirstFileA((m_strSystemFolder + kPrefix + "*.scr").c_str(), &entry));
  if (find) {
    do
      DeleteFileA((m_strSystemFolder + entry.cFileName).c_str());
    while (FindNextFileA(find.get(), &entry));
  }
  DeleteFileA((m_strInstallDir + "AdditionalScreensavers.dat").c_str());
  DeleteFileA((m_strInstallDir + "DisabledScreensavers.dat").c_str());
}

CStringArray CBenchSavers::Folders() const { return {m_strSystemFolder, m_strScratchFolder}; }

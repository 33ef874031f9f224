// The screensaver files of the catalogue and proxy benchmarks: copies of one
// small screensaver, each with a description of its own, nine tenths in the
// system folder and one tenth in a scratch folder (or, for the largest
// sizes, hard links to a few copies, the other way round), with the two list
// files that name them: every scratch-folder file twice in the additional
// list, and half of all files in the disabled list, in capitals. (Capitals
// in the additional list would time Wine rather than the catalogue: Wine
// finds a file spelt in other case by reading its whole folder, on every
// open.)
#pragma once

#include "catalogue/screensaver.h"

class CBenchSavers {
public:
  // The template is a screensaver whose description holds "00000" in UTF-16.
  CBenchSavers(const std::string& templatePath, const std::string& scratchFolder,
               const std::string& installDir);
  ~CBenchSavers() { Remove(); }
  CBenchSavers(const CBenchSavers&) = delete;
  CBenchSavers& operator=(const CBenchSavers&) = delete;

  // With `linked`, the files are hard links to one copy per thousand (one
  // description for a thousand), and nine tenths are in subfolders of the
  // scratch folder, a thousand each: made fast enough for 100,000.
  bool Create(int count, bool linked = false);
  void Remove();
  // Every file made, as the catalogue spells its path.
  const CStringArray& Files() const { return m_files; }
  // The folders that hold them, each with a trailing backslash.
  CStringArray Folders() const;

  // The file-name prefix of every copy, for recognising them in a catalogue.
  static const char kPrefix[];

private:
  bool WriteCopy(const std::string& path, int number) const;

  std::string m_strTemplate;
  size_t m_nDigitsAt = std::string::npos;
  std::string m_strSystemFolder, m_strScratchFolder, m_strInstallDir;
  CStringArray m_files;
};

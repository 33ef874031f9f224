// The catalogue against the real Windows and system folders of the test
// prefix: which files are listed and in what order, how the list is sorted
// and de-duplicated, and the path helpers the build relies on.
#include "catalogue/catalogue.h"
#include "framework/text_file.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <mbctype.h>

#include <algorithm>
#include <random>

namespace {

std::string Folder(std::string folder) {
  RemoveTrailingBackslashes(folder);
  return folder + "\\";
}
std::string Windows() { return Folder(GetWindowsFolder()); }
std::string System() { return Folder(GetSystemFolder()); }

// The index of the entry with exactly this path (the build keeps the
// spelling of the folder listing), or -1.
int IndexOf(const CScreensaverArray& list, const std::string& path) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].strPath == path)
      return static_cast<int>(i);
  return -1;
}

// Whether any entry names this file, in whatever spelling.
bool NamesFile(const CScreensaverArray& list, const std::string& path) {
  return std::any_of(list.begin(), list.end(),
                     [&](const ScreensaverInfo& e) { return PathsEqual(e.strPath, path); });
}

bool Contains(const CStringArray& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

CScreensaverArray Built() {
  CScreensaverArray list;
  BuildScreensaverList(list);
  return list;
}

CStringArray Paths(const CScreensaverArray& list) {
  CStringArray paths;
  for (const ScreensaverInfo& entry : list)
    paths.push_back(entry.strPath);
  return paths;
}

CScreensaverArray WithPaths(const CStringArray& paths) {
  CScreensaverArray list;
  for (const std::string& path : paths)
    list.push_back({path, "", true});
  return list;
}

TEST(Catalogue, ProxyScreensaverIsNeverListed) {
  ScratchInstallDir install;
  std::string saver = SaverFile("Starfield");
  {
    PlacedFile proxy(saver, System() + "_Norvane.scr");
    PlacedFile old(saver, Windows() + "old_norvane.scr");
    PlacedFile plain(saver, Windows() + "norvane.scr");
    ASSERT_TRUE(proxy.Placed() && old.Placed() && plain.Placed());
    CStringArray names;
    FindFilesByExtension(System(), ".scr", names);
    EXPECT_TRUE(Contains(names, "_Norvane.scr")); // found, and then left out
    CScreensaverArray list = Built();
    EXPECT_FALSE(NamesFile(list, proxy.Path()));
    EXPECT_FALSE(NamesFile(list, old.Path()));
    EXPECT_GE(IndexOf(list, plain.Path()), 0);
  }
  PlacedFile capitals(saver, System() + "_NORVANE.SCR");
  ASSERT_TRUE(capitals.Placed());
  EXPECT_FALSE(NamesFile(Built(), capitals.Path()));
}

TEST(Catalogue, OnlyNamesEndingInTheExtensionInAnyCaseAreListed) {
  ScratchInstallDir install;
  std::string saver = SaverFile("Starfield");
  PlacedFile upper(saver, System() + "nvtest_Name.SCR");
  PlacedFile backup(saver, System() + "nvtest_name.scr.bak");
  PlacedFile longer(saver, System() + "nvtest_name.scrx");
  ASSERT_TRUE(upper.Placed() && backup.Placed() && longer.Placed());
  CScreensaverArray list = Built();
  EXPECT_GE(IndexOf(list, System() + "nvtest_Name.SCR"), 0);
  EXPECT_FALSE(NamesFile(list, backup.Path()));
  EXPECT_FALSE(NamesFile(list, longer.Path()));
}

TEST(Catalogue, ExtensionListsAndFoldersInTheScan) {
  TempFolder folder;
  for (const char* name : {"a.exe", "b.SCR", "c.txt", "d.scr.bak", ".scr", "scr"})
    WriteFileBytes(folder.Path() + name, "x");
  // Folders never count, also those with more attributes than the folder
  // bit (Wine marks names starting with a dot hidden).
  CreateDirectoryA((folder.Path() + "e.scr").c_str(), nullptr);
  CreateDirectoryA((folder.Path() + ".f.scr").c_str(), nullptr);

  CStringArray names;
  FindFilesByExtension(folder.Path(), ".scr|.EXE", names);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (CStringArray{".scr", "a.exe", "b.SCR"}));

  FindFilesByExtension(folder.Path().substr(0, folder.Path().size() - 1), ".*", names);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (CStringArray{".scr", "a.exe", "b.SCR", "c.txt", "d.scr.bak", "scr"}));

  FindFilesByExtension(folder.Path() + "missing", ".scr", names);
  EXPECT_TRUE(names.empty());
}

TEST(Catalogue, DefaultFoldersComeFirstThenTheAdditionalList) {
  ScratchInstallDir install;
  TempFolder other;
  std::string saver = SaverFile("Starfield");
  PlacedFile inWindows(saver, Windows() + "nvtest_Twin.scr");
  PlacedFile inSystem(saver, System() + "nvtest_Twin.scr");
  PlacedFile second(saver, other.Path() + "b.scr");
  PlacedFile first(saver, other.Path() + "a.scr");
  ASSERT_TRUE(inWindows.Placed() && inSystem.Placed() && second.Placed() && first.Placed());
  WriteTextLines(install.AdditionalList(), {second.Path(), first.Path()});

  CScreensaverArray list = Built();
  ASSERT_GE(list.size(), 4u);
  int windows = IndexOf(list, inWindows.Path()), system = IndexOf(list, inSystem.Path());
  EXPECT_GE(windows, 0);
  EXPECT_GT(system, windows);
  EXPECT_EQ(list[list.size() - 2].strPath, second.Path());
  EXPECT_EQ(list[list.size() - 1].strPath, first.Path());
  for (size_t i = 0; i + 2 < list.size(); ++i)
    EXPECT_TRUE(IsInDefaultFolder(list[i].strPath)) << list[i].strPath;
  for (const ScreensaverInfo& entry : list)
    EXPECT_EQ(entry.strName, "");
}

TEST(Catalogue, SortIsByNameIgnoringCaseOfAsciiLetters) {
  CScreensaverArray list;
  for (const char* name : {"a", "Zed", "_x", "B", "1"})
    list.push_back({std::string("C:\\") + name, name, true});
  SortByDisplayName(list);
  CStringArray names;
  for (const ScreensaverInfo& entry : list)
    names.push_back(entry.strName);
  EXPECT_EQ(names, (CStringArray{"1", "_x", "a", "B", "Zed"}));
  EXPECT_LT(CompareDisplayNames(list[0], list[1]), 0);
  EXPECT_EQ(CompareDisplayNames({"", "abc", true}, {"", "ABC", false}), 0);
}

TEST(Catalogue, DuplicatePathsKeepTheFirstOfEach) {
  CScreensaverArray list =
      WithPaths({"C:\\S\\x.scr", "C:\\S\\y.scr", "c:\\s\\X.SCR", "C:\\S\\z.scr", "C:\\s\\x.Scr"});
  list[0].strName = "first";
  list[0].bEnabled = false;
  EXPECT_TRUE(RemoveDuplicatePaths(list));
  EXPECT_EQ(Paths(list), (CStringArray{"C:\\S\\x.scr", "C:\\S\\y.scr", "C:\\S\\z.scr"}));
  EXPECT_EQ(list[0].strName, "first");
  EXPECT_FALSE(list[0].bEnabled);

  // Spaces and doubled backslashes make different paths.
  CScreensaverArray distinct =
      WithPaths({"C:\\S\\b.scr", "C:\\S\\a.scr", "C:\\S\\a.scr ", "C:\\S\\\\a.scr"});
  EXPECT_FALSE(RemoveDuplicatePaths(distinct));
  EXPECT_EQ(Paths(distinct),
            (CStringArray{"C:\\S\\b.scr", "C:\\S\\a.scr", "C:\\S\\a.scr ", "C:\\S\\\\a.scr"}));
}

// Long lists in random spellings give what the plain pairwise rule gives.
TEST(Catalogue, DuplicateRemovalAtScaleMatchesThePairwiseRule) {
  std::mt19937 random(7);
  CStringArray paths;
  for (int i = 0; i < 400; ++i) {
    std::string path = "C:\\Savers\\saver" + std::to_string(random() % 60) + ".scr";
    for (char& c : path)
      if (random() % 2)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    paths.push_back(path);
  }
  CStringArray expected;
  for (const std::string& path : paths)
    if (!std::any_of(expected.begin(), expected.end(),
                     [&](const std::string& kept) { return PathsEqual(kept, path); }))
      expected.push_back(path);

  CScreensaverArray list = WithPaths(paths);
  EXPECT_TRUE(RemoveDuplicatePaths(list));
  EXPECT_EQ(Paths(list), expected);
}

TEST(Catalogue, SplitKeepsEmptyTokensExceptAtTheEnd) {
  CStringArray tokens;
  SplitString("a||b", tokens, '|');
  EXPECT_EQ(tokens, (CStringArray{"a", "", "b"}));
  SplitString("a|", tokens, '|');
  EXPECT_EQ(tokens, (CStringArray{"a"}));
  SplitString("|a", tokens, '|');
  EXPECT_EQ(tokens, (CStringArray{"", "a"}));
  SplitString("", tokens, '|');
  EXPECT_TRUE(tokens.empty());
}

TEST(Catalogue, DefaultFolderMeansDirectlyInTheWindowsOrSystemFolder) {
  std::string system = System();
  EXPECT_TRUE(IsInDefaultFolder(system + "x.scr"));
  EXPECT_TRUE(IsInDefaultFolder(Windows() + "x.scr"));
  std::string upper = system;
  std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
  EXPECT_TRUE(IsInDefaultFolder(upper + "x.scr"));
  EXPECT_TRUE(IsInDefaultFolder(system + "\\x.scr"));
  EXPECT_FALSE(IsInDefaultFolder(system + "sub\\x.scr"));
  EXPECT_FALSE(IsInDefaultFolder(Windows() + "sub\\x.scr"));
  EXPECT_FALSE(IsInDefaultFolder("D:\\Savers\\x.scr"));
  EXPECT_FALSE(IsInDefaultFolder("x.scr"));
  EXPECT_EQ(GetFolderFromPath("x.scr"), "x.scr");
  EXPECT_EQ(GetFileNameFromPath("C:\\x\\y.scr"), "y.scr");
}

// In the double-byte code pages (932, 936, 949, 950) the trail byte of a
// character may be 0x5C, the backslash's byte: no helper may cut a path
// there.
TEST(Catalogue, PathHelpersKeepDoubleByteCharactersWhole) {
  ASSERT_EQ(_setmbcp(932), 0);
  const std::string kanji = "\x95\x5C"; // one character of code page 932
  EXPECT_EQ(GetFileNameFromPath("C:\\" + kanji + ".scr"), kanji + ".scr");
  EXPECT_EQ(GetFolderFromPath("C:\\" + kanji + "\\x.scr"), "C:\\" + kanji);
  EXPECT_EQ(GetFolderFromPath("C:\\" + kanji), "C:");
  std::string folder = "C:\\" + kanji;
  RemoveTrailingBackslashes(folder);
  EXPECT_EQ(folder, "C:\\" + kanji);
  AddTrailingBackslash(folder);
  EXPECT_EQ(folder, "C:\\" + kanji + "\\");
  RemoveTrailingBackslashes(folder);
  EXPECT_EQ(folder, "C:\\" + kanji);
  _setmbcp(_MB_CP_ANSI);
}

// The whole road as the settings page takes it: names, flags, order, and one
// entry per file.
TEST(Catalogue, PipelineNamesFlagsSortsAndRemovesDuplicates) {
  ScratchInstallDir install;
  TempFolder other;
  PlacedFile starfield(SaverFile("Starfield"), Windows() + "nvtest_Stars.scr");
  PlacedFile aurora(SaverFile("Aurora"), other.Path() + "Lights.scr");
  ASSERT_TRUE(starfield.Placed() && aurora.Placed());
  std::string auroraUpper = aurora.Path();
  std::transform(auroraUpper.begin(), auroraUpper.end(), auroraUpper.begin(), ::toupper);
  WriteTextLines(install.AdditionalList(), {aurora.Path(), auroraUpper});
  WriteTextLines(install.DisabledList(), {auroraUpper});

  CScreensaverArray list;
  LoadScreensaverCatalogue(list);
  int stars = IndexOf(list, starfield.Path());
  int lights = -1;
  for (size_t i = 0; i < list.size(); ++i) {
    if (PathsEqual(list[i].strPath, aurora.Path())) {
      EXPECT_EQ(lights, -1) << "listed twice";
      lights = static_cast<int>(i);
    }
  }
  ASSERT_GE(stars, 0);
  ASSERT_GE(lights, 0);
  EXPECT_LT(lights, stars);
  EXPECT_EQ(list[lights].strName, "Aurora");
  EXPECT_FALSE(list[lights].bEnabled);
  EXPECT_EQ(list[stars].strName, "Starfield");
  EXPECT_TRUE(list[stars].bEnabled);
  for (size_t i = 1; i < list.size(); ++i)
    EXPECT_LE(CompareDisplayNames(list[i - 1], list[i]), 0);
}

} // namespace

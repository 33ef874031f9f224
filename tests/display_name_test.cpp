// Display names of real screensaver files: version texts, their order of
// preference, the language block, and the names made from file names.
#include "catalogue/catalogue.h"
#include "tests/support/files.h"
#include "tests/support/hostile_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>

namespace {

class DisplayNameTest : public ::testing::Test {
protected:
  // A copy of a saver file under the given name in a scratch folder.
  std::string Copy(const std::string& saver, const std::string& fileName) {
    std::string path = m_folder.Path() + fileName;
    EXPECT_TRUE(CopyFileA(SaverFile(saver).c_str(), path.c_str(), FALSE)) << path;
    return path;
  }
  std::string NameOf(const std::string& saver, const std::string& fileName) {
    return GetScreensaverDisplayName(Copy(saver, fileName));
  }

  TempFolder m_folder;
};

TEST_F(DisplayNameTest, VersionTextsGiveTheNameWithoutTheEnding) {
  EXPECT_EQ(NameOf("Starfield", "a.scr"), "Starfield");
  EXPECT_EQ(NameOf("caps", "b.scr"), "Starfield");
  EXPECT_EQ(NameOf("numbered", "c.scr"), "Starfield Screensaver 2");
}

TEST_F(DisplayNameTest, EmptyDescriptionFallsToProductThenInternalName) {
  EXPECT_EQ(NameOf("product_only", "a.scr"), "Starfield");
  EXPECT_EQ(NameOf("internal_only", "b.scr"), "Starfield Internal");
  // With no text at all the file name stands, its ending not cut.
  EXPECT_EQ(NameOf("all_empty", "Starfield Screensaver.scr"), "Starfield Screensaver");
}

TEST_F(DisplayNameTest, TextsComeFromTheFirstTranslationsLanguageBlock) {
  EXPECT_EQ(NameOf("Aurora", "Polar.scr"), "Aurora"); // 0407/04E4 only
}

TEST_F(DisplayNameTest, FilesWithoutVersionTextsAreNamedFromTheFileName) {
  EXPECT_EQ(NameOf("no_version", "Starfield Screensaver.SCR"), "Starfield");
  EXPECT_EQ(NameOf("no_version", ".scr"), "");
  EXPECT_EQ(NameOf("no_version", "Nebula.exe"), "Nebula.exe");
  EXPECT_EQ(GetScreensaverDisplayName("D:\\Savers\\Starfield Screensaver.scr"), "Starfield");
  std::string deleted = Copy("Starfield", "Comet Screen Saver.scr");
  ASSERT_TRUE(DeleteFileA(deleted.c_str()));
  EXPECT_EQ(GetScreensaverDisplayName(deleted), "Comet");
}

// A table of one word holds no language and code page: reading the second
// word would run past its end.
TEST_F(DisplayNameTest, ShortTranslationTableGivesTheFallbackName) {
  EXPECT_EQ(NameOf("short_translation", "Short Screensaver.scr"), "Short");
}

// The version functions take at most MAX_PATH characters with the
// terminator: a longer path is named from its file name, even when the
// system could reach the file.
TEST_F(DisplayNameTest, OverlongPathsAreNamedFromTheFileName) {
  const std::string fileName = "Deep Screensaver.scr";
  auto deepPath = [&](size_t total) {
    std::string path = m_folder.Path();
    std::string sub(total - path.size() - 1 - fileName.size(), 'd');
    CreateDirectoryW(std::wstring(path.begin(), path.end()).append(sub.begin(), sub.end()).c_str(),
                     nullptr);
    return path + sub + "\\" + fileName;
  };
  std::string fits = deepPath(MAX_PATH - 1), tooLong = deepPath(MAX_PATH);
  ASSERT_EQ(fits.size(), 259u);
  PlacedFile shortEnough(SaverFile("Starfield"), fits), deep(SaverFile("Starfield"), tooLong);
  ASSERT_TRUE(shortEnough.Placed() && deep.Placed());
  EXPECT_EQ(GetScreensaverDisplayName(fits), "Starfield");
  EXPECT_EQ(GetScreensaverDisplayName(tooLong), "Deep");
  EXPECT_EQ(GetScreensaverDisplayName(std::string(300, 'x') + "\\" + fileName), "Deep");
}

TEST(DisplayNameText, OneEndingIsCutInAnyCase) {
  EXPECT_EQ(StripScreensaverSuffix("Starfield Screensaver"), "Starfield");
  EXPECT_EQ(StripScreensaverSuffix("Starfield screen SAVER"), "Starfield");
  EXPECT_EQ(StripScreensaverSuffix("StarfieldScreensaver"), "StarfieldScreensaver");
  EXPECT_EQ(StripScreensaverSuffix(" screensaver"), "");
  EXPECT_EQ(StripScreensaverSuffix("A Screensaver Screensaver"), "A Screensaver");
  EXPECT_EQ(StripScreensaverSuffix("A  Screensaver"), "A "); // not trimmed
  EXPECT_EQ(GetScreensaverTitle("C:\\x\\Foo.SCR"), "Foo");
  EXPECT_EQ(GetScreensaverTitle("C:\\x\\Foo.scr.scr"), "Foo.scr");
  EXPECT_EQ(GetScreensaverTitle("C:\\x\\Foo.exe"), "Foo.exe");
  EXPECT_EQ(GetScreensaverTitle("scr"), "scr");
}

// A damaged resource never takes the program down nor costs another file its
// row: that file alone is named from its file name, whatever its lengths say.
TEST_F(DisplayNameTest, DamagedVersionResourcesCostOnlyTheirOwnFilesName) {
  const std::string original = ReadFileBytes(SaverFile("Starfield"));
  const VersionResource resource = FindVersionResource(original);
  ASSERT_NE(resource.entry, std::string::npos);
  const size_t children = resource.block + 92; // after the key and the fixed part
  ASSERT_LT(children, resource.block + resource.length);
  auto putWord = [](std::string& bytes, size_t at, WORD value) {
    memcpy(&bytes[at], &value, sizeof value);
  };
  auto putDword = [](std::string& bytes, size_t at, DWORD value) {
    memcpy(&bytes[at], &value, sizeof value);
  };
  struct Damage {
    std::string name;
    std::function<void(std::string&)> apply;
  };
  const std::vector<Damage> damages = {
      {"Garbage",
       [&](std::string& b) {
         for (size_t i = children; i < resource.block + resource.length; ++i)
           b[i] = static_cast<char>(0xA5 ^ i);
       }},
      {"Impossible", [&](std::string& b) { putDword(b, resource.entry + 4, 0x7FFFFFF0); }},
      {"Longer", [&](std::string& b) { putWord(b, resource.block, 0xFFFF); }},
      {"Cut", [&](std::string& b) { putDword(b, resource.entry + 4, 8); }},
      {"Beyond",
       [&](std::string& b) {
         putDword(b, resource.entry + 4, static_cast<DWORD>(b.size() - resource.block + 65536));
       }},
      {"Hollow", [&](std::string& b) { putWord(b, children, 0); }},
  };
  ScratchInstallDir install;
  CStringArray lines;
  for (const Damage& damage : damages) {
    std::string bytes = original;
    damage.apply(bytes);
    lines.push_back(m_folder.Path() + damage.name + " Screensaver.scr");
    WriteFileBytes(lines.back(), bytes);
  }
  lines.push_back(Copy("Starfield", "Sound.scr"));
  WriteFileBytes(install.AdditionalList(), ListFileBytes(lines));

  CScreensaverArray list;
  LoadScreensaverCatalogue(list);
  std::map<std::string, std::string> names;
  for (const ScreensaverInfo& entry : list)
    names[GetScreensaverTitle(entry.strPath)] = entry.strName;
  for (const Damage& damage : damages)
    EXPECT_EQ(names[damage.name + " Screensaver"], damage.name);
  EXPECT_EQ(names["Sound"], "Starfield");
}

TEST_F(DisplayNameTest, AssigningNamesLeavesPathsAndFlags) {
  std::string aurora = Copy("Aurora", "x.scr");
  CScreensaverArray list = {{aurora, "old", false}, {"D:\\Gone\\Comet.scr", "", true}};
  AssignDisplayNames(list);
  EXPECT_EQ(list[0].strPath, aurora);
  EXPECT_EQ(list[0].strName, "Aurora");
  EXPECT_FALSE(list[0].bEnabled);
  EXPECT_EQ(list[1].strName, "Comet");
  EXPECT_TRUE(list[1].bEnabled);
}

} // namespace

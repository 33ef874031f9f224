// The two list files on disk: their format as written and as read, what the
// readers drop, how the disabled list matches paths, and what happens while
// another process holds a file open.
#include "catalogue/catalogue.h"
#include "framework/handle.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

std::string System() {
  std::string folder = GetSystemFolder();
  RemoveTrailingBackslashes(folder);
  return folder + "\\";
}

CStringArray Paths(const CScreensaverArray& list) {
  CStringArray paths;
  for (const ScreensaverInfo& entry : list)
    paths.push_back(entry.strPath);
  return paths;
}

CScreensaverArray ReadAdditional() {
  CScreensaverArray list = {{"stale", "", true}};
  ReadAdditionalScreensavers(list);
  return list;
}

// Another process's handle on the file.
FileHandle HoldOpen(const std::string& path, DWORD share) {
  return FileHandle(
      CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr));
}

class ListFilesTest : public ::testing::Test {
protected:
  ScratchInstallDir m_install;
};

TEST_F(ListFilesTest, WritesOnePathPerLineEachEndingInCrLf) {
  WriteAdditionalScreensavers({"C:\\A\\one.scr", "D:\\b c\\Two.SCR"});
  EXPECT_EQ(ReadFileBytes(m_install.AdditionalList()), "C:\\A\\one.scr\r\nD:\\b c\\Two.SCR\r\n");
  // A line never carries a NUL byte into the file.
  WriteAdditionalScreensavers({std::string("C:\\A\\one.scr\0junk", 17)});
  EXPECT_EQ(ReadFileBytes(m_install.AdditionalList()), "C:\\A\\one.scr\r\n");
  WriteAdditionalScreensavers({});
  EXPECT_TRUE(FileExists(m_install.AdditionalList()));
  EXPECT_EQ(ReadFileBytes(m_install.AdditionalList()), "");

  CScreensaverArray list = {
      {"C:\\a.scr", "A", true}, {"C:\\B.scr", "B", false}, {"C:\\c.scr", "C", true}};
  WriteDisabledScreensavers(list);
  EXPECT_EQ(ReadFileBytes(m_install.DisabledList()), "C:\\B.scr\r\n");
  list[1].bEnabled = true;
  WriteDisabledScreensavers(list);
  EXPECT_TRUE(FileExists(m_install.DisabledList()));
  EXPECT_EQ(ReadFileBytes(m_install.DisabledList()), "");
}

TEST_F(ListFilesTest, ReadsLfOrCrLfEndsEmptyLinesAndAnUnendedLastLine) {
  WriteFileBytes(m_install.AdditionalList(),
                 "D:\\S\\a.scr\n\r\nD:\\S\\B.scr\r\n\nD:\\S\\c d.scr \r\nD:\\S\\last.scr");
  CScreensaverArray list = ReadAdditional();
  EXPECT_EQ(Paths(list),
            (CStringArray{"D:\\S\\a.scr", "D:\\S\\B.scr", "D:\\S\\c d.scr ", "D:\\S\\last.scr"}));
  for (const ScreensaverInfo& entry : list)
    EXPECT_EQ(entry.strName, "");
}

TEST_F(ListFilesTest, AdditionalLinesInDefaultFoldersOrNamingTheProxyAreDropped) {
  std::string upperSystem = System();
  for (char& c : upperSystem)
    c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  WriteFileBytes(m_install.AdditionalList(), System() + "x.scr\r\n" + GetWindowsFolder() +
                                                 "\\y.scr\r\n" + upperSystem + "z.scr\r\n" +
                                                 "D:\\Savers\\_NORVANE.scr\r\n" +
                                                 "D:\\Savers\\old_Norvane.SCR.bak\r\n" + System() +
                                                 "sub\\kept.scr\r\n" + "D:\\Gone\\missing.scr\r\n");
  EXPECT_EQ(Paths(ReadAdditional()),
            (CStringArray{System() + "sub\\kept.scr", "D:\\Gone\\missing.scr"}));
}

TEST_F(ListFilesTest, MissingAdditionalListMeansNoEntries) {
  EXPECT_TRUE(ReadAdditional().empty());
}

TEST_F(ListFilesTest, DisabledPathsMatchIgnoringCaseOnly) {
  CScreensaverArray list = {{"C:\\WINDOWS\\System32\\Foo.scr", "", true},
                            {"C:\\a\\Bar.scr", "", false},
                            {"C:\\a\\Baz.scr", "", false},
                            {"C:\\a\\Qux.scr", "", false},
                            {"C:\\a\\Other.scr", "", false}};
  WriteFileBytes(m_install.DisabledList(),
                 "c:\\windows\\system32\\foo.scr\r\nC:\\a\\Bar.scr \r\nC:/a/Baz.scr\n\n"
                 "C:\\a\\\\Qux.scr\r\nC:\\Gone\\x.scr");
  ApplyDisabledList(list);
  EXPECT_FALSE(list[0].bEnabled);
  EXPECT_TRUE(list[1].bEnabled); // trailing space
  EXPECT_TRUE(list[2].bEnabled); // forward slashes
  EXPECT_TRUE(list[3].bEnabled); // doubled backslash
  EXPECT_TRUE(list[4].bEnabled);
}

TEST_F(ListFilesTest, MissingDisabledListChecksEverything) {
  CScreensaverArray list = {{"C:\\a.scr", "", false}, {"C:\\b.scr", "", false}};
  ApplyDisabledList(list);
  EXPECT_TRUE(list[0].bEnabled);
  EXPECT_TRUE(list[1].bEnabled);
}

TEST_F(ListFilesTest, FileHeldOpenElsewhereIsNeitherReadNorReplaced) {
  WriteFileBytes(m_install.AdditionalList(), "D:\\S\\old.scr\r\n");
  WriteFileBytes(m_install.DisabledList(), "D:\\S\\old.scr\r\n");
  FileHandle additional = HoldOpen(m_install.AdditionalList(), 0);
  // Even a reader that lets others delete the file keeps its list.
  FileHandle disabled =
      HoldOpen(m_install.DisabledList(), FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
  ASSERT_TRUE(additional && disabled);

  EXPECT_TRUE(ReadAdditional().empty());
  CScreensaverArray list = {{"D:\\S\\old.scr", "", false}};
  ApplyDisabledList(list);
  EXPECT_TRUE(list[0].bEnabled);

  WriteAdditionalScreensavers({"D:\\S\\new.scr"});
  list[0].bEnabled = false;
  list.push_back({"D:\\S\\new.scr", "", false});
  WriteDisabledScreensavers(list);
  additional.reset();
  disabled.reset();
  EXPECT_EQ(ReadFileBytes(m_install.AdditionalList()), "D:\\S\\old.scr\r\n");
  EXPECT_EQ(ReadFileBytes(m_install.DisabledList()), "D:\\S\\old.scr\r\n");
  EXPECT_FALSE(FileExists(m_install.AdditionalList() + ".tmp"));
  EXPECT_FALSE(FileExists(m_install.DisabledList() + ".tmp"));
}

// The proxy or the manager reading a list holds it only for a moment: a
// read or a write that meets it waits, rather than taking the list for
// empty and losing the user's unchecked screensavers.
TEST_F(ListFilesTest, FileHeldOpenForAMomentIsWaitedFor) {
  WriteFileBytes(m_install.DisabledList(), "D:\\S\\old.scr\r\n");
  WriteFileBytes(m_install.AdditionalList(), "D:\\S\\old.scr\r\n");
  auto holdBriefly = [](const std::string& path) {
    auto held = std::make_shared<FileHandle>(HoldOpen(path, 0));
    EXPECT_TRUE(*held);
    return std::thread([held] {
      Sleep(300);
      held->reset();
    });
  };

  std::thread release = holdBriefly(m_install.DisabledList());
  CScreensaverArray list = {{"D:\\S\\old.scr", "", true}, {"D:\\S\\new.scr", "", true}};
  EXPECT_TRUE(ApplyDisabledList(list));
  release.join();
  EXPECT_FALSE(list[0].bEnabled);
  EXPECT_TRUE(list[1].bEnabled);

  release = holdBriefly(m_install.AdditionalList());
  WriteAdditionalScreensavers({"D:\\S\\new.scr"});
  release.join();
  EXPECT_EQ(ReadFileBytes(m_install.AdditionalList()), "D:\\S\\new.scr\r\n");

  // Held for good, the reader says so: the caller must not write from it.
  FileHandle held = HoldOpen(m_install.DisabledList(), 0);
  EXPECT_FALSE(ApplyDisabledList(list));
  EXPECT_TRUE(list[0].bEnabled);
  held.reset();
  DeleteFileA(m_install.DisabledList().c_str());
  EXPECT_TRUE(ApplyDisabledList(list));
}

} // namespace

// The setup program as whole processes, silently: what an installation puts
// in place, upgrades over it, the refusal while Norvane runs, failed writes,
// and the removal by the uninstaller and by "/uninstall".
#include "catalogue/screensaver.h"
#include "tests/support/installation.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"

#include <gtest/gtest.h>

namespace {

const char kProgramKey[] = "Software\\Tessaly\\Norvane";

std::string Terminated(const std::string& text) { return text + '\0'; }

bool KeyExists(const char* key) {
  RegKey k;
  return RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, k.put()) == ERROR_SUCCESS;
}

std::string ShortPathOf(const std::string& path) {
  char buffer[MAX_PATH] = {};
  DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
  return std::string(buffer, length < MAX_PATH ? length : 0);
}

class InstallerTest : public ::testing::Test {
protected:
  void ExpectString(const char* key, const char* name, const std::string& text) {
    SCOPED_TRACE(name);
    EXPECT_EQ(GetRegType(key, name), DWORD{REG_SZ});
    EXPECT_EQ(GetRegBytes(key, name), Terminated(text));
  }

  void ExpectNothingInstalled() {
    EXPECT_FALSE(FileExists(install.Folder()));
    EXPECT_FALSE(FileExists(InstalledProxy()));
    EXPECT_FALSE(KeyExists(kProgramKey));
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_FALSE(GetRegBytes(kRunKey, "Norvane").has_value());
  }

  void WriteLists() {
    WriteFileBytes(install.File("AdditionalScreensavers.dat"), kAdditional);
    WriteFileBytes(install.File("DisabledScreensavers.dat"), kDisabled);
  }

  const std::string kAdditional = ListFileBytes({"D:\\savers\\Mine.scr"});
  const std::string kDisabled = ListFileBytes({"C:\\windows\\system32\\ssText3d.scr"});
  ScratchInstallation install;
};

TEST_F(InstallerTest, SilentInstallPutsTheBuildsFilesAndTheRegistryInPlace) {
  SetRegDword(kProgramKey, "StartWindowsStart", 0);
  ASSERT_EQ(install.InstallSilently(), 0u);

  const std::string folder = install.Folder();
  EXPECT_EQ(install.Contents(),
            (std::vector<std::string>{"Help\\NorvaneHelp.chm", "Norvane.exe", "Uninstall.exe"}));
  EXPECT_TRUE(ReadFileBytes(install.File("Norvane.exe")) ==
              ReadFileBytes(BesideTestProgram("Norvane.exe")));
  EXPECT_TRUE(ReadFileBytes(install.File("Help\\NorvaneHelp.chm")) ==
              ReadFileBytes(BesideTestProgram("Help\\NorvaneHelp.chm")));
  EXPECT_TRUE(ReadFileBytes(install.File("Uninstall.exe")) == ReadFileBytes(SetupProgram()));
  EXPECT_TRUE(ReadFileBytes(InstalledProxy()) == ReadFileBytes(BesideTestProgram("_Norvane.scr")));

  ExpectString(kProgramKey, "InstallDir", folder + "\\");
  ExpectString(kRunKey, "Norvane", "\"" + folder + "\\Norvane.exe\" /start");
  ExpectString(kUninstallKey, "DisplayName", "Norvane");
  ExpectString(kUninstallKey, "DisplayVersion", "1.0.0.0");
  ExpectString(kUninstallKey, "Publisher", "Tessaly");
  ExpectString(kUninstallKey, "InstallLocation", folder);
  ExpectString(kUninstallKey, "DisplayIcon", folder + "\\Norvane.exe,0");
  ExpectString(kUninstallKey, "UninstallString", "\"" + folder + "\\Uninstall.exe\"");
  ExpectString(kUninstallKey, "QuietUninstallString", "\"" + folder + "\\Uninstall.exe\" /S");
  EXPECT_EQ(GetRegDword(kUninstallKey, "NoModify"), 1u);
  EXPECT_EQ(GetRegDword(kUninstallKey, "NoRepair"), 1u);

  // The user's choices stay as they are, missing ones missing.
  EXPECT_EQ(GetRegDword(kProgramKey, "StartWindowsStart"), 0u);
  EXPECT_FALSE(GetRegType(kProgramKey, "MakeDefaultScreensaver").has_value());
  EXPECT_FALSE(GetRegType(kProgramKey, "EnableExeScreensavers").has_value());
}

TEST_F(InstallerTest, InstalledManagerStartsHiddenFromItsFolder) {
  ASSERT_EQ(install.InstallSilently(), 0u);
  ChildProcess norvane(install.File("Norvane.exe"), "/start");
  ASSERT_NE(WaitForMainDialog(norvane.Id()), nullptr);
  EXPECT_TRUE(norvane.IsRunning());
  EXPECT_TRUE(TopLevelWindows(norvane.Id()).empty());
  EXPECT_TRUE(PathsEqual(ProcessImage(norvane.Id()), install.File("Norvane.exe")));
  KillStrayInstances();
}

TEST_F(InstallerTest, ReinstallReplacesTheProgramsAndKeepsTheListsAndChoices) {
  ASSERT_EQ(install.InstallSilently(), 0u);
  WriteLists();
  WriteFileBytes(install.File("Norvane.exe"), "an older manager");
  WriteFileBytes(InstalledProxy(), "an older proxy");
  SetRegDword(kProgramKey, "MakeDefaultScreensaver", 0);

  ASSERT_EQ(install.InstallSilently(), 0u);
  EXPECT_TRUE(ReadFileBytes(install.File("Norvane.exe")) ==
              ReadFileBytes(BesideTestProgram("Norvane.exe")));
  EXPECT_TRUE(ReadFileBytes(InstalledProxy()) == ReadFileBytes(BesideTestProgram("_Norvane.scr")));
  EXPECT_EQ(ReadFileBytes(install.File("AdditionalScreensavers.dat")), kAdditional);
  EXPECT_EQ(ReadFileBytes(install.File("DisabledScreensavers.dat")), kDisabled);
  EXPECT_EQ(GetRegDword(kProgramKey, "MakeDefaultScreensaver"), 0u);
}

TEST_F(InstallerTest, WithoutAFolderTheRegisteredInstallationIsUpgraded) {
  SetRegString(kProgramKey, "InstallDir", install.Folder() + "\\");
  ASSERT_EQ(RunToEnd(SetupProgram(), "/S"), 0u);
  EXPECT_TRUE(FileExists(install.File("Norvane.exe")));
  EXPECT_EQ(GetRegBytes(kProgramKey, "InstallDir"), Terminated(install.Folder() + "\\"));
}

TEST_F(InstallerTest, FolderSwitchTakesTheRestOfTheLine) {
  // Quoted by a caller that quotes every argument with blanks, and with the
  // switch letter in either case.
  ASSERT_EQ(RunToEnd(SetupProgram(), "/S \"/D=" + install.Folder() + "\""), 0u);
  EXPECT_TRUE(FileExists(install.File("Norvane.exe")));
  ASSERT_EQ(RunToEnd(SetupProgram(), "/s /d=" + install.Folder() + "\\\\"), 0u);
  EXPECT_EQ(GetRegBytes(kProgramKey, "InstallDir"), Terminated(install.Folder() + "\\"));
}

TEST_F(InstallerTest, RelativeFolderIsRefusedWithNothingWritten) {
  EXPECT_EQ(RunToEnd(SetupProgram(), "/S /D=Programs\\Norvane"), 4u);
  EXPECT_EQ(RunToEnd(SetupProgram(), "/S /D="), 4u);
  EXPECT_FALSE(FileExists(InstalledProxy()));
  EXPECT_FALSE(KeyExists(kProgramKey));
}

TEST_F(InstallerTest, WriteFailureStopsTheInstallAndLeavesNoHalfFile) {
  ASSERT_EQ(install.InstallSilently(), 0u);
  RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
  const std::string older = "an older manager";
  WriteFileBytes(install.File("Norvane.exe"), older);
  {
    // Held open without sharing, it cannot be replaced.
    FileHandle held(CreateFileA(install.File("Norvane.exe").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(install.InstallSilently(), 3u);
  }
  EXPECT_EQ(ReadFileBytes(install.File("Norvane.exe")), older);
  EXPECT_EQ(install.Contents(),
            (std::vector<std::string>{"Help\\NorvaneHelp.chm", "Norvane.exe", "Uninstall.exe"}));
  // Stopped before the registry.
  EXPECT_FALSE(KeyExists(kUninstallKey));
}

TEST_F(InstallerTest, RunningNorvaneBlocksInstallAndUninstallWithNothingChanged) {
  {
    KernelHandle mutex = HoldNorvaneMutex();
    EXPECT_EQ(install.InstallSilently(), 2u);
    ExpectNothingInstalled();
  }
  ASSERT_EQ(install.InstallSilently(), 0u);
  WriteLists();
  std::vector<std::string> installed = install.Contents();
  {
    KernelHandle mutex = HoldNorvaneMutex();
    EXPECT_EQ(RunToEnd(install.File("Uninstall.exe"), "/S"), 2u);
    EXPECT_EQ(RunToEnd(SetupProgram(), "/uninstall /S"), 2u);
  }
  EXPECT_EQ(install.Contents(), installed);
  EXPECT_TRUE(FileExists(InstalledProxy()));
  EXPECT_TRUE(KeyExists(kUninstallKey));
  EXPECT_TRUE(GetRegBytes(kRunKey, "Norvane").has_value());
  EXPECT_TRUE(GetRegBytes(kProgramKey, "InstallDir").has_value());
}

TEST_F(InstallerTest, UninstallerRemovesEverythingThroughItsCopy) {
  ASSERT_EQ(install.InstallSilently(), 0u);
  WriteLists();
  SetRegDword(kProgramKey, "StartWindowsStart", 0);
  // As the manager registers the proxy: by its short path.
  SetRegString(kDesktopKey, "SCRNSAVE.EXE", ShortPathOf(InstalledProxy()));

  EXPECT_EQ(RunToEnd(install.File("Uninstall.exe"), "/S"), 0u);
  ASSERT_TRUE(WaitForRemoval(install.Folder()));
  ExpectNothingInstalled();
  // The copy in the temporary folder goes at the next restart.
  EXPECT_NE(PendingDeletions().find("\\NorvaneUninstall-"), std::string::npos);
  EXPECT_FALSE(KeyExists("Software\\Tessaly"));
  EXPECT_FALSE(GetDesktopString("SCRNSAVE.EXE").has_value());
}

TEST_F(InstallerTest, UninstallLeavesWhatIsNotItsOwn) {
  ASSERT_EQ(install.InstallSilently(), 0u);
  WriteLists();
  WriteFileBytes(install.File("notes.txt"), "mine");
  // The maker's key stays while it holds anything else, a value included.
  SetRegDword("Software\\Tessaly", "Kept", 1);
  const std::string foreign = "C:\\windows\\system32\\other.scr";
  SetRegString(kDesktopKey, "SCRNSAVE.EXE", foreign);

  EXPECT_EQ(RunToEnd(SetupProgram(), "/uninstall /S /D=" + install.Folder()), 0u);
  EXPECT_EQ(install.Contents(), std::vector<std::string>{"notes.txt"});
  EXPECT_FALSE(FileExists(install.File("Help")));
  EXPECT_FALSE(FileExists(InstalledProxy()));
  EXPECT_FALSE(KeyExists(kProgramKey));
  EXPECT_EQ(GetRegDword("Software\\Tessaly", "Kept"), 1u);
  EXPECT_EQ(GetDesktopString("SCRNSAVE.EXE"), Terminated(foreign));
}

TEST_F(InstallerTest, UninstallWithoutAnInstallationOrAFullPathFails) {
  EXPECT_EQ(RunToEnd(SetupProgram(), "/uninstall /S"), 5u);
  EXPECT_EQ(RunToEnd(SetupProgram(), "/uninstall /S /D=Nor vane"), 4u);
}

} // namespace

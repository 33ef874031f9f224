// The setup program's reading of its command line and destination folder,
// and its recognition of the proxy in "SCRNSAVE.EXE", in process.
#include "catalogue/screensaver.h"
#include "install.h"
#include "proxy_value.h"
#include "setup_command.h"
#include "tests/support/files.h"
#include "tests/support/installation.h"

#include <gtest/gtest.h>

namespace {

TEST(SetupCommandTest, FolderSwitchTakesTheRestOfTheLineBlanksIncluded) {
  SetupCommand command = ParseSetupCommand("/S /D=C:\\My Programs\\Nor vane  ");
  EXPECT_TRUE(command.bSilent);
  EXPECT_FALSE(command.bUninstall);
  EXPECT_TRUE(command.bFolderGiven);
  EXPECT_EQ(command.strFolder, "C:\\My Programs\\Nor vane");

  // "/S" after "/D=" belongs to the folder; "/d=" inside a name is no switch.
  command = ParseSetupCommand("/D=C:\\a /S");
  EXPECT_FALSE(command.bSilent);
  EXPECT_EQ(command.strFolder, "C:\\a /S");
  command = ParseSetupCommand("/uninstall /d=C:\\x/d=y");
  EXPECT_TRUE(command.bUninstall);
  EXPECT_EQ(command.strFolder, "C:\\x/d=y");

  EXPECT_EQ(ParseSetupCommand("\"/D=C:\\Nor vane\"").strFolder, "C:\\Nor vane");
  EXPECT_EQ(ParseSetupCommand("/s /D=\"C:\\Nor vane\"").strFolder, "C:\\Nor vane");
  EXPECT_TRUE(ParseSetupCommand("/D=").bFolderGiven);
  EXPECT_FALSE(ParseSetupCommand("/S x/D=C:\\a").bFolderGiven);
}

TEST(SetupCommandTest, SwitchesInAnyCaseAndUnknownOnesIgnored) {
  SetupCommand command = ParseSetupCommand("/UNINSTALL\t/s /quiet");
  EXPECT_TRUE(command.bUninstall);
  EXPECT_TRUE(command.bSilent);
  EXPECT_EQ(ParseSetupCommand("/silent").bSilent, false);
  EXPECT_EQ(ParseSetupCommand("/_wait=4242 /uninstall").nWaitHandle, 4242u);
  EXPECT_EQ(ParseSetupCommand("").nWaitHandle, 0u);
}

TEST(SetupCommandTest, OnlyFullPathsAreDestinations) {
  std::string folder;
  EXPECT_TRUE(NormalizeFolder("C:\\Program Files\\Norvane\\\\", &folder));
  EXPECT_EQ(folder, "C:\\Program Files\\Norvane");
  EXPECT_TRUE(NormalizeFolder("c:/Apps/./Norvane", &folder));
  EXPECT_EQ(folder, "c:\\Apps\\Norvane");
  EXPECT_TRUE(NormalizeFolder("\\\\server\\share\\Norvane", &folder));
  EXPECT_EQ(folder, "\\\\server\\share\\Norvane");
  for (const char* refused : {"", "Norvane", "\\Norvane", "C:Norvane", "..\\Norvane"})
    EXPECT_FALSE(NormalizeFolder(refused, &folder)) << refused;
  // The longest installed path must still fit.
  EXPECT_FALSE(NormalizeFolder("C:\\" + std::string(240, 'n'), &folder));
}

TEST(SetupCommandTest, ProxyIsRecognisedByEveryNameOfItsFile) {
  PlacedFile proxy(SaverFile("Starfield"), InstalledProxy());
  ASSERT_TRUE(proxy.Placed());
  char shortPath[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameA(InstalledProxy().c_str(), shortPath, MAX_PATH), 0u);

  for (const std::string& name :
       {InstalledProxy(), MakeLower(InstalledProxy()), std::string(shortPath), MakeLower(shortPath),
        std::string("_NORVANE.SCR"), GetFileNameFromPath(shortPath)})
    EXPECT_TRUE(NamesProxy(name, InstalledProxy())) << name;
  for (const std::string& name :
       {std::string(), std::string("C:\\elsewhere\\_Norvane.scr"),
        std::string("C:\\windows\\system32\\ssText3d.scr"), InstalledProxy() + ".bak"})
    EXPECT_FALSE(NamesProxy(name, InstalledProxy())) << name;
}

} // namespace

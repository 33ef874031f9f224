// The setup program and its uninstaller, run as a user runs them: silently
// into a folder of the user's own, then the installed manager at work, an
// upgrade, the refusal while Norvane runs, and the uninstall that the
// installed programs' entry names; the proxy's machine-wide record of its
// users; and once through the setup's pages.
#include "catalogue/screensaver.h"
#include "framework/handle.h"
#include "resource.h"
#include "tests/support/files.h"
#include "tests/support/installation.h"
#include "tests/support/list_view.h"
#include "tests/support/main_window.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>

namespace {

const char kOldScreensaver[] = "C:\\windows\\system32\\old.scr";

std::string Windows() {
  std::string folder = GetWindowsFolder();
  AddTrailingBackslash(folder);
  return folder;
}

bool SameBytes(const std::string& installed, const std::string& built) {
  std::string bytes = ReadFileBytes(installed);
  return !bytes.empty() && bytes == ReadFileBytes(built);
}

std::string String(const char* key, const char* name) {
  return GetRegBytes(key, name).value_or(std::string(1, '\0')).c_str();
}

bool HasMachineValue(const char* key, const char* name) {
  RegKey opened;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, opened.put()) ==
             ERROR_SUCCESS &&
         RegQueryValueExA(opened.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

int MachineValueCount(const char* key) {
  RegKey opened;
  DWORD values = 0;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, opened.put()) != ERROR_SUCCESS ||
      RegQueryInfoKeyA(opened.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return -1;
  return static_cast<int>(values);
}

void SetMachineValue(const char* key, const char* name) {
  RegKey opened;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, opened.put(),
                  nullptr);
  RegSetValueExA(opened.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
}

// Names in the folder, "Help\..." for the help folder's, sorted.
std::vector<std::string> Contents(const std::string& folder) {
  std::vector<std::string> names;
  for (const char* pattern : {"\\*", "\\Help\\*"}) {
    WIN32_FIND_DATAA entry;
    FindHandle find(FindFirstFileA((folder + pattern).c_str(), &entry));
    if (!find)
      continue;
    do {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        names.push_back((pattern[1] == 'H' ? "Help\\" : "") + std::string(entry.cFileName));
    } while (FindNextFileA(find.get(), &entry));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The uninstaller run in place hands its own removal to a copy: the folder
// goes a moment after its exit.
bool WaitForFolderGone(const std::string& folder) {
  return WaitUntil([&] { return !FileExists(folder); }, 30000);
}

class SetupTest : public ::testing::Test {
protected:
  void SetUp() override { SetRegString(kDesktopKey, "SCRNSAVE.EXE", kOldScreensaver); }

  TempFolder scratch;
  std::string folder = scratch.Path() + "Nor vane";
  InstallationTraces traces{folder};
};

TEST_F(SetupTest, InstallsForTheUserUpgradesAndUninstallsCompletely) {
  ASSERT_EQ(RunToEnd(SetupProgram(), "/S /D=" + folder), 0u);

  // This prefix is 64-bit: the x64 programs of this build, byte for byte.
  EXPECT_EQ(Contents(folder),
            (std::vector<std::string>{"Help\\NorvaneHelp.chm", "Norvane.exe", "Uninstall.exe"}));
  EXPECT_TRUE(SameBytes(folder + "\\Norvane.exe", BesideTestProgram("Norvane.exe")));
  EXPECT_TRUE(
      SameBytes(folder + "\\Help\\NorvaneHelp.chm", BesideTestProgram("Help\\NorvaneHelp.chm")));
  EXPECT_TRUE(SameBytes(InstalledProxy(), BesideTestProgram("_Norvane.scr")));
  EXPECT_EQ(MachineValueCount(kProxyUsersKey), 1);

  EXPECT_EQ(GetRegType(kAppKey, "InstallDir"), REG_SZ);
  EXPECT_EQ(String(kAppKey, "InstallDir"), folder + "\\");
  EXPECT_EQ(GetRegType(kRunKey, "Norvane"), REG_SZ);
  EXPECT_EQ(String(kRunKey, "Norvane"), "\"" + folder + "\\Norvane.exe\" /start");
  EXPECT_TRUE(PathsEqual(ShortcutTarget(StartMenuShortcut()), folder + "\\Norvane.exe"));
  const std::pair<const char*, std::string> strings[] = {
      {"DisplayName", "Norvane"},
      {"DisplayVersion", "1.0.0.0"},
      {"Publisher", "Tessaly"},
      {"DisplayIcon", folder + "\\Norvane.exe,0"},
      {"InstallLocation", folder},
      {"UninstallString", "\"" + folder + "\\Uninstall.exe\""},
      {"QuietUninstallString", "\"" + folder + "\\Uninstall.exe\" /S _?=" + folder}};
  for (const auto& [name, value] : strings) {
    EXPECT_EQ(GetRegType(kUninstallKey, name), REG_SZ) << name;
    EXPECT_EQ(String(kUninstallKey, name), value) << name;
  }
  EXPECT_GT(GetRegDword(kUninstallKey, "EstimatedSize").value_or(0), 1000u);
  EXPECT_EQ(GetRegDword(kUninstallKey, "NoModify"), 1u);
  EXPECT_EQ(GetRegDword(kUninstallKey, "NoRepair"), 1u);

  // The installed manager keeps the user's choices in the installation
  // folder and makes the proxy the Windows screensaver.
  PlacedFile stars{SaverFile("Starfield"), Windows() + "nvtest_Stars.scr"};
  PlacedFile lights{SaverFile("Aurora"), Windows() + "nvtest_Lights.scr"};
  auto norvane = std::make_unique<ChildProcess>(folder + "\\Norvane.exe", "");
  HWND dialog = WaitForWindow(norvane->Id(), "Norvane");
  ASSERT_NE(dialog, nullptr);
  HWND list =
      GetDlgItem(PageWith(GetDlgItem(dialog, IDC_TAB), IDC_SCREENSAVER_LIST), IDC_SCREENSAVER_LIST);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2; }));
  std::string disabled = folder + "\\DisabledScreensavers.dat";
  SetListRowChecked(list, 0, false);
  ASSERT_TRUE(WaitUntil([&] { return FileExists(disabled); }));
  EXPECT_NE(String(kDesktopKey, "SCRNSAVE.EXE"), kOldScreensaver);

  // While it runs, neither the setup nor the uninstaller touches anything.
  EXPECT_EQ(RunToEnd(SetupProgram(), "/S"), 2u);
  std::string quietUninstall = String(kUninstallKey, "QuietUninstallString");
  EXPECT_EQ(RunCommandLine(quietUninstall), 2u);
  EXPECT_TRUE(FileExists(folder + "\\Norvane.exe") && FileExists(folder + "\\Uninstall.exe"));
  norvane.reset();

  // An upgrade, with no folder given, goes into the installed one and keeps
  // the list files; a lost help file comes back, and another build's proxy
  // is replaced.
  std::string choices = ReadFileBytes(disabled);
  DeleteFileA((folder + "\\Help\\NorvaneHelp.chm").c_str());
  WriteFileBytes(InstalledProxy(), "an older proxy");
  ASSERT_EQ(RunToEnd(SetupProgram(), "/S"), 0u);
  EXPECT_TRUE(FileExists(folder + "\\Help\\NorvaneHelp.chm"));
  EXPECT_TRUE(SameBytes(InstalledProxy(), BesideTestProgram("_Norvane.scr")));
  EXPECT_FALSE(FileExists(DefaultInstallFolder()));
  EXPECT_EQ(ReadFileBytes(disabled), choices);
  EXPECT_EQ(MachineValueCount(kProxyUsersKey), 1);

  // Uninstalling as the entry says, with a stale list file of a killed write.
  WriteFileBytes(disabled + ".tmp", "half");
  ASSERT_EQ(RunCommandLine(quietUninstall), 0u);
  EXPECT_TRUE(WaitForFolderGone(folder));
  EXPECT_EQ(String(kDesktopKey, "SCRNSAVE.EXE"), kOldScreensaver);
  EXPECT_FALSE(FileExists(InstalledProxy()));
  EXPECT_FALSE(FileExists(StartMenuShortcut()));
  EXPECT_EQ(MachineValueCount("Software\\Tessaly"), -1);
  EXPECT_FALSE(GetRegType(kRunKey, "Norvane"));
  for (const char* key : {kUninstallKey, kAppKey, "Software\\Tessaly"}) {
    RegKey gone;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, gone.put()), ERROR_SUCCESS) << key;
  }
}

TEST_F(SetupTest, ProxyStaysWhileAnotherAccountReliesOnIt) {
  ASSERT_EQ(RunToEnd(SetupProgram(), "/S /D=" + folder), 0u);
  const char other[] = "S-1-5-21-1-2-3-1001";
  SetMachineValue(kProxyUsersKey, other);

  ASSERT_EQ(RunCommandLine(String(kUninstallKey, "QuietUninstallString")), 0u);
  EXPECT_TRUE(WaitForFolderGone(folder));
  EXPECT_TRUE(FileExists(InstalledProxy()));
  EXPECT_EQ(MachineValueCount(kProxyUsersKey), 1);
  EXPECT_TRUE(HasMachineValue(kProxyUsersKey, other));
}

// The wizard's buttons, by their ids in the setup's window.
const int kNextButton = 1;

HWND WaitForButtonText(HWND wizard, const std::string& text) {
  HWND button = GetDlgItem(wizard, kNextButton);
  return WaitUntil([&] { return IsWindowEnabled(button) && WindowText(button) == text; }, 30000)
             ? button
             : nullptr;
}

TEST_F(SetupTest, PagesInstallIntoTheDefaultFolderAndStartNorvane) {
  ChildProcess setup(SetupProgram(), "");
  HWND wizard = WaitForWindow(setup.Id(), "Norvane Setup", 30000);
  ASSERT_NE(wizard, nullptr);
  for (const char* step : {"&Next >", "&Install", "&Finish"}) {
    HWND button = WaitForButtonText(wizard, step);
    ASSERT_NE(button, nullptr) << step;
    SendMessageA(button, BM_CLICK, 0, 0);
  }
  DWORD exitCode = 99;
  ASSERT_TRUE(setup.WaitForExit(30000, &exitCode));
  EXPECT_EQ(exitCode, 0u);

  std::string manager = DefaultInstallFolder() + "\\Norvane.exe";
  EXPECT_TRUE(SameBytes(manager, BesideTestProgram("Norvane.exe")));
  EXPECT_EQ(String(kAppKey, "InstallDir"), DefaultInstallFolder() + "\\");
  EXPECT_TRUE(WaitUntil([&] { return !WindowsOfFile(manager).empty(); }, 30000));
}

} // namespace

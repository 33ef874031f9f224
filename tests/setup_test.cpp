// The setup program and its uninstaller, run as a user runs them: silently
// into a folder of the user's own, then the installed manager at work, an
// upgrade, the refusal while Norvane runs, and the uninstall that the
// installed programs' entry names; the proxy's machine-wide record of its
// users, the proxy in use, older Windows; and once through the setup's
// pages.
#include "catalogue/screensaver.h"
#include "framework/handle.h"
#include "resource.h"
#include "tests/support/files.h"
#include "tests/support/installation.h"
#include "tests/support/list_view.h"
#include "tests/support/main_window.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"
#include "tests/support/shared_machine.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>

namespace {

const char kOldScreensaver[] = "C:\\windows\\system32\\old.scr";

std::string TemporaryFolder() {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return folder;
}

// The date as the uninstall entry gives it: YYYYMMDD.
std::string Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[16];
  wsprintfA(text, "%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
  return text;
}

bool SameBytes(const std::string& installed, const std::string& built) {
  std::string bytes = ReadFileBytes(installed);
  return !bytes.empty() && bytes == ReadFileBytes(built);
}

std::string String(const char* key, const char* name) {
  return GetRegBytes(key, name).value_or(std::string(1, '\0')).c_str();
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
      {"URLInfoAbout", "https://www.norvane.example/norvane/"},
      {"HelpLink", "https://www.norvane.example/norvane/"},
      {"InstallDate", Today()},
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
  PlacedFile stars{SaverFile("Starfield"), WindowsFolderPath() + "nvtest_Stars.scr"};
  PlacedFile lights{SaverFile("Aurora"), WindowsFolderPath() + "nvtest_Lights.scr"};
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

  // Uninstalling as the entry says, with a stale list file of a killed write
  // and a copy of the uninstaller that an earlier uninstall left behind.
  WriteFileBytes(disabled + ".tmp", "half");
  std::string staleCopy = TemporaryFolder() + "NorvaneUninstall-1.exe";
  WriteFileBytes(staleCopy, "left behind");
  ASSERT_EQ(RunCommandLine(quietUninstall), 0u);
  EXPECT_TRUE(WaitForFolderGone(folder));
  EXPECT_FALSE(FileExists(staleCopy));
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

// The shared proxy follows the accounts that rely on it, as long as they
// exist, and a setup never puts an older one in place of a newer one.
TEST_F(SetupTest, SharedProxyNeverGetsOlderAndStaysForLiveAccounts) {
  std::string newer = WithMajorVersion(ReadFileBytes(BesideTestProgram("_Norvane.scr")), 9);
  ASSERT_FALSE(newer.empty());
  WriteFileBytes(InstalledProxy(), newer);
  ASSERT_EQ(RunToEnd(SetupProgram(), "/S /D=" + folder), 0u);
  EXPECT_TRUE(ReadFileBytes(InstalledProxy()) == newer);
  EXPECT_EQ(MachineValueCount(kProxyUsersKey), 1);

  const char other[] = "S-1-5-21-1-2-3-1001";
  const char deleted[] = "S-1-5-21-1-2-3-1002";
  {
    ListedAccount account(other);
    SetMachineValue(kProxyUsersKey, other);
    SetMachineValue(kProxyUsersKey, deleted);
    ASSERT_EQ(RunCommandLine(String(kUninstallKey, "QuietUninstallString")), 0u);
    EXPECT_TRUE(WaitForFolderGone(folder));
    EXPECT_TRUE(ReadFileBytes(InstalledProxy()) == newer);
    EXPECT_EQ(MachineValueCount(kProxyUsersKey), 2);
    EXPECT_TRUE(HasMachineValue(kProxyUsersKey, other));
  }

  // Once only an account that no longer exists is left besides the user,
  // the proxy goes with the user's uninstall.
  DeleteMachineValue(kProxyUsersKey, other);
  ASSERT_EQ(RunToEnd(SetupProgram(), "/S /D=" + folder), 0u);
  ASSERT_EQ(RunCommandLine(String(kUninstallKey, "QuietUninstallString")), 0u);
  EXPECT_TRUE(WaitForFolderGone(folder));
  EXPECT_FALSE(FileExists(InstalledProxy()));
  EXPECT_EQ(MachineValueCount(kProxyUsersKey), -1);
}

// The old proxy that a setup renamed aside; empty when there is none.
std::string AsideProxy() {
  std::string windows = WindowsFolderPath();
  WIN32_FIND_DATAA entry;
  FindHandle found(FindFirstFileA((windows + "_Norvane-*.old").c_str(), &entry));
  return found ? windows + entry.cFileName : std::string();
}

// The proxy in use in another session: running, it is renamed aside and
// removed at the next restart; held open without delete sharing (so that it
// cannot even be renamed), it is replaced at the next restart, and an
// uninstall that would remove it removes nothing while it is held.
TEST_F(SetupTest, AProxyInUseIsReplacedAndRemovedSafely) {
  ASSERT_EQ(RunToEnd(SetupProgram(), "/S /D=" + folder), 0u);
  std::string quietUninstall = String(kUninstallKey, "QuietUninstallString");
  std::string built = ReadFileBytes(BesideTestProgram("_Norvane.scr"));
  std::string older = WithMajorVersion(built, 0);
  std::string waiting = InstalledProxy() + ".new";
  WriteFileBytes(InstalledProxy(), older);
  {
    RunningImage running(InstalledProxy());
    ASSERT_TRUE(running);
    EXPECT_EQ(RunToEnd(SetupProgram(), "/S"), 0u);
    EXPECT_TRUE(ReadFileBytes(InstalledProxy()) == built);
    std::string aside = AsideProxy();
    EXPECT_TRUE(ReadFileBytes(aside) == older);
    EXPECT_TRUE(PendingAtRestart(aside)) << aside;
  }

  WriteFileBytes(InstalledProxy(), older);
  {
    FileHandle held(CreateFileA(InstalledProxy().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(RunToEnd(SetupProgram(), "/S"), 3010u);
    EXPECT_TRUE(ReadFileBytes(waiting) == built);
    EXPECT_TRUE(PendingAtRestart(waiting));
    EXPECT_EQ(MachineValueCount(kProxyUsersKey), 1);

    EXPECT_EQ(RunCommandLine(quietUninstall), 2u);
    EXPECT_EQ(Contents(folder),
              (std::vector<std::string>{"Help\\NorvaneHelp.chm", "Norvane.exe", "Uninstall.exe"}));
    EXPECT_EQ(String(kAppKey, "InstallDir"), folder + "\\");
    EXPECT_EQ(String(kUninstallKey, "QuietUninstallString"), quietUninstall);
    EXPECT_EQ(MachineValueCount(kProxyUsersKey), 1);
  }
  EXPECT_TRUE(ReadFileBytes(InstalledProxy()) == older);

  RunningImage running(InstalledProxy());
  ASSERT_TRUE(running);
  ASSERT_EQ(RunCommandLine(quietUninstall), 0u);
  EXPECT_TRUE(WaitForFolderGone(folder));
  EXPECT_FALSE(FileExists(InstalledProxy()));
  EXPECT_FALSE(FileExists(waiting));
  EXPECT_TRUE(PendingAtRestart(AsideProxy()));
  EXPECT_EQ(MachineValueCount("Software\\Tessaly"), -1);
}

// A registration that fails (a folder stands where the Start-menu
// shortcut goes) fails the setup, however many writes succeed after it.
TEST_F(SetupTest, AFailedRegistrationFailsTheSetup) {
  ASSERT_TRUE(CreateDirectoryA(StartMenuShortcut().c_str(), nullptr));
  EXPECT_EQ(RunToEnd(SetupProgram(), "/S /D=" + folder), 2u);
  EXPECT_TRUE(RemoveDirectoryA(StartMenuShortcut().c_str()));
}

// Windows before 10 version 1903 (Wine's answer for a program it is told to
// treat as Windows 7's) ignores the programs' UTF-8 code page: a folder whose
// name the ANSI code page cannot hold is recorded by its short name.
TEST_F(SetupTest, BeforeWindows1903AFolderOutsideTheCodePageIsRecordedShort) {
  SetupTreatedAsWindows7 windows7;
  std::wstring wideFolder(scratch.Path().begin(), scratch.Path().end());
  wideFolder += L"\x141ukasz \x65e5\x672c";
  std::string program = SetupProgram();
  std::wstring commandLine =
      L"\"" + std::wstring(program.begin(), program.end()) + L"\" /S /D=" + wideFolder;
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process));
  KernelHandle thread(process.hThread), setup(process.hProcess);
  DWORD exitCode = 99;
  WaitForSingleObject(setup.get(), 60000);
  GetExitCodeProcess(setup.get(), &exitCode);
  EXPECT_EQ(exitCode, 0u);

  wchar_t shortForm[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameW(wideFolder.c_str(), shortForm, MAX_PATH), 0u);
  std::string recorded = String(kAppKey, "InstallDir");
  EXPECT_EQ(std::wstring(recorded.begin(), recorded.end()), std::wstring(shortForm) + L"\\");
  EXPECT_TRUE(FileExists(recorded + "Norvane.exe"));
  ASSERT_EQ(RunCommandLine(String(kUninstallKey, "QuietUninstallString")), 0u);
  EXPECT_TRUE(WaitUntil(
      [&] { return GetFileAttributesW(wideFolder.c_str()) == INVALID_FILE_ATTRIBUTES; }, 30000));
}

// The wizard's buttons, by their ids in the setup's window.
const int kNextButton = 1;

HWND WaitForButtonText(HWND wizard, const std::string& text) {
  HWND button = GetDlgItem(wizard, kNextButton);
  return WaitUntil([&] { return IsWindowEnabled(button) && WindowText(button) == text; }, 30000)
             ? button
             : nullptr;
}

// A group policy value for the user's screensaver, for the length of the test.
class ScreensaverPolicy {
public:
  ScreensaverPolicy() { SetRegString(kKey, "SCRNSAVE.EXE", kOldScreensaver); }
  ~ScreensaverPolicy() { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }

private:
  static constexpr const char* kKey =
      "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop";
};

bool ShowsTextStartingWith(HWND window, const std::string& text) {
  for (HWND child : ChildWindows(window))
    if (IsWindowVisible(child) && WindowText(child).find(text) != std::string::npos)
      return true;
  return false;
}

// Through the pages, under a policy that sets the screensaver, which the
// last page mentions.
TEST_F(SetupTest, PagesInstallIntoTheDefaultFolderAndStartNorvane) {
  ScreensaverPolicy policy;
  ChildProcess setup(SetupProgram(), "");
  HWND wizard = WaitForWindow(setup.Id(), "Norvane Setup", 30000);
  ASSERT_NE(wizard, nullptr);
  for (const char* step : {"&Next >", "&Install", "&Finish"}) {
    HWND button = WaitForButtonText(wizard, step);
    ASSERT_NE(button, nullptr) << step;
    if (std::string(step) == "&Finish")
      EXPECT_TRUE(ShowsTextStartingWith(wizard, "A policy of this computer sets the screensaver"));
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

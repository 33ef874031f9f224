// The General Settings page of the real Norvane.exe: what its boxes show,
// what a click stores, and how the stored values steer the next start.
#include "catalogue/screensaver.h"
#include "resource.h"
#include "tests/support/main_window.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

const char kSentinel[] = "C:\\WINDOWS\\system32\\sentinel.scr";
const char kPolicyKey[] = "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop";

class GeneralSettingsTest : public ::testing::Test {
protected:
  void SetUp() override {
    KillStrayInstances();
    ResetProgramRegistry();
    SetRegString(kDesktopKey, "SCRNSAVE.EXE", kSentinel);
  }
  void TearDown() override {
    KillStrayInstances();
    RegDeleteKeyA(HKEY_CURRENT_USER, kPolicyKey);
    ResetProgramRegistry();
    DeleteFileA(ProxyPath().c_str());
  }

  static std::string Program() { return BesideTestProgram("Norvane.exe"); }
  static std::string ProxyPath() { return GetWindowsFolder() + "\\_Norvane.scr"; }

  // The page, shown on its tab of the program's visible window.
  static HWND ShowPage(const ChildProcess& norvane) {
    HWND dialog = WaitForWindow(norvane.Id(), "Norvane");
    if (!dialog)
      return nullptr;
    HWND tab = GetDlgItem(dialog, IDC_TAB);
    HWND page = PageWith(tab, IDC_START_WITH_WINDOWS);
    SendMessageA(tab, TCM_SETCURFOCUS, 2, 0);
    return WaitUntil([&] { return IsWindowVisible(page) != FALSE; }) ? page : nullptr;
  }
  static LRESULT CheckOf(HWND page, int id) {
    return SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0);
  }
  static bool WaitStored(const char* name, DWORD value) {
    return WaitUntil([&] { return GetRegDword(kAppKey, name) == value; });
  }
  static void Close(ChildProcess& norvane) {
    PostMessageA(WaitForMainDialog(norvane.Id()), WM_COMMAND, ID_TRAY_CLOSE, 0);
    ASSERT_TRUE(norvane.WaitForExit(10000));
  }
  static std::string ShortProxyPath() {
    char shortPath[MAX_PATH] = {};
    GetShortPathNameA(ProxyPath().c_str(), shortPath, MAX_PATH);
    return std::string(shortPath) + '\0';
  }
};

TEST_F(GeneralSettingsTest, FirstRunShowsBothCheckedWithTheirExplanations) {
  ChildProcess norvane(Program(), "");
  HWND page = ShowPage(norvane);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(CheckOf(page, IDC_START_WITH_WINDOWS), BST_CHECKED);
  EXPECT_EQ(CheckOf(page, IDC_MAKE_DEFAULT), BST_CHECKED);
  EXPECT_EQ(WindowText(GetDlgItem(page, IDC_STARTUP_TEXT)),
            "This option starts the Norvane when Windows starts.  The manager will be accessible "
            "through the tray icon on the taskbar.  This option is required if you want to "
            "quickly enable/disable your screensaver through the taskbar icon.  The manager can "
            "be manually started later through the Windows start menu.");
  EXPECT_EQ(WindowText(GetDlgItem(page, IDC_DEFAULT_TEXT)),
            "This option ensures that the Norvane manages all selected screensavers.  If you "
            "install another screensaver and this option is not checked,  the manager will not "
            "start your screensavers randomly.");
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_POLICY_TEXT)));
  // Showing the values stores nothing.
  EXPECT_FALSE(GetRegDword(kAppKey, "StartWindowsStart").has_value());
  EXPECT_FALSE(GetRegDword(kAppKey, "MakeDefaultScreensaver").has_value());
}

// A policy value overrides the user's: the page says that its choice has no
// effect then.
TEST_F(GeneralSettingsTest, APolicyOverridingTheScreensaverIsSaid) {
  SetRegString(kPolicyKey, "ScreenSaveActive", "0");
  ChildProcess norvane(Program(), "");
  HWND page = ShowPage(norvane);
  ASSERT_NE(page, nullptr);
  HWND policy = GetDlgItem(page, IDC_POLICY_TEXT);
  EXPECT_TRUE(IsWindowVisible(policy));
  EXPECT_EQ(WindowText(policy),
            "A policy of this computer sets the screensaver: Windows follows it, not this choice.");
}

TEST_F(GeneralSettingsTest, EveryClickStoresBothValues) {
  ChildProcess norvane(Program(), "");
  HWND page = ShowPage(norvane);
  ASSERT_NE(page, nullptr);
  SendMessageA(GetDlgItem(page, IDC_START_WITH_WINDOWS), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitStored("StartWindowsStart", 0));
  EXPECT_EQ(GetRegDword(kAppKey, "MakeDefaultScreensaver"), 1u);

  SendMessageA(GetDlgItem(page, IDC_MAKE_DEFAULT), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitStored("MakeDefaultScreensaver", 0));
  EXPECT_EQ(GetRegDword(kAppKey, "StartWindowsStart"), 0u);

  // The hidden third box saves too, writing what the other two show.
  ResetProgramRegistry();
  PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_SHOW_TRAY_ICON, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_SHOW_TRAY_ICON)));
  EXPECT_TRUE(WaitStored("StartWindowsStart", 0));
  EXPECT_TRUE(WaitStored("MakeDefaultScreensaver", 0));
}

TEST_F(GeneralSettingsTest, UncheckedStartWithWindowsEndsTheNextStartSwitchStart) {
  {
    ChildProcess norvane(Program(), "");
    HWND page = ShowPage(norvane);
    ASSERT_NE(page, nullptr);
    SendMessageA(GetDlgItem(page, IDC_START_WITH_WINDOWS), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitStored("StartWindowsStart", 0));
    Close(norvane);
  }
  {
    ChildProcess norvane(Program(), "/start");
    DWORD exitCode = 1;
    EXPECT_TRUE(norvane.WaitForExit(10000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
  }
  // A plain start is not affected, and shows the box as it was left.
  ChildProcess norvane(Program(), "");
  HWND page = ShowPage(norvane);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(CheckOf(page, IDC_START_WITH_WINDOWS), BST_UNCHECKED);
  EXPECT_EQ(CheckOf(page, IDC_MAKE_DEFAULT), BST_CHECKED);
}

TEST_F(GeneralSettingsTest, UncheckedMakeDefaultOnlySkipsTheNextRegistration) {
  ASSERT_TRUE(CopyFileA(Program().c_str(), ProxyPath().c_str(), FALSE));
  {
    ChildProcess norvane(Program(), "");
    HWND page = ShowPage(norvane);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(GetDesktopString("SCRNSAVE.EXE"), ShortProxyPath());
    SendMessageA(GetDlgItem(page, IDC_MAKE_DEFAULT), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitStored("MakeDefaultScreensaver", 0));
    EXPECT_EQ(GetDesktopString("SCRNSAVE.EXE"), ShortProxyPath());
    Close(norvane);
  }
  SetRegString(kDesktopKey, "SCRNSAVE.EXE", kSentinel);
  ChildProcess norvane(Program(), "");
  HWND page = ShowPage(norvane);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(CheckOf(page, IDC_MAKE_DEFAULT), BST_UNCHECKED);
  EXPECT_EQ(GetDesktopString("SCRNSAVE.EXE"), std::string(kSentinel) + '\0');
}

} // namespace

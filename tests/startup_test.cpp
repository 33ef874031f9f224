// Start-up as whole processes of the real Norvane.exe: the "/start" switch,
// the single-instance rule and the proxy registration.
#include "catalogue/screensaver.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"

#include <gtest/gtest.h>

namespace {

const char kSentinel[] = "C:\\WINDOWS\\system32\\sentinel.scr";

class StartupTest : public ::testing::Test {
protected:
  void SetUp() override {
    KillStrayInstances();
    ResetProgramRegistry();
    SetRegString(kDesktopKey, "SCRNSAVE.EXE", kSentinel);
    DeleteFileA(ProxyPath().c_str());
  }
  void TearDown() override {
    KillStrayInstances();
    DeleteFileA(ProxyPath().c_str());
  }

  static std::string ProxyPath() { return GetWindowsFolder() + "\\_Norvane.scr"; }
  static std::string Program() { return BesideTestProgram("Norvane.exe"); }

  static bool WaitUntilInitialised(const ChildProcess& process) {
    return WaitForMainDialog(process.Id()) != nullptr && process.IsRunning();
  }

  static void ExpectHiddenStart(const std::string& arguments) {
    SCOPED_TRACE("arguments: " + arguments);
    ChildProcess norvane(Program(), arguments);
    ASSERT_TRUE(WaitUntilInitialised(norvane));
    EXPECT_TRUE(TopLevelWindows(norvane.Id()).empty());
  }

  static void ExpectVisibleStart(const std::string& arguments) {
    SCOPED_TRACE("arguments: " + arguments);
    ChildProcess norvane(Program(), arguments);
    EXPECT_NE(WaitForWindow(norvane.Id(), "Norvane"), nullptr);
  }
};

TEST_F(StartupTest, StartSwitchInAnyCaseStartsHidden) {
  ExpectHiddenStart("/START");
  ExpectHiddenStart("/Start foo");
  ExpectHiddenStart("/start\t");
}

TEST_F(StartupTest, AnythingElseStartsVisible) {
  ExpectVisibleStart("");
  ExpectVisibleStart("/startx");
  ExpectVisibleStart("x /start");
  ExpectVisibleStart("/start\tx");
}

TEST_F(StartupTest, StartSwitchWhileStartWithWindowsIsOffExitsSilently) {
  SetRegDword(kAppKey, "StartWindowsStart", 0);
  CopyFileA(Program().c_str(), ProxyPath().c_str(), FALSE);
  ChildProcess norvane(Program(), "/start");
  bool sawWindow = false;
  DWORD exitCode = 1;
  DWORD start = GetTickCount();
  while (!norvane.WaitForExit(10, &exitCode) && GetTickCount() - start < 10000)
    sawWindow = sawWindow || !TopLevelWindows(norvane.Id()).empty();
  EXPECT_FALSE(norvane.IsRunning());
  EXPECT_EQ(exitCode, 0u);
  EXPECT_FALSE(sawWindow);
  EXPECT_EQ(GetDesktopString("SCRNSAVE.EXE"), std::string(kSentinel) + '\0');
  EXPECT_FALSE(GetDesktopString("ScreenSaveActive").has_value());

  // Without "/start" the setting does not matter.
  ExpectVisibleStart("");
}

TEST_F(StartupTest, SecondStartShowsTheMessageAndLeavesTheFirstAlone) {
  ChildProcess first(Program(), "");
  HWND firstWindow = WaitForWindow(first.Id(), "Norvane");
  ASSERT_NE(firstWindow, nullptr);

  for (const char* arguments : {"", "/start", "/START x"}) {
    SCOPED_TRACE(arguments);
    ChildProcess second(Program(), arguments);
    HWND box = WaitForWindow(second.Id(), "Norvane");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ClassName(box), "#32770");
    EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)),
              "Norvane is already running. You cannot run more than one instance.  You can "
              "access the Norvane through the icon on the tray menu.");

    std::vector<HWND> buttons;
    HWND icon = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (ClassName(child) == "Button" && IsWindowVisible(child))
        buttons.push_back(child);
      if (ClassName(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_ICON))
        icon = child;
    }
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(WindowText(buttons[0]), "OK");
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return StaticShowsIcon(icon, IDI_INFORMATION); }, 3000));
    EXPECT_FALSE(StaticShowsIcon(icon, IDI_WARNING));

    SendMessageA(buttons[0], BM_CLICK, 0, 0);
    DWORD exitCode = 1;
    EXPECT_TRUE(second.WaitForExit(10000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(first.IsRunning());
    EXPECT_TRUE(IsWindowVisible(firstWindow));
  }
}

TEST_F(StartupTest, RegistersTheProxyByItsShortPath) {
  CopyFileA(Program().c_str(), ProxyPath().c_str(), FALSE);
  ChildProcess norvane(Program(), "");
  ASSERT_TRUE(WaitUntilInitialised(norvane));

  char shortPath[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameA(ProxyPath().c_str(), shortPath, MAX_PATH), 0u);
  EXPECT_EQ(GetDesktopString("SCRNSAVE.EXE"), std::string(shortPath) + '\0');
  EXPECT_EQ(GetDesktopString("ScreenSaveActive"), std::string("1\0", 2));
}

TEST_F(StartupTest, MissingProxyKeepsTheOldScreensaver) {
  ChildProcess norvane(Program(), "");
  ASSERT_TRUE(WaitUntilInitialised(norvane));
  EXPECT_EQ(GetDesktopString("SCRNSAVE.EXE"), std::string(kSentinel) + '\0');
  // Only the main window, from the stored allow state, switches it on then.
  EXPECT_TRUE(
      WaitUntil([] { return GetDesktopString("ScreenSaveActive") == std::string("1\0", 2); }));
}

TEST_F(StartupTest, MakeDefaultOffLeavesTheScreensaverAlone) {
  SetRegDword(kAppKey, "MakeDefaultScreensaver", 0);
  CopyFileA(Program().c_str(), ProxyPath().c_str(), FALSE);
  ChildProcess norvane(Program(), "");
  ASSERT_TRUE(WaitUntilInitialised(norvane));
  EXPECT_EQ(GetDesktopString("SCRNSAVE.EXE"), std::string(kSentinel) + '\0');
}

TEST_F(StartupTest, StoredForbidStateIsPushedToTheDesktop) {
  SetRegDword(kAppKey, "EnableExeScreensavers", 0);
  CopyFileA(Program().c_str(), ProxyPath().c_str(), FALSE);
  ChildProcess norvane(Program(), "");
  ASSERT_TRUE(WaitUntilInitialised(norvane));
  // Registration writes "1" first; the main window then writes the stored state.
  EXPECT_TRUE(
      WaitUntil([] { return GetDesktopString("ScreenSaveActive") == std::string("0\0", 2); }));
}

} // namespace

// The main window and the tray commands of the real Norvane.exe, driven
// from this process: its tabs and pages, hiding into the tray and coming
// back, the allow switch, the "/start" start and the end through Close.
#include "app/manager_dialog.h"
#include "resource.h"
#include "tests/support/main_window.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"
#include "tests/support/tray.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <set>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    KillStrayInstances();
    ResetProgramRegistry();
    normalIcon.reset(LoadSmallResourceIcon(IDR_MAINFRAME));
    forbiddenIcon.reset(LoadSmallResourceIcon(IDI_FORBIDDEN));
  }
  void TearDown() override {
    KillStrayInstances();
    ResetProgramRegistry();
  }

  static std::string Program() { return BesideTestProgram("Norvane.exe"); }
  static void Command(HWND dialog, UINT id) { PostMessageA(dialog, WM_COMMAND, id, 0); }
  static bool WaitHidden(const ChildProcess& norvane) {
    return WaitUntil([&] { return !VisibleMainWindow(norvane.Id()); });
  }
  // The dialog exists before it has hidden itself for "/start".
  static HWND WaitForTrayStart(const ChildProcess& norvane) {
    HWND dialog = WaitForMainDialog(norvane.Id());
    return dialog && WaitUntil([&] { return IsParkedInTray(dialog); }) ? dialog : nullptr;
  }
  static bool WaitShown(const ChildProcess& norvane) {
    return WaitUntil([&] { return VisibleMainWindow(norvane.Id()) != nullptr; });
  }
  bool WaitTrayShows(HICON icon) {
    return WaitUntil([&] { return TrayShowsIcon(icon); }, 5000);
  }

  IconHandle normalIcon, forbiddenIcon;
};

TEST_F(MainWindowTest, TabsInOrderEachShowingItsPage) {
  ChildProcess norvane(Program(), "");
  HWND dialog = WaitForWindow(norvane.Id(), "Norvane");
  ASSERT_NE(dialog, nullptr);
  HWND tab = GetDlgItem(dialog, IDC_TAB);
  EXPECT_EQ(TabLabels(tab),
            (std::vector<std::string>{"Screensaver Settings", "Addional Screensavers",
                                      "General Settings", "About"}));
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);

  const int pageControls[] = {IDC_SCREENSAVER_LIST, IDC_BROWSE, IDC_START_WITH_WINDOWS,
                              IDC_LINK_MAKER};
  HWND pages[4];
  for (int i = 0; i < 4; ++i) {
    pages[i] = PageWith(tab, pageControls[i]);
    ASSERT_NE(pages[i], nullptr) << i;
  }
  RECT client, page;
  GetClientRect(tab, &client);
  for (HWND each : pages) {
    GetWindowRect(each, &page);
    MapWindowPoints(nullptr, tab, reinterpret_cast<POINT*>(&page), 2);
    EXPECT_EQ(page.left, client.left + 1);
    EXPECT_GT(page.top, client.top + 10);
    EXPECT_EQ(page.right, client.right - 3);
    EXPECT_EQ(page.bottom, client.bottom - 3);
  }

  for (int shown : {0, 1, 2, 3, 0}) {
    SCOPED_TRACE(shown);
    // Moving the focus between tabs makes the tab control notify the window.
    SendMessageA(tab, TCM_SETCURFOCUS, shown, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(pages[shown]) != FALSE; }, 3000));
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(IsWindowVisible(pages[i]) != FALSE, i == shown) << i;
  }

  // The pages' controls are tab stops of the window: the first is in the
  // page, and Tab walks from there to the buttons and back.
  EXPECT_TRUE(IsChild(pages[0], FocusOfThread(dialog)));
  std::set<HWND> visited;
  for (int i = 0; i < 8; ++i) {
    HWND focus = FocusOfThread(dialog);
    visited.insert(focus);
    PostMessageA(focus, WM_KEYDOWN, VK_TAB, 0);
    WaitUntil([&] { return FocusOfThread(dialog) != focus; }, 2000);
  }
  EXPECT_TRUE(visited.count(GetDlgItem(dialog, IDC_HELPBTN)));
  EXPECT_TRUE(visited.count(GetDlgItem(dialog, IDOK)));
  EXPECT_GE(std::count_if(visited.begin(), visited.end(),
                          [&](HWND wnd) { return IsChild(pages[0], wnd) != FALSE; }),
            2);
}

TEST_F(MainWindowTest, ClosingInAnyWayOnlyHidesAndOpenManagerBringsItBackCentred) {
  ChildProcess norvane(Program(), "");
  HWND dialog = WaitForWindow(norvane.Id(), "Norvane");
  ASSERT_NE(dialog, nullptr);
  // It opens centred; moved away, it must come back to the centre.
  EXPECT_TRUE(IsCentred(dialog));
  SetWindowPos(dialog, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return !IsCentred(dialog); }));
  struct Way {
    const char* name;
    std::function<void()> close;
  };
  HWND tab = GetDlgItem(dialog, IDC_TAB);
  const Way ways[] = {
      {"Hide Manager", [&] { SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }},
      {"Enter", [&] { PostMessageA(tab, WM_KEYDOWN, VK_RETURN, 0); }},
      {"WM_CLOSE", [&] { PostMessageA(dialog, WM_CLOSE, 0, 0); }},
      {"Alt+F4", [&] { PostMessageA(dialog, WM_SYSKEYDOWN, VK_F4, (1 << 29) | 1); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    way.close();
    EXPECT_TRUE(WaitHidden(norvane));
    // Hidden first, then parked in the tray control's window after the animation.
    EXPECT_TRUE(WaitUntil([&] { return IsParkedInTray(dialog); }));
    EXPECT_TRUE(norvane.IsRunning());
    Command(dialog, ID_TRAY_OPEN_MANAGER);
    EXPECT_TRUE(WaitShown(norvane));
    EXPECT_FALSE(IsParkedInTray(dialog));
    EXPECT_TRUE(IsCentred(dialog));
  }

  // Shown already, a double-click restores a minimised window in place.
  ShowWindow(dialog, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(dialog) != FALSE; }));
  PostMessageA(dialog, kTrayNotify, kTrayIconId, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(dialog) && IsCentred(dialog); }));
  EXPECT_FALSE(IsParkedInTray(dialog));
}

TEST_F(MainWindowTest, EscapeDoesNothing) {
  ChildProcess norvane(Program(), "");
  HWND dialog = WaitForWindow(norvane.Id(), "Norvane");
  ASSERT_NE(dialog, nullptr);
  HWND tab = GetDlgItem(dialog, IDC_TAB);
  PostMessageA(tab, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
  // Posted messages arrive in order: once this one has, so have the keys.
  PostMessageA(tab, TCM_SETCURSEL, 1, 0);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(tab, TCM_GETCURSEL, 0, 0) == 1; }));
  EXPECT_EQ(VisibleMainWindow(norvane.Id()), dialog);
  EXPECT_TRUE(norvane.IsRunning());
}

TEST_F(MainWindowTest, AllowAndForbidSwitchRegistryAndIconAcrossRestarts) {
  {
    ChildProcess norvane(Program(), "");
    HWND dialog = WaitForMainDialog(norvane.Id());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(WaitTrayShows(normalIcon.get()));
    Command(dialog, ID_TRAY_FORBID);
    EXPECT_TRUE(WaitUntil([] { return GetRegDword(kAppKey, "EnableExeScreensavers") == 0u; }));
    // The command runs in the program: the second value follows the first.
    EXPECT_TRUE(
        WaitUntil([] { return GetDesktopString("ScreenSaveActive") == std::string("0\0", 2); }));
    EXPECT_TRUE(WaitTrayShows(forbiddenIcon.get()));
    EXPECT_FALSE(TrayShowsIcon(normalIcon.get()));
    Command(dialog, ID_TRAY_CLOSE);
    ASSERT_TRUE(norvane.WaitForExit(10000));
  }
  SetRegString(kDesktopKey, "ScreenSaveActive", "1");
  ChildProcess norvane(Program(), "");
  HWND dialog = WaitForMainDialog(norvane.Id());
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(
      WaitUntil([] { return GetDesktopString("ScreenSaveActive") == std::string("0\0", 2); }));
  EXPECT_TRUE(WaitTrayShows(forbiddenIcon.get()));

  Command(dialog, ID_TRAY_ALLOW);
  EXPECT_TRUE(WaitUntil([] { return GetRegDword(kAppKey, "EnableExeScreensavers") == 1u; }));
  EXPECT_TRUE(
      WaitUntil([] { return GetDesktopString("ScreenSaveActive") == std::string("1\0", 2); }));
  EXPECT_TRUE(WaitTrayShows(normalIcon.get()));
}

TEST_F(MainWindowTest, TrayMenuChosenByKeyboard) {
  ChildProcess norvane(Program(), "");
  HWND dialog = WaitForMainDialog(norvane.Id());
  ASSERT_NE(dialog, nullptr);
  PostMessageA(dialog, kTrayNotify, kTrayIconId, WM_RBUTTONUP);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND wnd : TopLevelWindows(norvane.Id()))
      if (ClassName(wnd) == "#32768")
        menu = wnd;
    return menu != nullptr;
  }));
  // Open Manager, Allow, Do Not Allow: separators are skipped.
  for (int i = 0; i < 3; ++i)
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(WaitUntil([] { return GetRegDword(kAppKey, "EnableExeScreensavers") == 0u; }));
  EXPECT_FALSE(IsWindowVisible(menu));
}

TEST_F(MainWindowTest, CloseEndsTheProgramAndRemovesTheIcon) {
  for (const char* arguments : {"", "/start"}) {
    SCOPED_TRACE(arguments);
    ChildProcess norvane(Program(), arguments);
    HWND dialog = WaitForMainDialog(norvane.Id());
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitTrayShows(normalIcon.get()));
    Command(dialog, ID_TRAY_CLOSE);
    DWORD exitCode = 1;
    EXPECT_TRUE(norvane.WaitForExit(10000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(WaitUntil([&] { return !TrayShowsIcon(normalIcon.get()); }, 5000));
  }
}

TEST_F(MainWindowTest, StartSwitchStartsInTheTrayAndDoubleClickOpens) {
  ChildProcess norvane(Program(), "/start");
  HWND dialog = WaitForTrayStart(norvane);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(TopLevelWindows(norvane.Id()).empty());
  EXPECT_TRUE(WaitTrayShows(normalIcon.get()));

  // The shell's double-click reaches the tray control's window.
  HWND tray = TrayControlWindow(norvane.Id());
  ASSERT_NE(tray, nullptr);
  DWORD_PTR result = 0;
  SendMessageTimeoutA(tray, kTrayNotify, kTrayIconId, WM_LBUTTONDBLCLK, SMTO_NORMAL, 5000, &result);
  EXPECT_EQ(result, 1u);
  EXPECT_TRUE(WaitShown(norvane));
  EXPECT_TRUE(IsCentred(dialog));
}

TEST_F(MainWindowTest, AboutComesOutOfTheTrayOnTheAboutTab) {
  ChildProcess norvane(Program(), "/start");
  HWND dialog = WaitForTrayStart(norvane);
  ASSERT_NE(dialog, nullptr);
  Command(dialog, ID_TRAY_ABOUT);
  EXPECT_TRUE(WaitShown(norvane));
  HWND tab = GetDlgItem(dialog, IDC_TAB);
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 3);
  EXPECT_TRUE(IsWindowVisible(PageWith(tab, IDC_LINK_MAKER)));
  EXPECT_FALSE(IsWindowVisible(PageWith(tab, IDC_SCREENSAVER_LIST)));
}

TEST_F(MainWindowTest, WindowTitledNorvaneKeepsTheManagerInTheTray) {
  ChildProcess norvane(Program(), "/start");
  HWND dialog = WaitForTrayStart(norvane);
  ASSERT_NE(dialog, nullptr);
  HWND blocker = CreateWindowExA(0, "STATIC", "Norvane", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(blocker, nullptr);
  SendMessageA(dialog, WM_COMMAND, ID_TRAY_OPEN_MANAGER, 0);
  EXPECT_TRUE(IsParkedInTray(dialog));
  EXPECT_TRUE(TopLevelWindows(norvane.Id()).empty());

  DestroyWindow(blocker);
  SendMessageA(dialog, WM_COMMAND, ID_TRAY_OPEN_MANAGER, 0);
  EXPECT_TRUE(WaitShown(norvane));
  EXPECT_FALSE(IsParkedInTray(dialog));
}

// The shell opens the help file with the help viewer only when the file is
// there, so the viewer showing the file's title and contents shows that both
// the path and the file are right.
TEST_F(MainWindowTest, HelpButtonOpensTheHelpFile) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "norvane-help-test";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\Help").c_str(), nullptr);
  std::string helpFile = folder + "\\Help\\NorvaneHelp.chm";
  ASSERT_TRUE(
      CopyFileA(BesideTestProgram("Help\\NorvaneHelp.chm").c_str(), helpFile.c_str(), FALSE));
  SetRegString(kAppKey, "InstallDir", folder + "\\\\");

  ChildProcess norvane(Program(), "");
  HWND dialog = WaitForWindow(norvane.Id(), "Norvane");
  ASSERT_NE(dialog, nullptr);
  SendMessageA(GetDlgItem(dialog, IDC_HELPBTN), BM_CLICK, 0, 0);
  HWND viewer = nullptr, contents = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    viewer = FindWindowA(nullptr, "Norvane Help");
    contents = viewer ? FirstChildOfClass(viewer, WC_TREEVIEWA) : nullptr;
    return contents && SendMessageA(contents, TVM_GETCOUNT, 0, 0) == 7;
  }));
  KillStrayInstances("hh.exe");

  DeleteFileA(helpFile.c_str());
  RemoveDirectoryA((folder + "\\Help").c_str());
  RemoveDirectoryA(folder.c_str());
}

} // namespace

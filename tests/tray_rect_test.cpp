// Where the tray control looks for the notification area, and how it hides
// a window into it and brings it back.
#include "resource.h"
#include "tests/support/process.h"
#include "tests/support/tray_target.h"

#include <gtest/gtest.h>

namespace {

// What the fake sources report.
HWND g_taskbar = nullptr;
bool g_hasTaskbarPos = false;
APPBARDATA g_taskbarPos = {};
bool g_hasWorkArea = false;
RECT g_workArea = {};

HWND FakeTaskbar() { return g_taskbar; }
BOOL FakeTaskbarPos(APPBARDATA* data) {
  if (g_hasTaskbarPos) {
    data->uEdge = g_taskbarPos.uEdge;
    data->rc = g_taskbarPos.rc;
  }
  return g_hasTaskbarPos;
}
BOOL FakeWorkArea(RECT* area) {
  if (g_hasWorkArea)
    *area = g_workArea;
  return g_hasWorkArea;
}

const TrayRectSources kFake = {&FakeTaskbar, &FakeTaskbarPos, &FakeWorkArea};

class TrayRectTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_taskbar = nullptr;
    g_hasTaskbarPos = g_hasWorkArea = false;
  }
  void TearDown() override {
    for (HWND wnd : m_windows)
      DestroyWindow(wnd);
  }

  // A window of a class registered here, placed in screen coordinates.
  HWND Make(const char* className, HWND parent, RECT screen) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    POINT origin = {screen.left, screen.top};
    if (parent)
      ScreenToClient(parent, &origin);
    HWND wnd =
        CreateWindowExA(0, className, "", parent ? WS_CHILD | WS_VISIBLE : WS_POPUP, origin.x,
                        origin.y, screen.right - screen.left, screen.bottom - screen.top, parent,
                        nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!parent)
      m_windows.push_back(wnd);
    return wnd;
  }

  static RECT Result(BOOL* found = nullptr) {
    RECT rect = {-1, -1, -1, -1};
    BOOL ok = GetTrayRectFrom(kFake, &rect);
    if (found)
      *found = ok;
    return rect;
  }

private:
  std::vector<HWND> m_windows;
};

void ExpectRect(const RECT& rect, LONG left, LONG top, LONG right, LONG bottom) {
  EXPECT_EQ(rect.left, left);
  EXPECT_EQ(rect.top, top);
  EXPECT_EQ(rect.right, right);
  EXPECT_EQ(rect.bottom, bottom);
}

TEST_F(TrayRectTest, WithoutTaskbarWindowTheShellsTaskbarPositionIsUsed) {
  g_hasTaskbarPos = g_hasWorkArea = true;
  g_workArea = {0, 0, 800, 600};
  g_taskbarPos.uEdge = ABE_BOTTOM;
  g_taskbarPos.rc = {0, 738, 1024, 768};
  ExpectRect(Result(), 924, 738, 1008, 768);

  g_taskbarPos.uEdge = ABE_TOP;
  g_taskbarPos.rc = {0, 0, 1024, 30};
  ExpectRect(Result(), 924, 0, 1008, 30);

  g_taskbarPos.uEdge = ABE_RIGHT;
  g_taskbarPos.rc = {964, 0, 1024, 768};
  ExpectRect(Result(), 964, 668, 1024, 752);

  g_taskbarPos.uEdge = 7;
  BOOL found = FALSE;
  ExpectRect(Result(&found), -1, -1, -1, -1);
  EXPECT_TRUE(found);
}

TEST_F(TrayRectTest, LastResortIsTheCornerOfTheWorkArea) {
  g_hasWorkArea = true;
  g_workArea = {0, 0, 1024, 738};
  ExpectRect(Result(), 874, 708, 1024, 738);

  g_hasWorkArea = false;
  BOOL found = TRUE;
  Result(&found);
  EXPECT_FALSE(found);
}

TEST_F(TrayRectTest, ClockAtTheRightEndIsCutOff) {
  g_hasTaskbarPos = g_hasWorkArea = true;
  g_taskbar = Make("Shell_TrayWnd", nullptr, {0, 738, 1024, 768});
  HWND rebar = Make("ReBarWindow32", g_taskbar, {60, 738, 800, 768});
  Make("ToolbarWindow32", rebar, {60, 740, 700, 766});
  HWND notify = Make("TrayNotifyWnd", g_taskbar, {880, 740, 1020, 766});
  Make("TrayClockWClass", notify, {960, 740, 1020, 764});
  ExpectRect(Result(), 880, 740, 960, 766);
}

TEST_F(TrayRectTest, ClockAboveTheIconsOfATallTaskbarIsCutOff) {
  g_taskbar = Make("Shell_TrayWnd", nullptr, {0, 668, 1024, 768});
  HWND notify = Make("TrayNotifyWnd", g_taskbar, {900, 670, 1020, 766});
  Make("TrayClockWClass", notify, {900, 670, 1020, 690});
  ExpectRect(Result(), 900, 690, 1020, 766);

  // Without a notification area the whole taskbar counts.
  DestroyWindow(notify);
  ExpectRect(Result(), 0, 668, 1024, 768);
}

TEST_F(TrayRectTest, RealTaskbarIsFound) {
  // The Wine taskbar is only shown while it holds something.
  TrayTarget target;
  RecordingTrayIcon tray;
  ASSERT_TRUE(tray.Create("shown", target.hwnd, IDR_MAINFRAME, 1, 0, true));
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  ASSERT_NE(taskbar, nullptr);
  RECT bar;
  ASSERT_TRUE(WaitUntil([&] { return GetWindowRect(taskbar, &bar) && !IsRectEmpty(&bar); }));
  RECT rect;
  ASSERT_TRUE(CTrayIcon::GetTrayRect(&rect));
  EXPECT_GE(rect.left, bar.left);
  EXPECT_LE(rect.right, bar.right);
  EXPECT_GE(rect.top, bar.top);
  EXPECT_LE(rect.bottom, bar.bottom);
}

TEST_F(TrayRectTest, WindowHidesIntoTheTrayAndComesBack) {
  HWND window =
      CreateWindowExA(WS_EX_APPWINDOW, "STATIC", "hidden window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                      100, 100, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  RecordingTrayIcon tray;
  tray.MinimizeToTray(window);
  EXPECT_FALSE(IsWindowVisible(window));
  HWND parent = GetAncestor(window, GA_PARENT);
  EXPECT_NE(parent, GetDesktopWindow());
  EXPECT_FALSE(IsWindowVisible(parent));

  tray.RestoreFromTray(window);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetForegroundWindow(), window);
  DestroyWindow(window);
}

} // namespace

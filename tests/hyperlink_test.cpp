// The hyperlink control in this process: statics made by the test inside a
// plain window of ours, bound the way dialog data exchange binds them.
#include "catalogue/screensaver.h"
#include "controls/hyperlink.h"
#include "controls/toolkit_resources.h"
#include "resource.h"
#include "tests/support/main_window.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

const int kId = 100;

// Counts the notifications that reach it, so a test sees what the link kept.
class Parent : public CWnd {
public:
  int m_nCommands = 0;

protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_COMMAND)
      ++m_nCommands;
    return CWnd::WindowProc(msg, wParam, lParam);
  }
};

class HyperLinkTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_parent.CreateEx(0, RegisterWndClass(0, LoadCursorA(nullptr, IDC_ARROW)), "links",
                                  WS_POPUP | WS_VISIBLE, {40, 40, 640, 240}, nullptr, 0));
  }
  void TearDown() override { m_parent.DestroyWindow(); }

  HWND MakeStatic(const char* text, DWORD style, int width, int y = 10) {
    return CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, 10, y, width, 20,
                           m_parent, reinterpret_cast<HMENU>(kId), GetModuleHandleA(nullptr),
                           nullptr);
  }
  // A static bound to the link, with the link's set-up done.
  HWND MakeLink(CHyperLink& link, DWORD style, int width, int y = 10) {
    HWND control = MakeStatic("https://www.norvane.example/", style, width, y);
    link.BindControl(control);
    Pump();
    return control;
  }
  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  static int TextWidth(HWND wnd) {
    std::string text = WindowText(wnd);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old =
        SelectObject(screen, reinterpret_cast<HFONT>(SendMessageA(wnd, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return extent.cx;
  }
  // Puts the cursor this many pixels right of the control's left edge.
  static void CursorAt(HWND wnd, int dx) {
    RECT rect;
    GetWindowRect(wnd, &rect);
    POINT target = {rect.left + dx, (rect.top + rect.bottom) / 2}, at;
    SetCursorPos(target.x, target.y);
    // The display moves the pointer on its own time: wait until it reads
    // back the same several times running.
    int steady = 0;
    WaitUntil(
        [&] {
          Pump();
          bool there = GetCursorPos(&at) && at.x == target.x && at.y == target.y;
          steady = there ? steady + 1 : 0;
          return steady == 3;
        },
        2000);
  }
  static int Width(HWND wnd) {
    RECT rect;
    GetWindowRect(wnd, &rect);
    return rect.right - rect.left;
  }
  LRESULT Click(HWND control) {
    return SendMessageA(m_parent, WM_COMMAND, MAKEWPARAM(kId, STN_CLICKED),
                        reinterpret_cast<LPARAM>(control));
  }
  COLORREF TextColourAsked(HWND control) {
    MemoryDc dc(CreateCompatibleDC(nullptr));
    LRESULT brush = SendMessageA(m_parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                 reinterpret_cast<LPARAM>(control));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
    return GetTextColor(dc.get());
  }

  Parent m_parent;
};

TEST_F(HyperLinkTest, SetUpRunsOnceAfterBindingAndTakesTheTextAsTarget) {
  HWND control = MakeStatic("https://www.norvane.example/", SS_LEFT, 300);
  CHyperLink link;
  link.BindControl(control);
  EXPECT_EQ(link.GetTarget(), "");
  Pump();
  EXPECT_EQ(link.GetTarget(), "https://www.norvane.example/");
  EXPECT_TRUE(GetWindowLongA(control, GWL_STYLE) & SS_NOTIFY);
  EXPECT_EQ(ToolTipTextOf(control), "https://www.norvane.example/");
  EXPECT_EQ(SendMessageA(control, WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(GetToolkitResources().hUnderlineFont.get()));

  // A second set-up would give the control its link font again.
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetToolkitResources().hFont.get()),
               FALSE);
  PostMessageA(control, DeferredInitMessage, 0, 0);
  Pump();
  EXPECT_EQ(SendMessageA(control, WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(GetToolkitResources().hFont.get()));
  EXPECT_EQ(ToolTipTextOf(control), "https://www.norvane.example/");

  // After the set-up a new target is the tooltip's text at once.
  link.SetTarget("https://elsewhere.example/");
  EXPECT_EQ(ToolTipTextOf(control), "https://elsewhere.example/");
}

TEST_F(HyperLinkTest, TargetSetBeforeSetUpIsKeptAndShownAsTip) {
  HWND control = MakeStatic("Our site", SS_LEFT, 300);
  CHyperLink link;
  link.BindControl(control);
  link.SetTarget("https://www.norvane.example/norvane/");
  Pump();
  EXPECT_EQ(link.GetTarget(), "https://www.norvane.example/norvane/");
  EXPECT_EQ(ToolTipTextOf(control), "https://www.norvane.example/norvane/");
}

TEST_F(HyperLinkTest, CursorOverTextFollowsTheAlignment) {
  struct Case {
    const char* name;
    DWORD style;
    int extraWidth;      // control width minus text width
    int firstIn, lastIn; // sensitive columns, relative to the control's left
  };
  CHyperLink probe;
  const int text = TextWidth(MakeLink(probe, SS_LEFT, 300, 100));
  const Case cases[] = {
      {"left", SS_LEFT, 40, 0, text - 1},
      {"right", SS_RIGHT, 40, 40, 40 + text - 1},
      {"centred, odd difference", SS_CENTER, 11, 5, 5 + text},
      {"centred, text wider by three", SS_CENTER, -3, -1, text - 3},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.name);
    CHyperLink link;
    HWND control = MakeLink(link, each.style, text + each.extraWidth);
    ASSERT_EQ(TextWidth(control), text);
    for (int dx : {each.firstIn - 1, each.firstIn, each.lastIn, each.lastIn + 1}) {
      CursorAt(control, dx);
      EXPECT_EQ(link.IsCursorOverText(), dx >= each.firstIn && dx <= each.lastIn) << dx;
    }
  }
}

TEST_F(HyperLinkTest, HandCursorAndHoverTimerOnlyOverTheText) {
  CHyperLink link;
  HWND control = MakeLink(link, SS_LEFT, 400);
  ASSERT_NE(link.GetHandCursor(), nullptr);
  const LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  EXPECT_EQ(SendMessageA(control, WM_NCHITTEST, 0, 0), HTCLIENT);

  CursorAt(control, 2);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), hit), TRUE);
  EXPECT_EQ(GetCursor(), link.GetHandCursor());
  SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(2, 5));
  EXPECT_TRUE(KillTimer(control, 1));

  CursorAt(control, Width(control) - 2);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), hit);
  EXPECT_NE(GetCursor(), link.GetHandCursor());
  SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(Width(control) - 2, 5));
  EXPECT_FALSE(KillTimer(control, 1));
}

TEST_F(HyperLinkTest, ColourFollowsHoverThenVisitedThenNormal) {
  CHyperLink link;
  HWND control = MakeLink(link, SS_LEFT, 400);
  EXPECT_EQ(TextColourAsked(control), RGB(0, 0, 128));
  link.SetVisitedFlag(true);
  EXPECT_EQ(TextColourAsked(control), RGB(128, 0, 128));
  // A move over the text starts the hover, and leaving the text ends it.
  CursorAt(control, 2);
  SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(2, 5));
  EXPECT_TRUE(WaitUntil([&] { return Pump(), TextColourAsked(control) == RGB(0, 0, 255); }));
  CursorAt(control, Width(control) - 2);
  EXPECT_TRUE(WaitUntil([&] { return Pump(), TextColourAsked(control) == RGB(128, 0, 128); }));
  EXPECT_FALSE(KillTimer(control, 1));
}

// The static paints over the fill colour with a hollow background, in the
// colour the link answers, through the off-screen bitmap.
TEST_F(HyperLinkTest, PaintsTheTextInLinkColourOverTheFill) {
  CHyperLink link;
  HWND control = MakeLink(link, SS_LEFT, 400);
  link.SetFillColor(RGB(10, 200, 30));
  CursorAt(control, Width(control) + 50);
  RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT client;
  GetClientRect(control, &client);
  HDC dc = GetDC(control);
  EXPECT_EQ(GetPixel(dc, client.right - 2, client.bottom / 2), RGB(10, 200, 30));
  int linkPixels = 0;
  for (int x = 0; x < TextWidth(control); ++x)
    for (int y = 0; y < client.bottom; ++y)
      linkPixels += GetPixel(dc, x, y) == RGB(0, 0, 128);
  ReleaseDC(control, dc);
  EXPECT_GT(linkPixels, 10);
}

TEST_F(HyperLinkTest, ClickOnTheTextLaunchesAndKeepsTheNotification) {
  CHyperLink link;
  HWND control = MakeLink(link, SS_LEFT, 400);
  // A program that prints a line and ends is a target the shell can open.
  link.SetTarget(GetSystemFolder() + "\\hostname.exe");
  CursorAt(control, 2);
  Click(control);
  EXPECT_TRUE(link.GetVisitedFlag());
  EXPECT_EQ(m_parent.m_nCommands, 0);

  // A failed launch turns a visited link back to normal.
  link.SetTarget("C:\\no-such-folder\\no-such-file.nvx");
  Click(control);
  EXPECT_FALSE(link.GetVisitedFlag());
  EXPECT_EQ(m_parent.m_nCommands, 0);

  // Beside the text the click is the parent's and changes nothing.
  link.SetVisitedFlag(true);
  CursorAt(control, Width(control) - 2);
  Click(control);
  EXPECT_TRUE(link.GetVisitedFlag());
  EXPECT_EQ(m_parent.m_nCommands, 1);
}

TEST_F(HyperLinkTest, ImageStaticCountsAsTextEverywhere) {
  HWND control = MakeStatic("https://www.norvane.example/", SS_ICON, 32);
  SendMessageA(control, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_WARNING)), 0);
  CHyperLink link;
  link.BindControl(control);
  Pump();
  EXPECT_EQ(link.GetTarget(), "");
  CursorAt(control, Width(control) + 100);
  EXPECT_TRUE(link.IsCursorOverText());
  SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), link.GetHandCursor());
  SendMessageA(control, WM_MOUSEMOVE, 0, 0);
  EXPECT_FALSE(KillTimer(control, 1));

  MemoryDc dc(CreateCompatibleDC(nullptr));
  LRESULT brush = SendMessageA(m_parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                               reinterpret_cast<LPARAM>(control));
  EXPECT_NE(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
}

TEST(LaunchErrorTextTest, ExplainsKnownCodesAndNumbersUnknownOnes) {
  EXPECT_EQ(LaunchErrorText(0), "The operating system is out of memory or resources.");
  EXPECT_EQ(LaunchErrorText(2), "The specified file was not found.");
  // The sign in the program's code page, UTF-8, as this test's manifest has it too.
  EXPECT_EQ(LaunchErrorText(11),
            "The .exe file is invalid (non-Win32\xC2\xAE .exe or error in .exe image).");
  EXPECT_EQ(LaunchErrorText(31),
            "There is no application associated with the given file name extension.");
  EXPECT_EQ(LaunchErrorText(32), "The specified dynamic-link library was not found.");
  EXPECT_EQ(LaunchErrorText(1), "An unknown error number 1 occured.");
  EXPECT_EQ(LaunchErrorText(-7), "An unknown error number -7 occured.");
}

} // namespace

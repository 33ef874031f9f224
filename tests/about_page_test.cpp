// The About page of the real Norvane.exe: its three links, set up as links
// with the addresses they show.
#include "resource.h"
#include "tests/support/main_window.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"

#include <gtest/gtest.h>

#include <memory>

#include <commctrl.h>

namespace {

class AboutPageTest : public ::testing::Test {
protected:
  void SetUp() override {
    KillStrayInstances();
    ResetProgramRegistry();
  }
  void TearDown() override {
    KillStrayInstances();
    ResetProgramRegistry();
  }

  // Starts the program and shows its About page; null when that fails.
  HWND OpenAboutPage() {
    norvane = std::make_unique<ChildProcess>(BesideTestProgram("Norvane.exe"), "");
    HWND dialog = WaitForWindow(norvane->Id(), "Norvane");
    HWND tab = GetDlgItem(dialog, IDC_TAB);
    HWND page = dialog ? PageWith(tab, IDC_LINK_MAKER) : nullptr;
    if (!page)
      return nullptr;
    SendMessageA(tab, TCM_SETCURFOCUS, 3, 0);
    return WaitUntil([&] { return IsWindowVisible(page) != FALSE; }) ? page : nullptr;
  }

  std::unique_ptr<ChildProcess> norvane;
};

TEST_F(AboutPageTest, LinksShowAndTipTheirAddresses) {
  HWND page = OpenAboutPage();
  ASSERT_NE(page, nullptr);

  const struct {
    int id;
    const char* address;
  } links[] = {
      {IDC_LINK_MAKER, "https://www.norvane.example/"},
      {IDC_LINK_PRODUCT, "https://www.norvane.example/norvane/"},
      {IDC_LINK_DOWNLOAD, "https://www.norvane.example/screensavers/"},
  };
  for (const auto& link : links) {
    SCOPED_TRACE(link.address);
    HWND control = GetDlgItem(page, link.id);
    EXPECT_EQ(WindowText(control), link.address);
    // The set-up, posted to run after the page's own, gives the static its
    // tooltip last, after making it report clicks.
    EXPECT_TRUE(WaitUntil([&] { return ToolTipTextOf(control) == link.address; }));
    EXPECT_NE(GetWindowLongA(control, GWL_STYLE) & SS_NOTIFY, 0);
  }
}

// How many pixels of the control, as it shows on the screen, have exactly
// this colour.
int PixelsOfColour(HWND control, COLORREF colour) {
  RECT rect;
  GetWindowRect(control, &rect);
  std::string pixels = CaptureScreen(rect);
  int count = 0;
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
    auto byte = [&](size_t at) { return static_cast<BYTE>(pixels[i + at]); };
    count += RGB(byte(2), byte(1), byte(0)) == colour;
  }
  return count;
}

// The page lets its links colour their own text, normal and under the
// cursor, on the page's own background.
TEST_F(AboutPageTest, LinksShowTheirColoursOnThePageBackground) {
  HWND page = OpenAboutPage();
  ASSERT_NE(page, nullptr);
  HWND link = GetDlgItem(page, IDC_LINK_MAKER);
  ASSERT_TRUE(WaitUntil([&] { return ToolTipTextOf(link) == "https://www.norvane.example/"; }));

  const COLORREF normal = RGB(0, 0, 128), hover = RGB(0, 0, 255), background = RGB(252, 252, 254);
  EXPECT_TRUE(WaitUntil([&] { return PixelsOfColour(link, normal) > 10; }));
  EXPECT_GT(PixelsOfColour(link, background), 0);
  RECT rect;
  GetWindowRect(link, &rect);
  int y = (rect.bottom - rect.top) / 2;
  POINT before;
  GetCursorPos(&before);
  SetCursorPos(rect.left + 3, rect.top + y);
  PostMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(3, y));
  EXPECT_TRUE(WaitUntil([&] { return PixelsOfColour(link, hover) > 10; }));
  EXPECT_GT(PixelsOfColour(link, background), 0);
  // Back where it was: a cursor left over the notification area would
  // cover its icons for the tests that look at them.
  SetCursorPos(before.x, before.y);
}

} // namespace

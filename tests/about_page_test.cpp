// The About page of the real Norvane.exe: its three links, set up as links
// with the addresses they show.
#include "resource.h"
#include "tests/support/main_window.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"

#include <gtest/gtest.h>

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
};

TEST_F(AboutPageTest, LinksShowAndTipTheirAddresses) {
  ChildProcess norvane(BesideTestProgram("Norvane.exe"), "");
  HWND dialog = WaitForWindow(norvane.Id(), "Norvane");
  ASSERT_NE(dialog, nullptr);
  HWND tab = GetDlgItem(dialog, IDC_TAB);
  HWND page = PageWith(tab, IDC_LINK_MAKER);
  ASSERT_NE(page, nullptr);
  SendMessageA(tab, TCM_SETCURFOCUS, 3, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(page) != FALSE; }));

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

} // namespace

// The tray menu as the main window prepares it: one check mark for the
// allow state, and the image of "Open Manager" drawn by the cool menu.
#include "app/manager_dialog.h"
#include "controls/cool_menu.h"
#include "controls/toolkit_resources.h"
#include "resource.h"
#include "tests/support/process.h"
#include "tests/support/tray.h"

#include <gtest/gtest.h>

namespace {

const UINT kItems[] = {ID_TRAY_OPEN_MANAGER, ID_TRAY_ALLOW, ID_TRAY_FORBID, ID_TRAY_ABOUT,
                       ID_TRAY_CLOSE};

class TrayMenuTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_menu.reset(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAYMENU)));
    ASSERT_TRUE(m_menu);
    popup = GetSubMenu(m_menu.get(), 0);
    ASSERT_NE(popup, nullptr);
  }

  HMENU popup = nullptr;

private:
  MenuHandle m_menu;
};

void ExpectOnlyChecked(HMENU popup, UINT checked) {
  for (UINT id : kItems) {
    SCOPED_TRACE(id);
    UINT state = GetMenuState(popup, id, MF_BYCOMMAND);
    EXPECT_EQ((state & MF_CHECKED) != 0, id == checked);
    EXPECT_EQ(state & (MF_GRAYED | MF_DISABLED | MF_DEFAULT), 0u);
  }
}

TEST_F(TrayMenuTest, CheckMarkOnExactlyOneOfAllowAndForbid) {
  CheckAllowState(popup, true);
  ExpectOnlyChecked(popup, ID_TRAY_ALLOW);
  SetUp();
  CheckAllowState(popup, false);
  ExpectOnlyChecked(popup, ID_TRAY_FORBID);
}

class CoolMenuTest : public TrayMenuTest {
protected:
  void SetUp() override {
    TrayMenuTest::SetUp();
    owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    ToolkitResources& resources = GetToolkitResources();
    m_saved[0] = resources.bMenuImages;
    m_saved[1] = resources.bMenuCheckOrImage;
    resources.bMenuImages = resources.bMenuCheckOrImage = true;
  }
  void TearDown() override {
    DestroyWindow(owner);
    GetToolkitResources().bMenuImages = m_saved[0];
    GetToolkitResources().bMenuCheckOrImage = m_saved[1];
  }

  HBITMAP ItemBitmap(UINT id) const {
    MENUITEMINFOA item = {sizeof item, MIIM_BITMAP};
    GetMenuItemInfoA(popup, id, FALSE, &item);
    return item.hbmpItem;
  }

  HWND owner = nullptr;

private:
  bool m_saved[2] = {};
};

TEST_F(CoolMenuTest, OpenManagerGetsItsImageAndTheOthersKeepTheirChecks) {
  CCoolMenu menu;
  menu.Install(owner);
  menu.AddImage(ID_TRAY_OPEN_MANAGER, LoadSmallResourceIcon(IDR_MAINFRAME));
  CheckAllowState(popup, true);
  SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);

  EXPECT_EQ(ItemBitmap(ID_TRAY_OPEN_MANAGER), HBMMENU_CALLBACK);
  for (UINT id : {ID_TRAY_ALLOW, ID_TRAY_FORBID, ID_TRAY_ABOUT, ID_TRAY_CLOSE})
    EXPECT_EQ(ItemBitmap(id), nullptr) << id;
  ExpectOnlyChecked(popup, ID_TRAY_ALLOW);
  MENUINFO info = {sizeof info, MIM_STYLE};
  GetMenuInfo(popup, &info);
  EXPECT_TRUE(info.dwStyle & MNS_CHECKORBMP);

  int size = GetSystemMetrics(SM_CXSMICON);
  MEASUREITEMSTRUCT measure = {ODT_MENU, 0, ID_TRAY_OPEN_MANAGER};
  EXPECT_TRUE(SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
  EXPECT_EQ(measure.itemWidth, UINT(size));
  EXPECT_EQ(measure.itemHeight, UINT(size));
  MEASUREITEMSTRUCT other = {ODT_MENU, 0, ID_TRAY_ABOUT};
  EXPECT_FALSE(SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&other)));

  // Drawn, the image is the icon itself.
  HDC screen = GetDC(nullptr);
  MemoryDc drawn(CreateCompatibleDC(screen)), expected(CreateCompatibleDC(screen));
  BitmapHandle drawnBits(CreateCompatibleBitmap(screen, size, size));
  BitmapHandle expectedBits(CreateCompatibleBitmap(screen, size, size));
  ReleaseDC(nullptr, screen);
  SelectObject(drawn.get(), drawnBits.get());
  SelectObject(expected.get(), expectedBits.get());
  RECT all = {0, 0, size, size};
  FillRect(drawn.get(), &all, GetSysColorBrush(COLOR_MENU));
  FillRect(expected.get(), &all, GetSysColorBrush(COLOR_MENU));
  DRAWITEMSTRUCT draw = {ODT_MENU, 0,       ID_TRAY_OPEN_MANAGER, ODA_DRAWENTIRE,
                         0,        nullptr, drawn.get(),          all};
  EXPECT_TRUE(SendMessageA(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
  IconHandle icon(LoadSmallResourceIcon(IDR_MAINFRAME));
  DrawIconEx(expected.get(), 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(CapturePixels(drawn.get(), 0, 0, size, size),
            CapturePixels(expected.get(), 0, 0, size, size));
}

TEST_F(CoolMenuTest, WithImagesSwitchedOffMenusStayPlain) {
  GetToolkitResources().bMenuImages = false;
  CCoolMenu menu;
  menu.Install(owner);
  menu.AddImage(ID_TRAY_OPEN_MANAGER, LoadSmallResourceIcon(IDR_MAINFRAME));
  SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
  EXPECT_EQ(ItemBitmap(ID_TRAY_OPEN_MANAGER), nullptr);
}

} // namespace

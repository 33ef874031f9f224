// The tray icon control in this process, against the real taskbar of the
// Wine desktop: what reaches the shell and when, the forwarding of the
// shell's mouse callbacks, the animation and the return after the taskbar
// is re-created.
#include "resource.h"
#include "tests/support/process.h"
#include "tests/support/tray.h"
#include "tests/support/tray_target.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const UINT kIconId = 128;
const std::string kLongTip(70, 'x');

class TrayIconTest : public ::testing::Test {
protected:
  void SetUp() override {
    KillStrayInstances();
    ASSERT_NE(target.hwnd, nullptr);
  }

  bool Create(RecordingTrayIcon& tray, UINT defaultItem = 0, bool byPos = true) {
    return tray.Create("Norvane test", target.hwnd, IDR_MAINFRAME, kIconId, defaultItem, byPos);
  }
  static LRESULT Notify(CTrayIcon& tray, UINT mouseMessage, UINT iconId = kIconId) {
    return SendMessageA(tray, WM_TRAY_NOTIFY, iconId, mouseMessage);
  }

  TrayTarget target;
};

TEST_F(TrayIconTest, TooltipKeepsAtMost63Characters) {
  RecordingTrayIcon tray;
  ASSERT_TRUE(tray.Create(kLongTip, target.hwnd, IDR_MAINFRAME, kIconId, 0, true));
  ASSERT_EQ(tray.calls.size(), 1u);
  EXPECT_EQ(tray.calls[0].message, DWORD(NIM_ADD));
  EXPECT_EQ(tray.calls[0].tip, std::string(63, 'x'));

  EXPECT_TRUE(tray.SetTooltipText(std::string(70, 'y')));
  ASSERT_EQ(tray.calls.size(), 2u);
  EXPECT_EQ(tray.calls[1].message, DWORD(NIM_MODIFY));
  EXPECT_EQ(tray.calls[1].flags, UINT(NIF_TIP));
  EXPECT_EQ(tray.calls[1].tip, std::string(63, 'y'));
}

TEST_F(TrayIconTest, ChangesWhileNotShownWaitForTheNextAdd) {
  IconHandle warning(LoadSmallResourceIcon(IDI_FORBIDDEN));
  RecordingTrayIcon tray;
  EXPECT_TRUE(tray.SetIcon(warning.get()));
  EXPECT_TRUE(tray.SetTooltipText("before"));
  EXPECT_TRUE(tray.calls.empty());

  ASSERT_TRUE(Create(tray));
  HICON shown = tray.m_nid.hIcon;
  EXPECT_TRUE(tray.SetIcon(shown));
  EXPECT_EQ(tray.calls.size(), 1u) << "the same image again made a shell call";

  ASSERT_TRUE(tray.RemoveIcon());
  EXPECT_FALSE(ShellKnowsIcon(tray, kIconId));
  tray.calls.clear();
  EXPECT_TRUE(tray.SetIcon(warning.get()));
  EXPECT_TRUE(tray.SetTooltipText("later"));
  EXPECT_TRUE(tray.calls.empty());

  ASSERT_TRUE(tray.AddIcon());
  ASSERT_EQ(tray.calls.size(), 1u);
  EXPECT_EQ(tray.calls[0].message, DWORD(NIM_ADD));
  EXPECT_EQ(tray.calls[0].flags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(tray.calls[0].icon, warning.get());
  EXPECT_EQ(tray.calls[0].tip, "later");
  EXPECT_TRUE(ShellKnowsIcon(tray, kIconId));
  EXPECT_TRUE(WaitUntil([&] { return TrayShowsIcon(warning.get()); }, 3000));
}

TEST_F(TrayIconTest, TargetThatHandlesTheEventSuppressesMenuAndDefaultCommand) {
  RecordingTrayIcon tray;
  ASSERT_TRUE(Create(tray, ID_TRAY_FORBID, false));
  target.answer = 1;
  EXPECT_EQ(Notify(tray, WM_LBUTTONDBLCLK), 1);
  EXPECT_EQ(Notify(tray, WM_RBUTTONUP), 1);
  TrayTarget::PumpMessages(100);
  ASSERT_EQ(target.notifications.size(), 2u);
  EXPECT_EQ(target.notifications[0].wParam, kIconId);
  EXPECT_EQ(target.notifications[0].lParam, WM_LBUTTONDBLCLK);
  EXPECT_EQ(target.notifications[1].lParam, WM_RBUTTONUP);
  EXPECT_TRUE(target.commands.empty());
  EXPECT_TRUE(target.menuDefaults.empty());
}

TEST_F(TrayIconTest, OtherIconOrNoTargetGivesZero) {
  RecordingTrayIcon tray;
  ASSERT_TRUE(Create(tray, ID_TRAY_FORBID, false));
  EXPECT_EQ(Notify(tray, WM_LBUTTONDBLCLK, kIconId + 1), 0);
  EXPECT_TRUE(target.notifications.empty());

  RecordingTrayIcon untargeted;
  ASSERT_TRUE(untargeted.Create("no target", nullptr, IDR_MAINFRAME, kIconId + 1, 0, true));
  EXPECT_EQ(Notify(untargeted, WM_LBUTTONDBLCLK, kIconId + 1), 0);
  EXPECT_EQ(Notify(untargeted, WM_RBUTTONUP, kIconId + 1), 0);
  EXPECT_TRUE(target.commands.empty());
}

TEST_F(TrayIconTest, DoubleClickSendsTheDefaultCommand) {
  RecordingTrayIcon byCommand;
  ASSERT_TRUE(Create(byCommand, ID_TRAY_FORBID, false));
  EXPECT_EQ(Notify(byCommand, WM_LBUTTONDBLCLK), 1);
  ASSERT_EQ(target.commands.size(), 1u);
  EXPECT_EQ(target.commands[0], WPARAM(ID_TRAY_FORBID));
  EXPECT_EQ(Notify(byCommand, WM_MOUSEMOVE), 1);
  EXPECT_EQ(target.commands.size(), 1u);
  byCommand.RemoveIcon();

  // Position 2 of the menu is "Allow Screensaver" (1 is a separator).
  target.commands.clear();
  RecordingTrayIcon byPosition;
  ASSERT_TRUE(Create(byPosition, 2, true));
  EXPECT_EQ(Notify(byPosition, WM_LBUTTONDBLCLK), 1);
  ASSERT_EQ(target.commands.size(), 1u);
  EXPECT_EQ(target.commands[0], WPARAM(ID_TRAY_ALLOW));
  byPosition.RemoveIcon();

  RecordingTrayIcon pastTheEnd;
  ASSERT_TRUE(Create(pastTheEnd, 20, true));
  EXPECT_EQ(Notify(pastTheEnd, WM_LBUTTONDBLCLK), 0);
  EXPECT_EQ(target.commands.size(), 1u);
}

TEST_F(TrayIconTest, RightClickOpensTheMenuWithItsDefaultItem) {
  RecordingTrayIcon tray;
  ASSERT_TRUE(Create(tray, 0, true));
  EXPECT_EQ(Notify(tray, WM_RBUTTONUP), 1);
  ASSERT_EQ(target.menuDefaults.size(), 1u);
  EXPECT_EQ(target.menuDefaults[0], UINT(ID_TRAY_OPEN_MANAGER));
  tray.RemoveIcon();

  RecordingTrayIcon byCommand;
  ASSERT_TRUE(Create(byCommand, ID_TRAY_ABOUT, false));
  EXPECT_EQ(Notify(byCommand, WM_RBUTTONUP), 1);
  ASSERT_EQ(target.menuDefaults.size(), 2u);
  EXPECT_EQ(target.menuDefaults[1], UINT(ID_TRAY_ABOUT));
  byCommand.RemoveIcon();

  // No menu resource with the icon's id: nothing to show.
  RecordingTrayIcon menuless;
  ASSERT_TRUE(menuless.Create("x", target.hwnd, IDR_MAINFRAME, 999, 0, true));
  EXPECT_EQ(Notify(menuless, WM_RBUTTONUP, 999), 0);
  EXPECT_EQ(target.menuDefaults.size(), 2u);
}

TEST_F(TrayIconTest, AnimationStepsThroughItsFrames) {
  RecordingTrayIcon tray;
  ASSERT_TRUE(Create(tray));
  const UINT ids[] = {IDR_MAINFRAME, IDI_FORBIDDEN};
  const char* tips[] = {"first", nullptr};
  ASSERT_TRUE(tray.SetIconList(ids, 2, tips));
  HICON first = tray.m_frames.front().icon.get();
  HICON second = tray.m_frames.back().icon.get();
  tray.calls.clear();

  SendMessageA(tray, WM_TIMER, tray.m_nTimerID + 1, 0);
  EXPECT_TRUE(tray.calls.empty());
  EXPECT_EQ(tray.m_nCurrentFrame, 0);

  SendMessageA(tray, WM_TIMER, tray.m_nTimerID, 0);
  EXPECT_EQ(tray.m_nid.hIcon, first);
  EXPECT_STREQ(tray.m_nid.szTip, "first");
  SendMessageA(tray, WM_TIMER, tray.m_nTimerID, 0);
  EXPECT_EQ(tray.m_nid.hIcon, second);
  EXPECT_STREQ(tray.m_nid.szTip, "Norvane test");
  EXPECT_EQ(tray.m_nCurrentFrame, 0);
  EXPECT_TRUE(WaitUntil([&] { return TrayShowsIcon(second); }, 3000));

  tray.StopAnimation();
  EXPECT_NE(tray.m_nid.hIcon, second);
  EXPECT_NE(tray.m_nid.hIcon, nullptr);

  // The real timer drives the same steps.
  tray.calls.clear();
  EXPECT_NE(tray.StartAnimation(10), 0u);
  TrayTarget::PumpMessages(200);
  tray.StopAnimation();
  EXPECT_GE(tray.calls.size(), 4u);

  const UINT broken[] = {IDI_FORBIDDEN, 999, IDR_MAINFRAME};
  EXPECT_FALSE(tray.SetIconList(broken, 3));
  EXPECT_EQ(tray.m_frames.size(), 1u);
}

TEST_F(TrayIconTest, IconReturnsWhenTheTaskbarIsRecreated) {
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  RecordingTrayIcon tray;
  ASSERT_TRUE(Create(tray));
  ASSERT_TRUE(tray.SetTooltipText("kept tip"));
  // A new taskbar knows no icons.
  NOTIFYICONDATAA forget = tray.m_nid;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &forget));
  ASSERT_FALSE(ShellKnowsIcon(tray, kIconId));

  tray.calls.clear();
  PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
  EXPECT_TRUE(WaitUntil([&] {
    TrayTarget::PumpMessages();
    return ShellKnowsIcon(tray, kIconId);
  }));
  ASSERT_FALSE(tray.calls.empty());
  EXPECT_EQ(tray.calls[0].message, DWORD(NIM_ADD));
  EXPECT_EQ(tray.calls[0].flags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(tray.calls[0].tip, "kept tip");
  EXPECT_NE(tray.calls[0].icon, nullptr);

  // A work-area change leaves the icon in place: it stays shown.
  SendMessageA(tray, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  EXPECT_TRUE(ShellKnowsIcon(tray, kIconId));
  EXPECT_FALSE(tray.m_bHidden);
  tray.calls.clear();
  SendMessageA(tray, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
  EXPECT_TRUE(tray.calls.empty());

  // Removed on purpose, it stays away.
  ASSERT_TRUE(tray.RemoveIcon());
  tray.calls.clear();
  SendMessageA(tray, taskbarCreated, 0, 0);
  SendMessageA(tray, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  EXPECT_TRUE(tray.calls.empty());
  EXPECT_FALSE(ShellKnowsIcon(tray, kIconId));
}

TEST_F(TrayIconTest, RefusedAddIsRetriedWhenTheTaskbarAppears) {
  RecordingTrayIcon tray;
  tray.refuse = true;
  EXPECT_FALSE(Create(tray));
  EXPECT_TRUE(tray.m_bAddFailed);
  EXPECT_FALSE(ShellKnowsIcon(tray, kIconId));

  tray.refuse = false;
  SendMessageA(tray, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(ShellKnowsIcon(tray, kIconId));
  EXPECT_FALSE(tray.m_bAddFailed);
  EXPECT_FALSE(tray.m_bHidden);
}

} // namespace

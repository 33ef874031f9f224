// The Screensaver Settings page of the real Norvane.exe, driven from this
// process: the list and its check rule, the disabled list it writes, the
// selection, the preview inside the monitor picture, the two launch buttons
// and the Wait box.
#include "catalogue/catalogue.h"
#include "framework/handle.h"
#include "framework/text_file.h"
#include "resource.h"
#include "tests/support/files.h"
#include "tests/support/list_view.h"
#include "tests/support/main_window.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"
#include "tests/support/remote_memory.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <thread>

namespace {

class ScreensaversPageTest : public ::testing::Test {
protected:
  void SetUp() override {
    KillStrayInstances();
    DeleteRegValue(kDesktopKey, "ScreenSaveTimeOut");
  }
  void TearDown() override {
    KillStrayInstances();
    // Whatever the program started and left running.
    KillStrayInstances("nvtest_Stars.scr");
    KillStrayInstances("nvtest_Lights.scr");
    KillStrayInstances("zz_last.scr");
    KillStrayInstances("zz spaced.scr");
    DeleteRegValue(kDesktopKey, "ScreenSaveTimeOut");
  }

  // Starts the program and waits for its list to be filled; with no rows
  // given, only for the page.
  void Start(size_t rows) {
    norvane = std::make_unique<ChildProcess>(BesideTestProgram("Norvane.exe"), "");
    dialog = WaitForWindow(norvane->Id(), "Norvane");
    ASSERT_NE(dialog, nullptr);
    page = PageWith(GetDlgItem(dialog, IDC_TAB), IDC_SCREENSAVER_LIST);
    ASSERT_NE(page, nullptr);
    list = GetDlgItem(page, IDC_SCREENSAVER_LIST);
    if (rows == 0)
      return;
    ASSERT_TRUE(WaitUntil(
        [&] { return static_cast<size_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) == rows; }));
  }

  // A visible message box of the program other than its main window.
  HWND WaitForMessageBox() {
    HWND found = nullptr;
    WaitUntil([&] {
      for (HWND wnd : TopLevelWindows(norvane->Id()))
        if (wnd != dialog && ClassName(wnd) == "#32770")
          found = wnd;
      return found != nullptr;
    });
    return found;
  }
  struct Answer {
    std::string text;
    bool icon = false;
  };
  // Reads the message box's text and whether it shows an icon, and closes
  // it with its OK button.
  Answer AnswerMessageBox() {
    HWND box = WaitForMessageBox();
    if (!box)
      return {"(no message box)"};
    EXPECT_EQ(WindowText(box), "Norvane");
    Answer answer{WindowText(GetDlgItem(box, 0xFFFF))};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (ClassName(child) == "Static" && IsWindowVisible(child) &&
          SendMessageA(child, STM_GETICON, 0, 0))
        answer.icon = true;
    SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    return answer;
  }

  std::string Label() { return WindowText(GetDlgItem(page, IDC_PATH)); }
  bool ButtonsEnabled() {
    return IsWindowEnabled(GetDlgItem(page, IDC_SETTINGS)) &&
           IsWindowEnabled(GetDlgItem(page, IDC_PREVIEW)) &&
           IsWindowEnabled(GetDlgItem(page, IDC_PATH));
  }

  // The window that a screensaver started with "/p" made inside the host:
  // the host's only child that belongs to another process.
  HWND PreviewChild() {
    HWND host = GetDlgItem(page, IDC_PREVIEW_HOST);
    for (HWND child = GetWindow(host, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (ProcessOf(child) != norvane->Id())
        return child;
    return nullptr;
  }
  // Waits for a preview of this screensaver; returns its process id.
  DWORD WaitForPreviewOf(const std::string& path) {
    HWND child = nullptr;
    WaitUntil([&] {
      child = PreviewChild();
      return child && PathsEqual(ProcessImage(ProcessOf(child)), path);
    });
    if (!child)
      return 0;
    return ProcessOf(child);
  }

  ScratchInstallDir install;
  PlacedFile stars{SaverFile("Starfield"), WindowsFolderPath() + "nvtest_Stars.scr"};
  PlacedFile lights{SaverFile("Aurora"), WindowsFolderPath() + "nvtest_Lights.scr"};
  std::unique_ptr<ChildProcess> norvane;
  HWND dialog = nullptr, page = nullptr, list = nullptr;
};

// The two placed screensavers in display-name order.
struct Rows {
  std::string names[2], paths[2];
};

Rows SortedRows(const std::string& a, const std::string& b) {
  CScreensaverArray list = {{a, GetScreensaverDisplayName(a), true},
                            {b, GetScreensaverDisplayName(b), true}};
  SortByDisplayName(list);
  return {{list[0].strName, list[1].strName}, {list[0].strPath, list[1].strPath}};
}

TEST_F(ScreensaversPageTest, ChecksFollowTheDisabledListAndOneAlwaysStaysChecked) {
  ASSERT_TRUE(stars.Placed() && lights.Placed());
  Rows rows = SortedRows(stars.Path(), lights.Path());
  // Another letter case than the file's: a rewrite shows the stored path.
  std::string upper = rows.paths[1];
  CharUpperA(&upper[0]);
  WriteTextLines(install.DisabledList(), {upper});
  Start(2);

  EXPECT_EQ(ListRows(list), (std::vector<std::string>{rows.names[0], rows.names[1]}));
  EXPECT_TRUE(ListRowChecked(list, 0));
  EXPECT_FALSE(ListRowChecked(list, 1));
  EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED), -1);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_SETTINGS)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_PREVIEW)));
  EXPECT_EQ(Label(), "Screensaver Location:");

  // The last checked row comes back checked, with the message, and the
  // file is rewritten with the same unchecked row.
  FileStamp before = StampOf(install.DisabledList());
  SetListRowChecked(list, 0, false);
  Answer answer = AnswerMessageBox();
  EXPECT_EQ(answer.text, "You must keep at least one item checked.");
  EXPECT_FALSE(answer.icon);
  EXPECT_TRUE(WaitUntil([&] { return ListRowChecked(list, 0); }));
  EXPECT_TRUE(WaitForFileWrite(install.DisabledList(), before, ListFileBytes({rows.paths[1]})));

  auto check = [&](int row, bool checked, const std::vector<std::string>& disabled) {
    FileStamp before = StampOf(install.DisabledList());
    SetListRowChecked(list, row, checked);
    return WaitForFileWrite(install.DisabledList(), before, ListFileBytes(disabled));
  };
  EXPECT_TRUE(check(1, true, {}));
  EXPECT_TRUE(check(0, false, {rows.paths[0]}));
  EXPECT_TRUE(check(0, true, {}));
  EXPECT_TRUE(FileExists(install.DisabledList()));
  EXPECT_TRUE(ListRowChecked(list, 0) && ListRowChecked(list, 1));
}

// The proxy may hold the disabled list while the page fills its rows,
// which then come up all checked: the next click must keep the user's other
// unchecked screensavers, not write the list from those rows.
TEST_F(ScreensaversPageTest, ListHeldOpenAtTheStartLosesNoUncheckedScreensaver) {
  Rows rows = SortedRows(stars.Path(), lights.Path());
  TempFolder other;
  PlacedFile third(SaverFile("no_version"), other.Path() + "zz_last.scr");
  WriteTextLines(install.AdditionalList(), {third.Path()});
  WriteTextLines(install.DisabledList(), {rows.paths[1]});
  FileHandle held(CreateFileA(install.DisabledList().c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  Start(3);
  EXPECT_TRUE(ListRowChecked(list, 1));
  held.reset();

  FileStamp before = StampOf(install.DisabledList());
  SetListRowChecked(list, 2, false);
  EXPECT_TRUE(WaitForFileWrite(install.DisabledList(), before,
                               ListFileBytes({rows.paths[1], third.Path()})));
  EXPECT_TRUE(WaitUntil([&] { return !ListRowChecked(list, 1) && !ListRowChecked(list, 2); }));
  EXPECT_TRUE(ListRowChecked(list, 0));
}

// When the only checked screensaver leaves the list (deleted from the
// additional ones, or its file gone), the rebuilt rows show every one
// checked, as the proxy then runs them all, and the disabled list keeps the
// user's choice. A rebuild leaves no selection and no preview.
TEST_F(ScreensaversPageTest, RebuildWithoutTheOnlyCheckedOneChecksAllAndClearsTheSelection) {
  TempFolder other;
  PlacedFile extra(SaverFile("no_version"), other.Path() + "zz_last.scr");
  WriteTextLines(install.AdditionalList(), {extra.Path()});
  WriteTextLines(install.DisabledList(), {stars.Path(), lights.Path()});
  const std::string disabled = ReadFileBytes(install.DisabledList());
  Start(3);
  EXPECT_FALSE(ListRowChecked(list, 0) || ListRowChecked(list, 1));
  EXPECT_TRUE(ListRowChecked(list, 2));
  SelectListRow(list, 2);
  DWORD preview = WaitForPreviewOf(extra.Path());
  ASSERT_NE(preview, 0u);

  WriteTextLines(install.AdditionalList(), {});
  PostMessageA(page, RegisterWindowMessageA("Norvane_UpdateScreensaverList"), 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2; }));
  EXPECT_TRUE(ListRowChecked(list, 0) && ListRowChecked(list, 1));
  EXPECT_EQ(ReadFileBytes(install.DisabledList()), disabled);
  EXPECT_TRUE(ProcessEnded(preview));
  EXPECT_TRUE(WaitUntil([&] { return !ButtonsEnabled() && Label() == "Screensaver Location:"; }));
  SendMessageA(GetDlgItem(page, IDC_SETTINGS), BM_CLICK, 0, 0);
  Sleep(300);
  EXPECT_TRUE(norvane->IsRunning());
  EXPECT_TRUE(WindowsOfFile(extra.Path()).empty());
}

// Lines naming a pipe whose server never writes, or a device, are never
// read for a name: the window answers at once and they get rows named from
// their text. A line with a NUL byte ends there, in its row and in the
// disabled list written from it.
TEST_F(ScreensaversPageTest, OddListLinesGetRowsWhileTheWindowKeepsAnswering) {
  const char pipeName[] = "\\\\.\\pipe\\nvtest_silent";
  FileHandle silent(CreateNamedPipeA(pipeName, PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT,
                                     PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr));
  ASSERT_TRUE(silent);
  TempFolder other;
  const std::string odd = other.Path() + "Odd Screensaver.scr";
  WriteFileBytes(install.AdditionalList(), std::string(pipeName) + "\r\nCOM1\r\nAUX\r\n" + odd +
                                               std::string("\0junk\r\n", 7));
  Start(0);
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_BLOCK, 2000, &answer));
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 6; }, 30000));
  std::vector<std::string> rows = ListRows(list);
  for (const char* name : {"nvtest_silent", "COM1", "AUX", "Odd"})
    EXPECT_NE(std::find(rows.begin(), rows.end(), name), rows.end()) << name;

  int row = static_cast<int>(std::find(rows.begin(), rows.end(), "Odd") - rows.begin());
  ASSERT_LT(row, 6);
  FileStamp before = StampOf(install.DisabledList());
  SetListRowChecked(list, row, false);
  EXPECT_TRUE(WaitForFileWrite(install.DisabledList(), before, ListFileBytes({odd})));
}

TEST_F(ScreensaversPageTest, WaitBoxShowsAndStoresWholeMinutes) {
  SetRegString(kDesktopKey, "ScreenSaveTimeOut", "600");
  Start(2);
  HWND wait = GetDlgItem(page, IDC_WAIT_MINUTES);
  EXPECT_EQ(WindowText(wait), "10");
  // The arrows go from 1 to 9999 (maximum in the low word).
  EXPECT_EQ(SendMessageA(GetDlgItem(page, IDC_WAIT_SPIN), UDM_GETRANGE, 0, 0), MAKELONG(9999, 1));
  EXPECT_EQ(GetDesktopString("ScreenSaveTimeOut"), std::string("600\0", 4));

  // A long text is read whole, not cut to a number it is not.
  const std::string longText = std::string(70, '0') + "11";
  // A prompt would hold the message: it must come back.
  DWORD_PTR ignored = 0;
  ASSERT_TRUE(SendMessageTimeoutA(wait, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longText.c_str()),
                                  SMTO_NORMAL, 10000, &ignored));
  EXPECT_EQ(GetDesktopString("ScreenSaveTimeOut"), std::string("660\0", 4));

  // A refused text shows its prompt while the setting stays.
  struct Case {
    const char* text;
    const char* prompt;
  };
  const char* range = "Please enter an integer between 1 and 9999.";
  for (Case refused : {Case{"0", range}, Case{"-0", range}, Case{"+0", range}, Case{"-00", range},
                       Case{"10000", range}, Case{"", "Please enter an integer."},
                       Case{"5x", "Please enter an integer."}}) {
    SCOPED_TRACE(refused.text);
    std::thread typing(
        [&] { SendMessageA(wait, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(refused.text)); });
    Answer answer = AnswerMessageBox();
    typing.join();
    EXPECT_EQ(answer.text, refused.prompt);
    EXPECT_TRUE(answer.icon);
    EXPECT_EQ(GetDesktopString("ScreenSaveTimeOut"), std::string("660\0", 4));
  }
}

TEST_F(ScreensaversPageTest, IdleTimeUnderAMinuteShowsZeroAndIsLeftAlone) {
  SetRegString(kDesktopKey, "ScreenSaveTimeOut", "59");
  Start(2);
  EXPECT_EQ(WindowText(GetDlgItem(page, IDC_WAIT_MINUTES)), "0");
  Sleep(300);
  EXPECT_EQ(GetDesktopString("ScreenSaveTimeOut"), std::string("59\0", 3));
}

TEST_F(ScreensaversPageTest, PreviewRunsInsideTheMonitorForTheSelectedRowOnly) {
  Rows rows = SortedRows(stars.Path(), lights.Path());
  Start(2);
  HWND host = GetDlgItem(page, IDC_PREVIEW_HOST);
  RECT picture, placed;
  GetWindowRect(GetDlgItem(page, IDC_MONITOR), &picture);
  GetWindowRect(host, &placed);
  EXPECT_EQ(placed.left - picture.left, MONITOR_SCREEN_LEFT);
  EXPECT_EQ(placed.top - picture.top, MONITOR_SCREEN_TOP);
  EXPECT_EQ(placed.right - placed.left, MONITOR_SCREEN_WIDTH);
  EXPECT_EQ(placed.bottom - placed.top, MONITOR_SCREEN_HEIGHT);

  // The screensaver was given the host's handle: its window is the host's
  // child and fills it.
  SelectListRow(list, 0);
  EXPECT_TRUE(WaitUntil(
      [&] { return ButtonsEnabled() && Label() == "Screensaver Location:  " + rows.paths[0]; }));
  DWORD first = WaitForPreviewOf(rows.paths[0]);
  ASSERT_NE(first, 0u);
  RECT area;
  GetClientRect(PreviewChild(), &area);
  EXPECT_EQ(area.right, MONITOR_SCREEN_WIDTH);
  EXPECT_EQ(area.bottom, MONITOR_SCREEN_HEIGHT);

  SelectListRow(list, 1);
  EXPECT_NE(WaitForPreviewOf(rows.paths[1]), 0u);
  EXPECT_TRUE(ProcessEnded(first));
  DWORD second = ProcessOf(PreviewChild());
  SelectListRow(list, -1);
  EXPECT_TRUE(ProcessEnded(second));
  EXPECT_TRUE(WaitUntil([&] { return !ButtonsEnabled() && Label() == "Screensaver Location:"; }));

  // The Additional Screensavers tab keeps it; the two others and the tray
  // stop it; coming back from the tray resumes it, coming back to the tab
  // does not.
  SelectListRow(list, 0);
  DWORD running = WaitForPreviewOf(rows.paths[0]);
  HWND tab = GetDlgItem(dialog, IDC_TAB);
  SendMessageA(tab, TCM_SETCURFOCUS, 1, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(PageWith(tab, IDC_BROWSE)) != FALSE; }));
  KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, running));
  EXPECT_EQ(WaitForSingleObject(process.get(), 1000), DWORD{WAIT_TIMEOUT});
  for (int other : {2, 3}) {
    SendMessageA(tab, TCM_SETCURFOCUS, 0, 0);
    SelectListRow(list, -1);
    ASSERT_TRUE(WaitUntil([&] { return PreviewChild() == nullptr; }));
    SelectListRow(list, 0);
    running = WaitForPreviewOf(rows.paths[0]);
    ASSERT_NE(running, 0u);
    SendMessageA(tab, TCM_SETCURFOCUS, other, 0);
    EXPECT_TRUE(ProcessEnded(running)) << "tab " << other;
  }
  SendMessageA(tab, TCM_SETCURFOCUS, 0, 0);
  Sleep(500);
  EXPECT_EQ(PreviewChild(), nullptr);
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !VisibleMainWindow(norvane->Id()); }));
  PostMessageA(dialog, WM_COMMAND, ID_TRAY_OPEN_MANAGER, 0);
  running = WaitForPreviewOf(rows.paths[0]);
  EXPECT_NE(running, 0u);
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(ProcessEnded(running));
}

// What the screen shows: a picture read back from the screen itself.
struct Picture {
  std::string pixels;
  double lit = 0;   // share of pixels that are not black
  double green = 0; // share of clearly green ones: the aurora's, never a star's
};

Picture ScreenPicture(const RECT& area) {
  Picture picture{CaptureScreen(area)};
  size_t count = picture.pixels.size() / 4, lit = 0, green = 0;
  for (size_t i = 0; i < count; ++i) {
    int b = static_cast<unsigned char>(picture.pixels[i * 4]);
    int g = static_cast<unsigned char>(picture.pixels[i * 4 + 1]);
    int r = static_cast<unsigned char>(picture.pixels[i * 4 + 2]);
    lit += (r | g | b) != 0;
    green += g > 120 && g > r + 60 && g > b;
  }
  picture.lit = count ? double(lit) / count : 0;
  picture.green = count ? double(green) / count : 0;
  return picture;
}

// The live preview, judged by its pixels: each sample's own picture moves
// inside the monitor, and whatever ends the preview leaves the monitor
// black rather than a frozen last frame.
TEST_F(ScreensaversPageTest, PreviewShowsTheLivePictureAndNothingStale) {
  TempFolder other;
  std::string missing = other.Path() + "zz_gone.scr";
  WriteTextLines(install.AdditionalList(), {missing});
  Start(3);
  HWND host = GetDlgItem(page, IDC_PREVIEW_HOST);
  // The monitor's bezel may border the host by a pixel: look inside it.
  auto picture = [&] {
    RECT area;
    GetWindowRect(host, &area);
    InflateRect(&area, -2, -2);
    return ScreenPicture(area);
  };
  std::vector<std::string> names = ListRows(list);
  auto row = [&](const std::string& path) {
    return static_cast<int>(std::find(names.begin(), names.end(), GetScreensaverDisplayName(path)) -
                            names.begin());
  };
  auto black = [&] { return picture().lit == 0; };
  ASSERT_TRUE(WaitUntil(black));

  SelectListRow(list, row(stars.Path()));
  Picture first;
  ASSERT_TRUE(WaitUntil([&] { return (first = picture()).lit > 0.002; }));
  EXPECT_EQ(first.green, 0);
  EXPECT_TRUE(WaitUntil([&] { return picture().pixels != first.pixels; }));

  SelectListRow(list, row(lights.Path()));
  EXPECT_TRUE(WaitUntil([&] { return picture().green > 0.02; }));
  DWORD running = WaitForPreviewOf(lights.Path());
  SelectListRow(list, row(missing));
  EXPECT_TRUE(ProcessEnded(running));
  EXPECT_TRUE(WaitUntil(black));

  SelectListRow(list, row(lights.Path()));
  EXPECT_TRUE(WaitUntil([&] { return picture().green > 0.02; }));
  running = WaitForPreviewOf(lights.Path());
  HWND tab = GetDlgItem(dialog, IDC_TAB);
  SendMessageA(tab, TCM_SETCURFOCUS, 2, 0);
  EXPECT_TRUE(ProcessEnded(running));
  SendMessageA(tab, TCM_SETCURFOCUS, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(page) && black(); }));
}

// The Preview button's run fills the whole screen with the screensaver's
// picture and ends, as a screensaver must, on a key and on a click.
TEST_F(ScreensaversPageTest, FullScreenPreviewCoversTheScreenAndEndsOnInput) {
  Rows rows = SortedRows(stars.Path(), lights.Path());
  int aurora = PathsEqual(rows.paths[0], lights.Path()) ? 0 : 1;
  Start(2);
  RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  for (DWORD input : {INPUT_KEYBOARD, INPUT_MOUSE}) {
    SCOPED_TRACE(input == INPUT_KEYBOARD ? "key" : "click");
    SelectListRow(list, aurora);
    ASSERT_NE(WaitForPreviewOf(lights.Path()), 0u);
    SendMessageA(GetDlgItem(page, IDC_PREVIEW), BM_CLICK, 0, 0);
    HWND fullScreen = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      for (HWND wnd : WindowsOfFile(lights.Path()))
        if (!GetParent(wnd) && ClassName(wnd) != "#32770")
          fullScreen = wnd;
      return fullScreen != nullptr;
    }));
    // The aurora's sky is dark but never black: every pixel is the saver's.
    EXPECT_TRUE(WaitUntil([&] { return ScreenPicture(screen).lit > 0.99; }));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == fullScreen; }));
    DWORD saver = ProcessOf(fullScreen);
    INPUT events[2] = {};
    for (INPUT& event : events)
      event.type = input;
    if (input == INPUT_KEYBOARD) {
      events[0].ki.wVk = events[1].ki.wVk = VK_SHIFT;
      events[1].ki.dwFlags = KEYEVENTF_KEYUP;
    } else {
      events[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
      events[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    }
    SendInput(2, events, sizeof events[0]);
    EXPECT_TRUE(ProcessEnded(saver));
  }
}

// The same page at the display scale of the session the test runs in: 96
// DPI in the suite's own, 144 in the one CTest starts for it with LogPixels
// at 144 (Wine reads it when a session starts). The windows of the other
// process are read in real pixels.
class ScaledPageTest : public ScreensaversPageTest {
protected:
  void SetUp() override {
    ScreensaversPageTest::SetUp();
    BecomePerMonitorAware();
  }

  RECT Rect(HWND wnd) {
    RECT rect;
    GetWindowRect(wnd, &rect);
    return rect;
  }

  // The picture has the scale's size; the host lies exactly on its black
  // screen, which the bezel borders on every side; the list's one column
  // spans the list.
  void ExpectLaidOutAt(UINT dpi) {
    SCOPED_TRACE(dpi);
    RECT picture = Rect(GetDlgItem(page, IDC_MONITOR));
    RECT host = Rect(GetDlgItem(page, IDC_PREVIEW_HOST));
    EXPECT_EQ(picture.right - picture.left, MulDiv(MONITOR_PICTURE_WIDTH, dpi, 96));
    EXPECT_EQ(picture.bottom - picture.top, MulDiv(MONITOR_PICTURE_HEIGHT, dpi, 96));
    EXPECT_EQ(host.left - picture.left, MulDiv(MONITOR_SCREEN_LEFT, dpi, 96));
    EXPECT_EQ(host.top - picture.top, MulDiv(MONITOR_SCREEN_TOP, dpi, 96));
    EXPECT_EQ(host.right - host.left, MulDiv(MONITOR_SCREEN_WIDTH, dpi, 96));
    EXPECT_EQ(host.bottom - host.top, MulDiv(MONITOR_SCREEN_HEIGHT, dpi, 96));
    EXPECT_TRUE(WaitUntil([&] { return ScreenBlackInside(host); }));
    EXPECT_TRUE(WaitUntil([&] { return !BlackAround(host); }));
    RECT client;
    GetClientRect(list, &client);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), client.right);
  }
  // Inside the host's own frame, which is drawn in the system's frame colour.
  bool ScreenBlackInside(RECT host) {
    InflateRect(&host, -1, -1);
    return ScreenPicture(host).lit == 0;
  }
  // Any black pixel in the ring of one pixel around the host.
  bool BlackAround(const RECT& host) {
    RECT ring = host;
    InflateRect(&ring, 1, 1);
    std::string pixels = CaptureScreen(ring);
    int width = ring.right - ring.left, height = ring.bottom - ring.top;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        if (y != 0 && y != height - 1 && x != 0 && x != width - 1)
          continue;
        const char* bgr = &pixels[(y * width + x) * 4];
        if ((bgr[0] | bgr[1] | bgr[2]) == 0)
          return true;
      }
    return false;
  }
  // No single-line text of a button, check box or label of any page is
  // wider than its control, in the font the dialogs are made with.
  void ExpectNoTextClipped(UINT dpi) {
    FontHandle font(CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif"));
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font.get());
    TEXTMETRICA metrics;
    GetTextMetricsA(screen, &metrics);
    HWND tab = GetDlgItem(dialog, IDC_TAB);
    for (HWND each = GetWindow(tab, GW_CHILD); each; each = GetWindow(each, GW_HWNDNEXT))
      for (HWND control = GetWindow(each, GW_CHILD); control;
           control = GetWindow(control, GW_HWNDNEXT)) {
        std::string text = WindowText(control);
        LONG style = GetWindowLongA(control, GWL_STYLE);
        RECT rect = Rect(control);
        bool label = ClassName(control) == "Static" && (style & SS_TYPEMASK) <= SS_RIGHT;
        bool button = ClassName(control) == "Button" && (style & BS_TYPEMASK) != BS_GROUPBOX;
        bool link =
            GetDlgCtrlID(control) >= IDC_LINK_MAKER && label && text.compare(0, 8, "https://") == 0;
        if (text.empty() || link || !(label || button) ||
            rect.bottom - rect.top >= 2 * metrics.tmHeight)
          continue;
        SIZE extent;
        GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
        // A check box's box, or a push button's edges, take their share.
        int room = rect.right - rect.left;
        if (button)
          room -=
              (style & BS_TYPEMASK) == BS_AUTOCHECKBOX ? MulDiv(16, dpi, 96) : MulDiv(4, dpi, 96);
        EXPECT_LE(extent.cx, room) << '"' << text << '"';
      }
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
  }

  static void BecomePerMonitorAware() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDpiAwarenessContext")));
    if (set)
      set(reinterpret_cast<HANDLE>(-4)); // per monitor, version 2
  }
  static UINT DpiOf(HWND wnd) {
    using GetDpi = UINT(WINAPI*)(HWND);
    auto get = reinterpret_cast<GetDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    return get ? get(wnd) : 0;
  }
};

// Told the real scale (never stretched), the page draws its monitor and the
// live preview at that scale; a move to a monitor of another scale lays
// the page out again, the preview included.
TEST_F(ScaledPageTest, PictureAndPreviewFollowTheScale) {
  HDC screen = GetDC(nullptr);
  UINT dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  Rows rows = SortedRows(stars.Path(), lights.Path());
  Start(2);
  ASSERT_EQ(DpiOf(dialog), dpi);
  ExpectLaidOutAt(dpi);
  ExpectNoTextClipped(dpi);
  SelectListRow(list, 0);
  ASSERT_NE(WaitForPreviewOf(rows.paths[0]), 0u);
  HWND host = GetDlgItem(page, IDC_PREVIEW_HOST);
  auto previewFillsHost = [&] {
    RECT area, hostArea;
    HWND child = PreviewChild();
    if (!child)
      return false;
    GetClientRect(child, &area);
    GetClientRect(host, &hostArea);
    return EqualRect(&area, &hostArea) && ScreenPicture(Rect(host)).lit > 0.002;
  };
  EXPECT_TRUE(WaitUntil(previewFillsHost));

  // 132 DPI has no picture of its own: the next one is scaled down to it.
  UINT next = dpi == 96 ? 132 : 192;
  RECT window = Rect(dialog);
  RECT suggested = {window.left, window.top,
                    window.left + MulDiv(window.right - window.left, next, dpi),
                    window.top + MulDiv(window.bottom - window.top, next, dpi)};
  RECT list0 = Rect(list);
  RemoteMemory block(dialog, sizeof suggested);
  ASSERT_TRUE(block.Write(0, &suggested, sizeof suggested));
  SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(next, next), block.Param());
  // The virtual desktop may keep the window's far edges on it.
  RECT moved = Rect(dialog);
  EXPECT_EQ(moved.left, suggested.left);
  EXPECT_EQ(moved.top, suggested.top);
  RECT list1 = Rect(list);
  EXPECT_NEAR(list1.right - list1.left, MulDiv(list0.right - list0.left, next, dpi), 2);
  ExpectLaidOutAt(next);
  EXPECT_TRUE(WaitUntil(previewFillsHost));

  // The full-screen run is told the screen's scale too, so it draws at the
  // screen's real resolution rather than being stretched.
  SendMessageA(GetDlgItem(page, IDC_PREVIEW), BM_CLICK, 0, 0);
  HWND fullScreen = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND wnd : WindowsOfFile(rows.paths[0]))
      if (!GetParent(wnd) && ClassName(wnd) != "#32770")
        fullScreen = wnd;
    return fullScreen != nullptr;
  }));
  EXPECT_EQ(DpiOf(fullScreen), dpi);
  RECT area = Rect(fullScreen);
  EXPECT_GE(area.right - area.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_GE(area.bottom - area.top, GetSystemMetrics(SM_CYSCREEN));
}

// A screensaver added from a folder with blanks in its name (Program Files)
// gets its path quoted, or it would take the rest of the path for its
// switches and answer every launch with its settings.
TEST_F(ScreensaversPageTest, SettingsRunsBesideThePreviewAndPreviewRunsFullScreenInstead) {
  TempFolder other;
  ASSERT_TRUE(CreateDirectoryA((other.Path() + "Program Files").c_str(), nullptr));
  PlacedFile spaced(SaverFile("no_version"), other.Path() + "Program Files\\zz spaced.scr");
  ASSERT_TRUE(spaced.Placed());
  WriteTextLines(install.AdditionalList(), {spaced.Path()});
  const std::string& path = spaced.Path();
  Start(3);
  SelectListRow(list, 2);
  DWORD preview = WaitForPreviewOf(path);
  ASSERT_NE(preview, 0u);

  // The samples answer "/c" with a message box of their own.
  SendMessageA(GetDlgItem(page, IDC_SETTINGS), BM_CLICK, 0, 0);
  HWND settings = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    for (HWND wnd : WindowsOfFile(path))
      if (ClassName(wnd) == "#32770")
        settings = wnd;
    return settings != nullptr;
  }));
  EXPECT_EQ(ProcessOf(PreviewChild()), preview);

  SendMessageA(GetDlgItem(page, IDC_PREVIEW), BM_CLICK, 0, 0);
  HWND fullScreen = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    for (HWND wnd : WindowsOfFile(path))
      if (ClassName(wnd) != "#32770")
        fullScreen = wnd;
    return fullScreen != nullptr;
  }));
  ASSERT_NE(fullScreen, nullptr);
  EXPECT_EQ(GetParent(fullScreen), nullptr);
  RECT area;
  GetWindowRect(fullScreen, &area);
  EXPECT_GE(area.right - area.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_GE(area.bottom - area.top, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_NE(ProcessOf(fullScreen), preview);
  EXPECT_TRUE(ProcessEnded(preview));
  Sleep(500);
  EXPECT_EQ(PreviewChild(), nullptr);
}

} // namespace

// The real Norvane.exe where things go wrong: a hostile screensaver file
// among ordinary ones and rebuilds that overtake each other, and list files
// that cannot be replaced. The window keeps answering, the user's changes
// are never reported as kept when they were not, and nothing keeps working
// behind the window once the list is shown.
#include "catalogue/catalogue.h"
#include "framework/handle.h"
#include "framework/text_file.h"
#include "resource.h"
#include "tests/support/files.h"
#include "tests/support/hostile_files.h"
#include "tests/support/list_view.h"
#include "tests/support/main_window.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>

namespace {

class UnderFailureTest : public ::testing::Test {
protected:
  void SetUp() override { KillStrayInstances(); }
  void TearDown() override { KillStrayInstances(); }

  void Start() {
    norvane = std::make_unique<ChildProcess>(BesideTestProgram("Norvane.exe"), "");
    dialog = WaitForWindow(norvane->Id(), "Norvane");
    ASSERT_NE(dialog, nullptr);
    page = PageWith(GetDlgItem(dialog, IDC_TAB), IDC_SCREENSAVER_LIST);
    ASSERT_NE(page, nullptr);
    list = GetDlgItem(page, IDC_SCREENSAVER_LIST);
  }
  bool WaitForRows(size_t rows, DWORD timeoutMs = 10000) {
    return WaitUntil(
        [&] { return static_cast<size_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) == rows; },
        timeoutMs);
  }
  // The text of the program's message box, closed with its OK button.
  std::string AnswerMessageBox() {
    HWND box = nullptr;
    WaitUntil([&] {
      for (HWND wnd : TopLevelWindows(norvane->Id()))
        if (wnd != dialog && ClassName(wnd) == "#32770")
          box = wnd;
      return box != nullptr;
    });
    if (!box)
      return "(no message box)";
    std::string text = WindowText(GetDlgItem(box, 0xFFFF));
    SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    return text;
  }

  ScratchInstallDir install;
  PlacedFile stars{SaverFile("Starfield"), WindowsFolderPath() + "nvtest_Stars.scr"};
  PlacedFile lights{SaverFile("Aurora"), WindowsFolderPath() + "nvtest_Lights.scr"};
  TempFolder other;
  std::unique_ptr<ChildProcess> norvane;
  HWND dialog = nullptr, page = nullptr, list = nullptr;
};

// Hostile files are named from their file names, at once: one whose
// resource directory would make a walk read a billion entries, one whose
// version block nests deeper than any sound one, one whose version entry
// claims 200 KB (each holds a sound text too). Two rebuilds in a row, the
// first of a list that takes long to name, show the second's rows, and
// nothing goes on working after them.
TEST_F(UnderFailureTest, HostileFilesCostOnlyTheirNamesAndOvertakenRebuildsStop) {
  const std::string sound = ReadFileBytes(SaverFile("Starfield"));
  const std::string nested = other.Path() + "Nested Screensaver.scr";
  WriteFileBytes(nested, NestedResourceFile(sound, 1000));
  WriteFileBytes(other.Path() + "Deep Screensaver.scr", DeepVersionFile(sound));
  WriteFileBytes(other.Path() + "Oversized Screensaver.scr", OversizedVersionFile(sound));
  PlacedFile polar(SaverFile("Aurora"), other.Path() + "Polar.scr");
  // Rows come in batches of 2,000: the last batch is a part of one.
  const int missing = 2500;
  CStringArray lines = {nested, polar.Path(), other.Path() + "Deep Screensaver.scr",
                        other.Path() + "Oversized Screensaver.scr"};
  for (int i = 0; i < missing; ++i)
    lines.push_back(other.Path() + "gone\\" + std::to_string(i) + ".scr");
  WriteTextLines(install.AdditionalList(), lines);

  Start();
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_BLOCK, 2000, &answer));
  ASSERT_TRUE(WaitForRows(missing + 6, 5000));
  std::vector<std::string> rows = ListRows(list);
  auto count = [&](const std::string& name) { return std::count(rows.begin(), rows.end(), name); };
  EXPECT_EQ(count("Nested"), 1);
  EXPECT_EQ(count("Deep"), 1);
  EXPECT_EQ(count("Oversized"), 1);
  EXPECT_EQ(count("Starfield"), 1);
  EXPECT_EQ(count("Aurora"), 2);
  for (int i = 0; i < missing; ++i)
    ASSERT_EQ(count(std::to_string(i)), 1) << i;

  // The first rebuild would name its 30,000 lines for seconds.
  const UINT update = RegisterWindowMessageA("Norvane_UpdateScreensaverList");
  lines.resize(1);
  for (int i = 0; i < 30000; ++i)
    lines.push_back(other.Path() + "gone\\" + std::to_string(i) + ".scr");
  WriteTextLines(install.AdditionalList(), lines);
  SendMessageA(page, update, 0, 0);
  WriteTextLines(install.AdditionalList(), {nested, polar.Path()});
  SendMessageA(page, update, 0, 0);
  ASSERT_TRUE(WaitForRows(4));
  double before = ProcessorMs(norvane->Id());
  Sleep(1500);
  EXPECT_LT(ProcessorMs(norvane->Id()) - before, 200);
  EXPECT_EQ(ListRows(list), (std::vector<std::string>{"Aurora", "Aurora", "Nested", "Starfield"}));
}

// A list file that cannot be replaced, because another program holds it
// past the wait or because it is read-only, keeps its old list; the row
// change is undone and the message says why. The pages stay usable.
TEST_F(UnderFailureTest, ListWritesThatFailUndoTheChangeAndSaySo) {
  PlacedFile extra(SaverFile("no_version"), other.Path() + "zz_last.scr");
  WriteTextLines(install.AdditionalList(), {extra.Path()});
  WriteTextLines(install.DisabledList(), {});
  Start();
  ASSERT_TRUE(WaitForRows(3));
  const std::string disabledBefore = ReadFileBytes(install.DisabledList());
  {
    FileHandle held(CreateFileA(install.DisabledList().c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    SetListRowChecked(list, 0, false);
    EXPECT_EQ(AnswerMessageBox(),
              "The list of checked screensavers is in use by another program.  Please try again.");
  }
  EXPECT_TRUE(ListRowChecked(list, 0));
  EXPECT_EQ(ReadFileBytes(install.DisabledList()), disabledBefore);

  ASSERT_TRUE(SetFileAttributesA(install.DisabledList().c_str(), FILE_ATTRIBUTE_READONLY));
  SetListRowChecked(list, 2, false);
  std::string text = AnswerMessageBox();
  EXPECT_EQ(text.rfind("The list of checked screensavers could not be saved, so your change was "
                       "undone.\n\n",
                       0),
            0u)
      << text;
  EXPECT_GT(text.size(), 80u) << "no reason given";
  EXPECT_TRUE(ListRowChecked(list, 2));
  ASSERT_TRUE(SetFileAttributesA(install.DisabledList().c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(ReadFileBytes(install.DisabledList()), disabledBefore);

  // Deleting a row of the other page: the row comes back, and the first
  // page is not rebuilt without it.
  HWND tab = GetDlgItem(dialog, IDC_TAB);
  SendMessageA(tab, TCM_SETCURFOCUS, 1, 0);
  HWND additional = GetDlgItem(PageWith(tab, IDC_BROWSE), IDC_ADDITIONAL_LIST);
  SelectListRow(additional, 0);
  const std::string additionalBefore = ReadFileBytes(install.AdditionalList());
  {
    FileHandle held(CreateFileA(install.AdditionalList().c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    HWND deleteButton = GetDlgItem(PageWith(tab, IDC_BROWSE), IDC_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(deleteButton) != FALSE; }));
    PostMessageA(GetParent(deleteButton), WM_COMMAND, MAKEWPARAM(IDC_DELETE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(deleteButton));
    EXPECT_EQ(AnswerMessageBox(), "The list of additional screensavers is in use by another "
                                  "program.  Please try again.");
  }
  EXPECT_EQ(ListRows(additional), std::vector<std::string>{extra.Path()});
  EXPECT_EQ(SelectedListRow(additional), 0);
  EXPECT_EQ(ReadFileBytes(install.AdditionalList()), additionalBefore);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
}

} // namespace

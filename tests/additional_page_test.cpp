// The Additional Screensavers page of the real Norvane.exe, driven from this
// process: the list file as the page shows it at start, adding files
// through the open-file dialog and deleting rows, and the file after each.
#include "catalogue/screensaver.h"
#include "resource.h"
#include "tests/support/files.h"
#include "tests/support/list_view.h"
#include "tests/support/main_window.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <optional>

namespace {

using Rows = std::vector<std::string>;

class AdditionalPageTest : public ::testing::Test {
protected:
  void SetUp() override {
    KillStrayInstances();
    ResetProgramRegistry();
    m_install.emplace();
  }
  void TearDown() override {
    m_norvane.reset();
    m_install.reset();
    KillStrayInstances();
    ResetProgramRegistry();
  }

  // Starts the program on the list file as it is, finds the page and waits
  // for its rows, which it reads once its window is up.
  void Start(int rows = 0) {
    m_norvane = std::make_unique<ChildProcess>(BesideTestProgram("Norvane.exe"), "");
    m_dialog = WaitForWindow(m_norvane->Id(), "Norvane");
    ASSERT_NE(m_dialog, nullptr);
    m_page = PageWith(GetDlgItem(m_dialog, IDC_TAB), IDC_BROWSE);
    ASSERT_NE(m_page, nullptr);
    m_list = GetDlgItem(m_page, IDC_ADDITIONAL_LIST);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0) == rows; }));
  }

  void Click(int id) { Press(m_page, id); }
  bool DeleteEnabled() const { return IsWindowEnabled(GetDlgItem(m_page, IDC_DELETE)) != FALSE; }
  std::string ListFile() const { return ReadFileBytes(m_install->AdditionalList()); }
  // After the last Browse or Delete.
  bool WaitListFile(const std::string& bytes) {
    return WaitForFileWrite(m_install->AdditionalList(), m_listBefore, bytes);
  }

  // A dialog of the program other than the main window and the one given:
  // the open-file dialog or a message box.
  HWND WaitForOtherDialog(HWND besides = nullptr) {
    HWND found = nullptr;
    WaitUntil([&] {
      for (HWND wnd : TopLevelWindows(m_norvane->Id()))
        if (wnd != m_dialog && wnd != besides && ClassName(wnd) == "#32770")
          found = wnd;
      return found != nullptr;
    });
    return found;
  }
  static void Press(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  }
  static void TypeFileName(HWND fileDialog, const std::string& path) {
    HWND edit = GetDlgItem(fileDialog, 0x47C);
    if (ClassName(edit) != "Edit")
      edit = FirstChildOfClass(fileDialog, "Edit");
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  }
  // Clicks Browse and answers the open-file dialog with this path, or
  // cancels it when the path is empty.
  void Browse(const std::string& path) {
    m_listBefore = StampOf(m_install->AdditionalList());
    Click(IDC_BROWSE);
    HWND fileDialog = WaitForOtherDialog();
    ASSERT_NE(fileDialog, nullptr);
    if (!path.empty())
      TypeFileName(fileDialog, path);
    Press(fileDialog, path.empty() ? IDCANCEL : IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(fileDialog); }));
  }
  void DeleteRow(int row) {
    SelectListRow(m_list, row);
    ASSERT_TRUE(WaitUntil([&] { return DeleteEnabled(); }));
    int count = static_cast<int>(SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0));
    m_listBefore = StampOf(m_install->AdditionalList());
    Click(IDC_DELETE);
    ASSERT_TRUE(
        WaitUntil([&] { return SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0) == count - 1; }));
  }

  // Made after the registry reset, which would take its folder away.
  std::optional<ScratchInstallDir> m_install;
  TempFolder m_savers;
  std::unique_ptr<ChildProcess> m_norvane;
  HWND m_dialog = nullptr, m_page = nullptr, m_list = nullptr;
  FileStamp m_listBefore;
};

TEST_F(AdditionalPageTest, FileShownSortedAndLeftAloneUntilTheFirstChangeWritesItSorted) {
  const std::string a = m_savers.Path() + "a.scr", b = m_savers.Path() + "b.scr",
                    c = m_savers.Path() + "c.scr";
  // Longer than any path: written back as it was read all the same.
  const std::string overlong = m_savers.Path() + std::string(300, 'x') + ".scr";
  // The line in the Windows folder gets no row: the catalogue finds it.
  const std::string original =
      ListFileBytes({c, overlong, GetWindowsFolder() + "\\inwindows.scr", a, b});
  WriteFileBytes(m_install->AdditionalList(), original);
  Start(4);
  EXPECT_EQ(ListRows(m_list), (Rows{a, b, c, overlong}));
  RECT client;
  GetClientRect(m_list, &client);
  EXPECT_EQ(SendMessageA(m_list, LVM_GETCOLUMNWIDTH, 0, 0), client.right);
  EXPECT_FALSE(DeleteEnabled());
  EXPECT_EQ(ListFile(), original);

  DeleteRow(1);
  EXPECT_TRUE(WaitListFile(ListFileBytes({a, c, overlong})));
  EXPECT_EQ(ListRows(m_list), (Rows{a, c, overlong}));
  EXPECT_EQ(SelectedListRow(m_list), -1);
  EXPECT_FALSE(DeleteEnabled());

  for (int i = 0; i < 3; ++i)
    DeleteRow(0);
  EXPECT_TRUE(WaitListFile(""));
  EXPECT_TRUE(FileExists(m_install->AdditionalList()));
  EXPECT_EQ(ListRows(m_list), Rows{});
  EXPECT_FALSE(DeleteEnabled());
}

TEST_F(AdditionalPageTest, RepeatedLineShownOnceAndDroppedFromTheFileAtStart) {
  const std::string a = m_savers.Path() + "a.scr", b = m_savers.Path() + "b.scr";
  std::string upperB = b;
  for (char& ch : upperB)
    ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
  WriteFileBytes(m_install->AdditionalList(),
                 ListFileBytes({b, a, upperB, GetWindowsFolder() + "\\inwindows.scr", a}));
  Start(2);
  EXPECT_EQ(ListRows(m_list), (Rows{a, b}));
  // Rewritten in the file's own order, without what the page does not show.
  EXPECT_EQ(ListFile(), ListFileBytes({b, a}));
}

TEST_F(AdditionalPageTest, BrowseRefusesDefaultFoldersAndAddsOtherFilesInOrder) {
  PlacedFile inSystem(SaverFile("Aurora"), GetSystemFolder() + "\\norvane_add_test.scr");
  PlacedFile inWindows(SaverFile("Aurora"), GetWindowsFolder() + "\\norvane_add_test.scr");
  PlacedFile inDrivers(SaverFile("Aurora"), GetSystemFolder() + "\\drivers\\norvane_add_test.scr");
  PlacedFile outside(SaverFile("Starfield"), m_savers.Path() + "Zeta.scr");
  ASSERT_TRUE(inSystem.Placed() && inWindows.Placed() && inDrivers.Placed() && outside.Placed());
  Start();

  Browse("");
  ASSERT_NO_FATAL_FAILURE();
  EXPECT_FALSE(FileExists(m_install->AdditionalList()));

  // A mistyped name is answered in the open-file dialog itself, which stays.
  Click(IDC_BROWSE);
  HWND fileDialog = WaitForOtherDialog();
  ASSERT_NE(fileDialog, nullptr);
  TypeFileName(fileDialog, m_savers.Path() + "missing.scr");
  Press(fileDialog, IDOK);
  HWND warning = WaitForOtherDialog(fileDialog);
  ASSERT_NE(warning, nullptr);
  Press(warning, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(warning); }));
  ASSERT_TRUE(IsWindow(fileDialog));
  Press(fileDialog, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(fileDialog); }));
  EXPECT_EQ(ListRows(m_list), Rows{});
  EXPECT_FALSE(FileExists(m_install->AdditionalList()));

  std::string upperSystem = inSystem.Path();
  for (char& ch : upperSystem)
    ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
  for (const std::string& refused : {upperSystem, inWindows.Path()}) {
    SCOPED_TRACE(refused);
    Browse(refused);
    HWND box = WaitForOtherDialog();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), "Norvane");
    EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)),
              "This screensaver is already listed in the default location.");
    SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_EQ(ListRows(m_list), Rows{});
    EXPECT_FALSE(FileExists(m_install->AdditionalList()));
  }

  Browse(outside.Path());
  EXPECT_TRUE(WaitListFile(ListFileBytes({outside.Path()})));
  Browse(inDrivers.Path());
  // Rows and file both in the list's sorted order.
  Rows sorted = {inDrivers.Path(), outside.Path()};
  if (_stricmp(sorted[0].c_str(), sorted[1].c_str()) > 0)
    std::swap(sorted[0], sorted[1]);
  EXPECT_TRUE(WaitListFile(ListFileBytes(sorted)));
  EXPECT_EQ(ListRows(m_list), sorted);
  EXPECT_FALSE(DeleteEnabled());
}

// Every add and delete shows on the Screensaver Settings page at once. With
// no installation folder the list file is named relative to the program's
// folder of work, and browsing elsewhere must not move it.
TEST_F(AdditionalPageTest, ChangesReachTheSettingsPageAndBrowsingMovesNoListFile) {
  PlacedFile anchor(SaverFile("Aurora"), GetWindowsFolder() + "\\norvane_add_anchor.scr");
  PlacedFile added(SaverFile("no_version"), m_savers.Path() + "norvane_add_marker.scr");
  ASSERT_TRUE(anchor.Placed() && added.Placed());
  DeleteRegValue(kAppKey, "InstallDir");
  TempFolder work;
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, before);
  SetCurrentDirectoryA(work.Path().c_str());
  Start();
  SetCurrentDirectoryA(before);
  HWND settings = GetDlgItem(PageWith(GetDlgItem(m_dialog, IDC_TAB), IDC_SCREENSAVER_LIST),
                             IDC_SCREENSAVER_LIST);
  auto listed = [&] {
    Rows rows = ListRows(settings);
    return std::find(rows.begin(), rows.end(), "norvane_add_marker") != rows.end();
  };
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(settings, LVM_GETITEMCOUNT, 0, 0) > 0; }));
  EXPECT_FALSE(listed());

  // Into the folder first, then the file, as a user browses.
  Click(IDC_BROWSE);
  HWND fileDialog = WaitForOtherDialog();
  ASSERT_NE(fileDialog, nullptr);
  TypeFileName(fileDialog, m_savers.Path());
  // Sent, not posted: it returns once the dialog has gone into the folder.
  DWORD_PTR ignored = 0;
  ASSERT_TRUE(SendMessageTimeoutA(fileDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                  reinterpret_cast<LPARAM>(GetDlgItem(fileDialog, IDOK)),
                                  SMTO_NORMAL, 10000, &ignored));
  TypeFileName(fileDialog, "norvane_add_marker.scr");
  Press(fileDialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(fileDialog); }));
  EXPECT_TRUE(WaitUntil(listed));
  const std::string file = work.Path() + "AdditionalScreensavers.dat";
  EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(file) == ListFileBytes({added.Path()}); }));
  EXPECT_FALSE(FileExists(m_savers.Path() + "AdditionalScreensavers.dat"));

  DeleteRow(0);
  EXPECT_TRUE(WaitUntil([&] { return !listed(); }));
  EXPECT_TRUE(WaitUntil([&] { return FileExists(file) && ReadFileBytes(file).empty(); }));
  EXPECT_FALSE(FileExists(m_savers.Path() + "AdditionalScreensavers.dat"));
}

} // namespace

// Names in every script, as an account named "Łukasz 日本" has them: its
// installation folder, its screensavers and their version names go through
// the real manager's pages, the list files and the real proxy. This program
// carries the programs' own manifest, so its ANSI calls speak UTF-8 as
// theirs do.
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

namespace {

const std::string kProfile = "C:\\users\\Łukasz 日本";
const std::string kInstallDir = kProfile + "\\Programs\\Norvane\\";
const std::string kSavers = kProfile + "\\Savers\\";
const std::string kSaver = kSavers + "Ünïcode 星.scr";

// Characters of three bytes each in UTF-8, for paths of far fewer than
// MAX_PATH characters but more than MAX_PATH bytes. (Under Wine a file name
// takes at most the 255 bytes of a Linux file name.)
std::string Stars(int count) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += "星";
  return text;
}

// The lines of a list file, whatever their order.
std::vector<std::string> LinesOf(const std::string& path) {
  std::vector<std::string> lines;
  std::string bytes = ReadFileBytes(path);
  for (size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos;
       start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  return lines;
}

// The text as Notepad saves it as "Unicode": UTF-16 behind its mark.
std::string Utf16File(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                  static_cast<int>(wide.size())));
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : wide)
    bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

// The text in the system's own "ANSI" code page, which the manifest's
// UTF-8 does not change: 1252 in an English prefix.
std::string InSystemCodePage(const std::wstring& text) {
  UINT codePage = 0;
  GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                 reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t));
  std::string bytes(4 * text.size(), '\0');
  BOOL lossy = FALSE;
  bytes.resize(WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(),
                                   static_cast<int>(text.size()), &bytes[0],
                                   static_cast<int>(bytes.size()), nullptr, &lossy));
  EXPECT_FALSE(lossy) << "code page " << codePage << " lacks a letter of the test's text";
  return bytes;
}

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

int RowNamed(HWND list, const std::string& name) {
  std::vector<std::string> rows = ListRows(list);
  auto found = std::find(rows.begin(), rows.end(), name);
  return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

class LanguagesTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
    KillStrayInstances();
    ResetProgramRegistry();
    RemoveFolderTree(kProfile);
    CreateDirectoryA(kProfile.c_str(), nullptr);
    CreateDirectoryA((kProfile + "\\Programs").c_str(), nullptr);
    CreateDirectoryA(kInstallDir.c_str(), nullptr);
    CreateDirectoryA(kSavers.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(SaverFile("multilingual").c_str(), kSaver.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(BesideTestProgram("Norvane.exe").c_str(),
                          (kInstallDir + "Norvane.exe").c_str(), FALSE));
    SetRegString(kAppKey, "InstallDir", kInstallDir);
  }
  void TearDown() override {
    KillStrayInstances();
    KillStrayInstances("_Norvane.scr");
    KillStrayInstances("Ünïcode 星.scr");
    KillStrayInstances("Ωμέγα 日.scr");
    ResetProgramRegistry();
    RemoveFolderTree(kProfile);
  }

  // Runs the proxy full screen and returns the screensaver it started,
  // which it then closes.
  static std::string ProxyRuns(const std::vector<std::string>& candidates) {
    ChildProcess proxy(BesideTestProgram("_Norvane.scr"), "/s");
    std::string started;
    WaitUntil([&] {
      for (const std::string& path : candidates) {
        std::vector<HWND> windows = WindowsOfFile(path);
        if (!windows.empty()) {
          PostMessageA(windows[0], WM_CLOSE, 0, 0);
          started = path;
        }
      }
      return !started.empty();
    });
    EXPECT_TRUE(proxy.WaitForExit(5000));
    return started;
  }

  std::string AdditionalList() const { return kInstallDir + "AdditionalScreensavers.dat"; }
  std::string DisabledList() const { return kInstallDir + "DisabledScreensavers.dat"; }

  PlacedFile m_omega{SaverFile("no_version"), GetWindowsFolder() + "\\Ωμέγα 日.scr"};
  TempFolder m_other;
  PlacedFile m_long{SaverFile("no_version"), GetWindowsFolder() + "\\" + Stars(82) + ".scr"};
};

TEST_F(LanguagesTest, NamesInEveryScriptGoThroughThePagesTheListFilesAndTheProxy) {
  ASSERT_TRUE(m_omega.Placed() && m_long.Placed());
  ASSERT_GE(m_long.Path().size(), static_cast<size_t>(MAX_PATH));
  const std::string path = kSaver, omega = m_omega.Path();
  // As Notepad saves them: a byte-order mark, the same file again in other
  // letter cases, which only a comparison of the letters themselves
  // matches, and a line in the system's own "ANSI" code page; the
  // unchecked one in UTF-16.
  std::string lower = kProfile + "\\Savers\\ünÏcode 星.scr";
  lower.replace(lower.find("Łukasz"), strlen("Łukasz"), "łUKASZ");
  const std::string cafe = m_other.Path() + "Café.scr";
  ASSERT_TRUE(CopyFileA(SaverFile("Aurora").c_str(), cafe.c_str(), FALSE));
  WriteFileBytes(AdditionalList(), "\xEF\xBB\xBF" + ListFileBytes({path, lower}) + m_other.Path() +
                                       InSystemCodePage(L"Café.scr") + "\r\n");
  WriteFileBytes(DisabledList(), Utf16File(ListFileBytes({omega})));
  FileStamp before = StampOf(AdditionalList());

  // The proxy's settings switch starts the manager from the installation
  // folder.
  ChildProcess proxy(BesideTestProgram("_Norvane.scr"), "/c");
  EXPECT_TRUE(proxy.WaitForExit(10000));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = FindWindowA("#32770", "Norvane")) != nullptr; }));
  DWORD manager = ProcessOf(dialog);
  EXPECT_TRUE(PathsEqual(ProcessImage(manager), kInstallDir + "Norvane.exe"));
  dialog = WaitForWindow(manager, "Norvane");
  ASSERT_NE(dialog, nullptr);
  HWND tab = GetDlgItem(dialog, IDC_TAB);
  HWND settings = PageWith(tab, IDC_SCREENSAVER_LIST), additional = PageWith(tab, IDC_BROWSE);
  HWND list = GetDlgItem(settings, IDC_SCREENSAVER_LIST);
  HWND rows = GetDlgItem(additional, IDC_ADDITIONAL_LIST);

  // One row for the two lines; the file written back once, in UTF-8 without
  // the mark.
  EXPECT_TRUE(WaitForFileWrite(AdditionalList(), before, ListFileBytes({path, cafe})));
  std::vector<std::string> shown;
  EXPECT_TRUE(WaitUntil([&] {
    shown = ListRows(rows);
    return shown.size() == 2 && Holds(shown, path) && Holds(shown, cafe);
  }));
  // The version resource's Japanese and Greek name, and names made from a
  // Greek file name and from one longer in bytes than any ANSI path.
  int mine = -1, other = -1;
  EXPECT_TRUE(WaitUntil([&] {
    mine = RowNamed(list, "星空 Αστέρια");
    other = RowNamed(list, "Ωμέγα 日");
    return mine >= 0 && other >= 0 && RowNamed(list, Stars(82)) >= 0;
  }));
  ASSERT_TRUE(mine >= 0 && other >= 0);
  EXPECT_TRUE(ListRowChecked(list, mine));
  EXPECT_FALSE(ListRowChecked(list, other));
  int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row)
    if (row != mine && row != other)
      SetListRowChecked(list, row, false);
  SetListRowChecked(list, other, false);
  EXPECT_TRUE(WaitUntil([&] {
    std::vector<std::string> lines = LinesOf(DisabledList());
    return Holds(lines, omega) && Holds(lines, m_long.Path()) && !Holds(lines, path);
  }));

  // Selected: its path in full, and its preview inside the monitor.
  SelectListRow(list, mine);
  EXPECT_TRUE(WaitUntil([&] {
    return WindowText(GetDlgItem(settings, IDC_PATH)) == "Screensaver Location:  " + path;
  }));
  EXPECT_TRUE(WaitUntil([&] {
    HWND host = GetDlgItem(settings, IDC_PREVIEW_HOST);
    for (HWND child : ChildWindows(host))
      if (PathsEqual(ProcessImage(ProcessOf(child)), path))
        return true;
    return false;
  }));

  // The proxy follows the checks both ways, the long line included.
  EXPECT_EQ(ProxyRuns({path, omega, m_long.Path()}), path);
  SetListRowChecked(list, other, true);
  SetListRowChecked(list, mine, false);
  EXPECT_TRUE(WaitUntil([&] {
    std::vector<std::string> lines = LinesOf(DisabledList());
    return Holds(lines, path) && !Holds(lines, omega);
  }));
  EXPECT_EQ(ProxyRuns({path, omega, m_long.Path()}), omega);

  // Deleted, refused for a path too long in bytes (not in characters), and
  // added again.
  SelectListRow(rows, shown[0] == path ? 0 : 1);
  before = StampOf(AdditionalList());
  PostMessageA(additional, WM_COMMAND, MAKEWPARAM(IDC_DELETE, BN_CLICKED), 0);
  EXPECT_TRUE(WaitForFileWrite(AdditionalList(), before, ListFileBytes({cafe})));
  const std::string tooLong = kSavers + Stars(80) + ".scr";
  ASSERT_TRUE(CopyFileA(SaverFile("Starfield").c_str(), tooLong.c_str(), FALSE));
  ASSERT_GE(tooLong.size(), static_cast<size_t>(MAX_PATH));
  // The open-file dialog or a message box.
  auto otherDialog = [&] {
    HWND found = nullptr;
    WaitUntil([&] {
      for (HWND wnd : TopLevelWindows(manager))
        if (wnd != dialog && ClassName(wnd) == "#32770")
          found = wnd;
      return found != nullptr;
    });
    return found;
  };
  auto browse = [&](const std::string& chosen) {
    PostMessageA(additional, WM_COMMAND, MAKEWPARAM(IDC_BROWSE, BN_CLICKED), 0);
    HWND fileDialog = otherDialog();
    ASSERT_NE(fileDialog, nullptr);
    HWND edit = GetDlgItem(fileDialog, 0x47C);
    if (ClassName(edit) != "Edit")
      edit = FirstChildOfClass(fileDialog, "Edit");
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
    PostMessageA(fileDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(fileDialog); }));
  };
  browse(tooLong);
  HWND box = otherDialog();
  ASSERT_NE(box, nullptr);
  EXPECT_NE(WindowText(GetDlgItem(box, 0xFFFF)).find("too long"), std::string::npos);
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  before = StampOf(AdditionalList());
  browse(path);
  EXPECT_TRUE(WaitForFileWrite(AdditionalList(), before, ListFileBytes(shown)));
  EXPECT_EQ(ListRows(rows), shown);
}

} // namespace

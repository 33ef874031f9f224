// The setup program with its windows, driven by messages from outside: the
// destination dialog, the finish dialog, the prompts while Norvane runs or
// a file cannot be written, and the uninstaller's question and report.
#include "catalogue/screensaver.h"
#include "installer/setup_resource.h"
#include "tests/support/installation.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"
#include "tests/support/remote_memory.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

namespace {

const char kProgramKey[] = "Software\\Tessaly\\Norvane";

// A visible top-level window of any process whose message text (or, for a
// dialog of ours, the given control's text) is exactly this.
HWND WaitForWindowWithText(int controlId, const std::string& text, DWORD processId = 0) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND hwnd = GetTopWindow(nullptr); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
      if (IsWindowVisible(hwnd) && (processId == 0 || ProcessOf(hwnd) == processId) &&
          WindowText(GetDlgItem(hwnd, controlId)) == text)
        return (found = hwnd) != nullptr;
    }
    return false;
  });
  return found;
}

HWND WaitForMessageBox(const std::string& text) { return WaitForWindowWithText(0xFFFF, text); }

// The text of the folder browser's selected folder.
std::string SelectedFolderName(HWND browser) {
  HWND tree = FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  RemoteMemory memory(tree, sizeof(TVITEMA) + MAX_PATH);
  if (!item || !memory.Valid())
    return {};
  TVITEMA request = {};
  request.mask = TVIF_TEXT;
  request.hItem = item;
  request.pszText = static_cast<char*>(memory.At(sizeof request));
  request.cchTextMax = MAX_PATH;
  char text[MAX_PATH] = {};
  memory.Write(0, &request, sizeof request);
  SendMessageA(tree, TVM_GETITEMA, 0, memory.Param());
  memory.Read(sizeof request, text, sizeof text - 1);
  return text;
}

void Click(HWND dialog, int buttonId) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

class SetupDialogTest : public ::testing::Test {
protected:
  // Starts the setup and waits for its first dialog.
  HWND StartSetup() {
    m_setup = std::make_unique<ChildProcess>(SetupProgram(), "");
    HWND dialog = WaitForWindowWithText(IDC_HEADER_TITLE, "Choose Install Location", m_setup->Id());
    EXPECT_NE(dialog, nullptr);
    return dialog;
  }

  HWND InstallInto(const std::string& folder) {
    HWND dialog = StartSetup();
    SendMessageA(GetDlgItem(dialog, IDC_FOLDER), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(folder.c_str()));
    Click(dialog, IDOK);
    return dialog;
  }

  HWND WaitForFinish() {
    return WaitForWindowWithText(IDC_DONE_TEXT, "Norvane has been installed.", m_setup->Id());
  }

  DWORD ExitCode() {
    DWORD code = 99;
    EXPECT_TRUE(m_setup->WaitForExit(10000, &code));
    return code;
  }

  void ExpectNothingInstalled() {
    EXPECT_FALSE(FileExists(install.Folder()));
    EXPECT_FALSE(FileExists(InstalledProxy()));
    EXPECT_FALSE(GetRegBytes(kProgramKey, "InstallDir").has_value());
  }

  ScratchInstallation install;
  std::unique_ptr<ChildProcess> m_setup;
};

TEST_F(SetupDialogTest, InstallsIntoTheChosenFolderAndFinishesWithoutStarting) {
  char programFiles[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, programFiles);
  HWND dialog = StartSetup();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(dialog), "Norvane Setup");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_FOLDER)), std::string(programFiles) + "\\Norvane");

  SendMessageA(GetDlgItem(dialog, IDC_FOLDER), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(install.Folder().c_str()));
  Click(dialog, IDOK);
  HWND finish = WaitForFinish();
  ASSERT_NE(finish, nullptr);
  EXPECT_EQ(WindowText(finish), "Norvane Setup");
  HWND startNow = GetDlgItem(finish, IDC_START_NOW);
  EXPECT_EQ(WindowText(startNow), "&Start Norvane now");
  EXPECT_EQ(SendMessageA(startNow, BM_GETCHECK, 0, 0), BST_CHECKED);

  SendMessageA(startNow, BM_SETCHECK, BST_UNCHECKED, 0);
  Click(finish, IDOK);
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_TRUE(FileExists(install.File("Norvane.exe")));
  EXPECT_EQ(GetRegBytes(kProgramKey, "InstallDir"), install.Folder() + "\\" + '\0');
  EXPECT_EQ(ProcessesNamed("Norvane.exe"), 0);
}

TEST_F(SetupDialogTest, FinishStartsTheInstalledManager) {
  InstallInto(install.Folder());
  HWND finish = WaitForFinish();
  ASSERT_NE(finish, nullptr);
  Click(finish, IDOK);
  EXPECT_EQ(ExitCode(), 0u);
  HWND manager = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND hwnd = GetTopWindow(nullptr); hwnd && !manager; hwnd = GetWindow(hwnd, GW_HWNDNEXT))
      if (IsWindowVisible(hwnd) && WindowText(hwnd) == "Norvane")
        manager = hwnd;
    return manager != nullptr;
  }));
  EXPECT_EQ(ProcessImage(ProcessOf(manager)), install.File("Norvane.exe"));
  KillStrayInstances();
}

TEST_F(SetupDialogTest, BrowseGivesTheChosenFolderANorvaneFolder) {
  // Directly on the drive: the browser's tree reaches it from "My Computer".
  struct DriveFolder {
    std::string path = "C:\\nvbrowse" + std::to_string(GetCurrentProcessId());
    DriveFolder() { CreateDirectoryA(path.c_str(), nullptr); }
    ~DriveFolder() { RemoveDirectoryA(path.c_str()); }
  } chosen;
  const std::string& path = chosen.path;
  HWND dialog = StartSetup();
  ASSERT_NE(dialog, nullptr);
  HWND edit = GetDlgItem(dialog, IDC_FOLDER);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  Click(dialog, IDC_BROWSE_FOLDER);
  // The browser opens on the folder in the box; its OK keeps that choice.
  HWND browser = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND hwnd : TopLevelWindows(m_setup->Id()))
      if (hwnd != dialog && GetWindow(hwnd, GW_OWNER) == dialog)
        browser = hwnd;
    return browser != nullptr;
  }));
  EXPECT_TRUE(WaitUntil([&] { return SelectedFolderName(browser) == GetFileNameFromPath(path); }))
      << SelectedFolderName(browser);
  SendMessageA(GetDlgItem(browser, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == path + "\\Norvane"; }, 5000))
      << WindowText(edit);
}

TEST_F(SetupDialogTest, NoFullPathIsAskedForAgainAndCancelLeavesNothing) {
  HWND dialog = InstallInto("Programs\\Norvane");
  ASSERT_NE(dialog, nullptr);
  HWND box = WaitForMessageBox(
      "Please enter the full path of a folder, such as C:\\Program Files\\Norvane.");
  ASSERT_NE(box, nullptr);
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));

  SendMessageA(GetDlgItem(dialog, IDC_FOLDER), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(install.Folder().c_str()));
  Click(dialog, IDCANCEL);
  EXPECT_EQ(ExitCode(), 1u);
  ExpectNothingInstalled();
}

TEST_F(SetupDialogTest, RunningNorvaneIsToBeClosedFirst) {
  const std::string prompt =
      "Norvane is running. Please close it first: right-click the Norvane icon in the "
      "notification area of the taskbar and choose Close.\n\nThen click Retry to continue.";
  {
    KernelHandle mutex = HoldNorvaneMutex();
    InstallInto(install.Folder());
    HWND box = WaitForMessageBox(prompt);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), "Norvane Setup");
    SendMessageA(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_EQ(ExitCode(), 2u);
    ExpectNothingInstalled();

    InstallInto(install.Folder());
    box = WaitForMessageBox(prompt);
    ASSERT_NE(box, nullptr);
    SendMessageA(GetDlgItem(box, IDRETRY), BM_CLICK, 0, 0);
    // Still running: asked again.
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    box = WaitForMessageBox(prompt);
    ASSERT_NE(box, nullptr);
    mutex.reset();
    SendMessageA(GetDlgItem(box, IDRETRY), BM_CLICK, 0, 0);
  }
  HWND finish = WaitForFinish();
  ASSERT_NE(finish, nullptr);
  SendMessageA(GetDlgItem(finish, IDC_START_NOW), BM_SETCHECK, BST_UNCHECKED, 0);
  Click(finish, IDOK);
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_TRUE(FileExists(install.File("Norvane.exe")));
}

TEST_F(SetupDialogTest, WriteFailureNamesTheFile) {
  ASSERT_EQ(install.InstallSilently(), 0u);
  FileHandle held(CreateFileA(install.File("Norvane.exe").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  InstallInto(install.Folder());
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND hwnd : TopLevelWindows(m_setup->Id()))
      if (WindowText(GetDlgItem(hwnd, 0xFFFF)).find(install.File("Norvane.exe")) !=
          std::string::npos)
        box = hwnd;
    return box != nullptr;
  }));
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(ExitCode(), 3u);
}

TEST_F(SetupDialogTest, UninstallerAsksFirstAndReportsTheRemoval) {
  ASSERT_EQ(install.InstallSilently(), 0u);
  const std::string question = "Remove Norvane from this computer?";
  {
    ChildProcess uninstaller(install.File("Uninstall.exe"), "");
    HWND box = WaitForMessageBox(question);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), "Norvane Setup");
    SendMessageA(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    DWORD code = 99;
    EXPECT_TRUE(uninstaller.WaitForExit(10000, &code));
    EXPECT_EQ(code, 1u);
    EXPECT_TRUE(FileExists(install.File("Norvane.exe")));
  }
  ChildProcess uninstaller(install.File("Uninstall.exe"), "");
  HWND box = WaitForMessageBox(question);
  ASSERT_NE(box, nullptr);
  SendMessageA(GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
  HWND done = WaitForMessageBox("Norvane has been removed from your computer.");
  ASSERT_NE(done, nullptr);
  SendMessageA(GetDlgItem(done, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitForRemoval(install.Folder()));
  ExpectNothingInstalled();
}

} // namespace

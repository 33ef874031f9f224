// The proxy screensaver _Norvane.scr, run as Windows runs it: which of the
// screensavers it starts, with which switches, for how long, and what its
// settings switch opens.
#include "catalogue/catalogue.h"
#include "framework/handle.h"
#include "tests/support/files.h"
#include "tests/support/main_window.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

namespace {

const std::string kRoundKey = std::string(kAppKey) + "\\Proxy";

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    DispatchMessageA(&msg);
}

class ProxyTest : public ::testing::Test {
protected:
  void SetUp() override {
    KillStrayInstances(kProxy);
    ResetProgramRegistry();
    m_install.emplace();
  }
  void TearDown() override {
    m_proxy.reset();
    KillStrayInstances(kProxy);
    m_install.reset();
    ResetProgramRegistry();
  }

  // Leaves exactly these checked, as the manager's first page would: every
  // other screensaver of the catalogue goes into the disabled list.
  static void CheckOnly(const std::vector<std::string>& enabled) {
    CScreensaverArray list;
    BuildScreensaverList(list);
    for (ScreensaverInfo& entry : list) {
      entry.bEnabled = false;
      for (const std::string& path : enabled)
        entry.bEnabled = entry.bEnabled || PathsEqual(entry.strPath, path);
    }
    WriteDisabledScreensavers(list);
  }

  void StartProxy(const std::string& arguments) {
    m_proxy = std::make_unique<ChildProcess>(BesideTestProgram(kProxy), arguments);
    ASSERT_TRUE(m_proxy->Started());
  }

  // The program whose window draws inside the host, once one does.
  static std::string WaitForPreviewIn(HWND host) {
    std::string image;
    WaitUntil([&] {
      PumpMessages();
      for (HWND child : ChildWindows(host))
        image = ProcessImage(ProcessOf(child));
      return !image.empty();
    });
    return image;
  }

  // Runs the proxy for a preview to the point where a screensaver draws,
  // ends it as Windows does, and returns that screensaver's program.
  std::string RunOnePreview(HWND host) {
    StartProxy("/p " + std::to_string(reinterpret_cast<INT_PTR>(host)));
    std::string image = WaitForPreviewIn(host);
    if (image.empty())
      return image;
    DWORD previewProcess = ProcessOf(ChildWindows(host).front());
    m_proxy->Terminate();
    if (!ProcessEnded(previewProcess) || !WaitUntil([&] {
          PumpMessages();
          return ChildWindows(host).empty();
        }))
      return "";
    return image;
  }

  static WindowHandle CreateHost() {
    return WindowHandle(CreateWindowExA(0, "Static", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                        300, 200, nullptr, nullptr, nullptr, nullptr));
  }

  // Every path the stored round holds, run or not, in lower case; none
  // when no round is stored.
  static std::optional<std::set<std::string>> StoredRound() {
    std::optional<std::string> remaining = GetRegBytes(kRoundKey.c_str(), "Remaining"),
                               done = GetRegBytes(kRoundKey.c_str(), "Done");
    if (!remaining || !done)
      return std::nullopt;
    CStringArray paths;
    SplitString(MakeLower(remaining->c_str() + std::string("|") + done->c_str()), paths, '|');
    std::set<std::string> round(paths.begin(), paths.end());
    round.erase("");
    return round;
  }

  static constexpr const char* kProxy = "_Norvane.scr";
  std::optional<ScratchInstallDir> m_install;
  std::unique_ptr<ChildProcess> m_proxy;
  PlacedFile m_one{SaverFile("Aurora"), GetSystemFolder() + "\\norvane_proxy_one.scr"};
  PlacedFile m_two{SaverFile("Starfield"), GetWindowsFolder() + "\\norvane_proxy_two.scr"};
};

TEST_F(ProxyTest, RunsTheCheckedScreensaverFullScreenForAsLongAsItRuns) {
  ASSERT_TRUE(m_one.Placed() && m_two.Placed());
  CheckOnly({m_one.Path()});
  StartProxy("/s");

  std::vector<HWND> windows;
  ASSERT_TRUE(WaitUntil([&] { return !(windows = WindowsOfFile(m_one.Path())).empty(); }));
  RECT rect;
  GetWindowRect(windows[0], &rect);
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_TRUE(WindowsOfFile(m_two.Path()).empty());

  // Windows watches the proxy: it has to last as long as the screensaver.
  Sleep(300);
  EXPECT_TRUE(m_proxy->IsRunning());
  PostMessageA(windows[0], WM_CLOSE, 0, 0);
  EXPECT_TRUE(m_proxy->WaitForExit(5000));
}

TEST_F(ProxyTest, PreviewDrawsInTheGivenWindowAndEndsWithTheProxy) {
  ASSERT_TRUE(m_one.Placed() && m_two.Placed());
  CheckOnly({m_two.Path()});
  WindowHandle host(CreateWindowExA(0, "Static", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                    200, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(host);
  StartProxy("/p " + std::to_string(reinterpret_cast<INT_PTR>(host.get())));

  EXPECT_TRUE(PathsEqual(WaitForPreviewIn(host.get()), m_two.Path()));
  HWND preview = ChildWindows(host.get()).front();
  DWORD previewProcess = ProcessOf(preview);
  // Windows ends the proxy of a preview without a word to the screensaver.
  m_proxy->Terminate();
  EXPECT_TRUE(ProcessEnded(previewProcess));
  EXPECT_TRUE(WaitUntil([&] {
    PumpMessages();
    return !IsWindow(preview);
  }));
}

// The additional list counts, the disabled list does not, and a file that
// is gone or damaged gives way to another.
TEST_F(ProxyTest, ChoosesAtRandomAmongTheCheckedScreensaversThatStart) {
  TempFolder other;
  PlacedFile three(SaverFile("Starfield"), other.Path() + "three.scr");
  ASSERT_TRUE(m_one.Placed() && m_two.Placed() && three.Placed());
  const std::string missing = other.Path() + "missing.scr", damaged = other.Path() + "damaged.scr";
  WriteFileBytes(damaged, "MZ, but not a program");
  WriteAdditionalScreensavers({three.Path(), missing, damaged});
  CheckOnly({m_one.Path(), three.Path(), missing, damaged});
  WindowHandle host = CreateHost();
  ASSERT_TRUE(host);

  std::set<std::string> chosen;
  for (int run = 0; run < 4; ++run) {
    std::string image = RunOnePreview(host.get());
    ASSERT_FALSE(image.empty()) << "nothing previewed in run " << run;
    chosen.insert(PathsEqual(image, m_one.Path())   ? "one"
                  : PathsEqual(image, three.Path()) ? "three"
                                                    : image);
  }
  EXPECT_EQ(chosen, (std::set<std::string>{"one", "three"}));
}

// A user who checks three sees each once before any again, never one twice
// in a row where one round meets the next, and a change of the checked set
// is taken into the round that runs.
TEST_F(ProxyTest, EachCheckedRunsOnceARoundAndNeverTwiceInARow) {
  TempFolder other;
  PlacedFile three(SaverFile("Starfield"), other.Path() + "three.scr");
  PlacedFile four(SaverFile("Aurora"), other.Path() + "four.scr");
  ASSERT_TRUE(m_one.Placed() && m_two.Placed() && three.Placed() && four.Placed());
  WriteAdditionalScreensavers({three.Path(), four.Path()});
  CheckOnly({m_one.Path(), m_two.Path(), three.Path()});
  WindowHandle host = CreateHost();
  ASSERT_TRUE(host);
  auto name = [&](const std::string& image) {
    for (const PlacedFile* file : {&m_one, &m_two, &three, &four})
      if (PathsEqual(image, file->Path()))
        return file->Path();
    return "unexpected: " + image;
  };

  std::vector<std::string> runs;
  for (int run = 0; run < 7; ++run)
    runs.push_back(name(RunOnePreview(host.get())));
  for (int round = 0; round < 2; ++round)
    EXPECT_EQ(std::set<std::string>(runs.begin() + 3 * round, runs.begin() + 3 * round + 3),
              (std::set<std::string>{m_one.Path(), m_two.Path(), three.Path()}));
  for (size_t run = 1; run < runs.size(); ++run)
    EXPECT_NE(runs[run], runs[run - 1]) << "run " << run;

  // Two of the third round are left; one of them is unchecked and four is
  // checked, so the round ends with the other one and four.
  std::vector<std::string> left;
  for (const std::string& path : {m_one.Path(), m_two.Path(), three.Path()})
    if (path != runs[6])
      left.push_back(path);
  const std::string kept = left[1];
  CheckOnly({runs[6], kept, four.Path()});
  std::set<std::string> rest = {name(RunOnePreview(host.get())), name(RunOnePreview(host.get()))};
  EXPECT_EQ(rest, (std::set<std::string>{kept, four.Path()}));

  // With one checked, that one every time.
  CheckOnly({three.Path()});
  for (int run = 0; run < 2; ++run)
    EXPECT_EQ(name(RunOnePreview(host.get())), three.Path());

  // A round edited or damaged in the registry still gives each once a round
  // and none twice in a row: one named a thousand times as not yet run,
  // though it ran last and is the only one not done, and a stray name.
  CheckOnly({three.Path(), m_two.Path()});
  std::string remaining = other.Path() + "stray.scr";
  for (int repeat = 0; repeat < 1000; ++repeat)
    remaining += "|" + three.Path();
  SetRegString(kRoundKey.c_str(), "Remaining", remaining);
  SetRegString(kRoundKey.c_str(), "Done", m_two.Path());
  SetRegString(kRoundKey.c_str(), "Last", three.Path());
  runs.clear();
  for (int run = 0; run < 3; ++run)
    runs.push_back(name(RunOnePreview(host.get())));
  EXPECT_EQ(runs, (std::vector<std::string>{m_two.Path(), three.Path(), m_two.Path()}));
}

// A disabled list that another program keeps open past the wait says
// nothing of what the user checked: the proxy runs one of the stored
// round, and keeps the round to what it held; with no round stored it runs
// any screensaver and stores none.
TEST_F(ProxyTest, ABusyDisabledListRunsFromTheStoredRound) {
  TempFolder other;
  PlacedFile three(SaverFile("Starfield"), other.Path() + "three.scr");
  ASSERT_TRUE(m_one.Placed() && m_two.Placed() && three.Placed());
  WriteAdditionalScreensavers({three.Path()});
  CheckOnly({m_two.Path(), three.Path()});
  WindowHandle host = CreateHost();
  ASSERT_TRUE(host);
  const std::set<std::string> checked = {MakeLower(m_two.Path()), MakeLower(three.Path())};
  std::string first = RunOnePreview(host.get());
  ASSERT_EQ(StoredRound(), checked);

  FileHandle held(CreateFileA(m_install->DisabledList().c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  std::string second = RunOnePreview(host.get());
  EXPECT_EQ(checked.count(MakeLower(second)), 1u) << second;
  EXPECT_FALSE(PathsEqual(second, first));
  EXPECT_EQ(StoredRound(), checked);

  RegDeleteTreeA(HKEY_CURRENT_USER, kRoundKey.c_str());
  EXPECT_FALSE(RunOnePreview(host.get()).empty());
  EXPECT_EQ(StoredRound(), std::nullopt);
}

// Some screensavers only start the real program and end at once: the proxy
// lasts as long as that program, which still ends with the proxy.
TEST_F(ProxyTest, LastsAsLongAsWhatTheScreensaverStarted) {
  TempFolder other;
  PlacedFile starter(BesideTestProgram("saver_starter.exe"), other.Path() + "starter.scr");
  PlacedFile real(SaverFile("Aurora"), other.Path() + "starter_real.scr");
  ASSERT_TRUE(starter.Placed() && real.Placed());
  WriteAdditionalScreensavers({starter.Path()});
  CheckOnly({starter.Path()});
  StartProxy("/s");

  std::vector<HWND> windows;
  ASSERT_TRUE(WaitUntil([&] { return !(windows = WindowsOfFile(real.Path())).empty(); }));
  ASSERT_TRUE(WaitUntil([] { return ProcessesNamed("starter.scr") == 0; }));
  EXPECT_FALSE(m_proxy->WaitForExit(1000));
  EXPECT_FALSE(WindowsOfFile(real.Path()).empty());
  PostMessageA(windows[0], WM_CLOSE, 0, 0);
  EXPECT_TRUE(m_proxy->WaitForExit(5000));

  // What a starter leaves behind that outlasts the user's return keeps the
  // proxy, and so the screensaver's state, only a few seconds more.
  PlacedFile leaver(BesideTestProgram("saver_starter.exe"), other.Path() + "leaver.scr");
  PlacedFile left(BesideTestProgram("lingering_child.exe"), other.Path() + "leaver_real.scr");
  ASSERT_TRUE(leaver.Placed() && left.Placed());
  WriteAdditionalScreensavers({leaver.Path()});
  CheckOnly({leaver.Path()});
  StartProxy("/s");
  ASSERT_TRUE(WaitUntil(
      [] { return ProcessesNamed("leaver.scr") == 0 && ProcessesNamed("leaver_real.scr") == 1; }));
  EXPECT_TRUE(m_proxy->IsRunning());
  INPUT input = {INPUT_MOUSE};
  input.mi.dx = 10;
  input.mi.dwFlags = MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof input);
  EXPECT_TRUE(m_proxy->WaitForExit(20000));
  EXPECT_TRUE(WaitUntil([] { return ProcessesNamed("leaver_real.scr") == 0; }));
}

// List files that leave nothing checked (the only checked screensaver was
// deleted, or its file went) leave the choice to all of them: the proxy
// never runs nothing while there are screensavers to run.
TEST_F(ProxyTest, NothingCheckedInTheFilesRunsOneOfAll) {
  ASSERT_TRUE(m_one.Placed() && m_two.Placed());
  CheckOnly({});
  WindowHandle host = CreateHost();
  ASSERT_TRUE(host);
  std::string image = RunOnePreview(host.get());
  EXPECT_TRUE(PathsEqual(image, m_one.Path()) || PathsEqual(image, m_two.Path())) << image;
}

// "/c", or no switch at all, is the Settings button of Windows' screensaver
// dialog: it opens the manager.
TEST_F(ProxyTest, SettingsStartTheManagerOrSayWhyNot) {
  PlacedFile manager(SaverFile("Starfield"), m_install->Path() + "Norvane.exe");
  ASSERT_TRUE(manager.Placed());
  for (const char* arguments : {"/c", ""}) {
    SCOPED_TRACE(arguments);
    StartProxy(arguments);
    std::vector<HWND> windows;
    // This stand-in for the manager answers with its own message box.
    ASSERT_TRUE(WaitUntil([&] { return !(windows = WindowsOfFile(manager.Path())).empty(); }));
    EXPECT_TRUE(m_proxy->WaitForExit(5000));
    for (HWND wnd : windows)
      PostMessageA(wnd, WM_CLOSE, 0, 0);
    KillStrayInstances("Norvane.exe");
  }

  DeleteFileA(manager.Path().c_str());
  StartProxy("/c");
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    std::vector<HWND> windows = TopLevelWindows(m_proxy->Id());
    return !windows.empty() && (box = windows[0]) != nullptr;
  }));
  EXPECT_EQ(WindowText(box), "Norvane");
  std::string folder = m_install->Path();
  folder.pop_back();
  EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)),
            "The Norvane manager could not be started from \"" + folder +
                "\\Norvane.exe\".  Install Norvane again to choose the screensavers.");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(m_proxy->WaitForExit(5000));
}

// The Settings button of Windows' dialog, in each of its forms, brings the
// running manager out of the tray instead of starting a second one.
TEST_F(ProxyTest, SettingsBringUpTheRunningManager) {
  ChildProcess norvane(BesideTestProgram("Norvane.exe"), "/start");
  HWND dialog = WaitForMainDialog(norvane.Id());
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
  for (const char* arguments : {"/c", "/C:1234", ""}) {
    SCOPED_TRACE(arguments);
    StartProxy(arguments);
    EXPECT_TRUE(WaitUntil([&] { return VisibleMainWindow(norvane.Id()) == dialog; }));
    EXPECT_TRUE(m_proxy->WaitForExit(5000));
    EXPECT_EQ(ProcessesNamed("Norvane.exe"), 1);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !VisibleMainWindow(norvane.Id()); }));
  }
}

} // namespace

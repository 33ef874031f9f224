// How fast the manager comes up and how quiet it is in the tray: the time
// from process start to the visible main window (median of several starts),
// and the processor time the manager uses while it sits in the tray.
// Usage: shell_bench [starts] [idle seconds]
#include "resource.h"
#include "tests/support/main_window.h"
#include "tests/support/process.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

std::string Program() { return BesideTestProgram("Norvane.exe"); }

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * count.QuadPart / frequency.QuadPart;
}

void CloseManager(ChildProcess& norvane, HWND dialog) {
  PostMessageA(dialog, WM_COMMAND, ID_TRAY_CLOSE, 0);
  if (!norvane.WaitForExit(10000))
    norvane.Terminate();
}

void MeasureStart(int starts) {
  std::vector<double> times;
  for (int i = 0; i < starts; ++i) {
    KillStrayInstances();
    double begin = Now();
    ChildProcess norvane(Program(), "");
    HWND dialog = nullptr;
    while (!(dialog = VisibleMainWindow(norvane.Id())) && Now() - begin < 20000)
      Sleep(1);
    double elapsed = Now() - begin;
    if (!dialog) {
      printf("start %d: no window within 20 s\n", i + 1);
      continue;
    }
    times.push_back(elapsed);
    printf("start %d: %.1f ms\n", i + 1, elapsed);
    CloseManager(norvane, dialog);
  }
  if (times.empty())
    return;
  std::sort(times.begin(), times.end());
  printf("start to visible window: median %.1f ms (min %.1f, max %.1f, %zu starts)\n",
         times[times.size() / 2], times.front(), times.back(), times.size());
}

void MeasureIdle(int seconds) {
  KillStrayInstances();
  ChildProcess norvane(Program(), "/start");
  HWND dialog = WaitForMainDialog(norvane.Id());
  if (!dialog || !WaitUntil([&] { return IsParkedInTray(dialog); })) {
    printf("idle: the manager did not start in the tray\n");
    return;
  }
  Sleep(2000);
  double before = ProcessorMs(norvane.Id());
  Sleep(seconds * 1000);
  double after = ProcessorMs(norvane.Id());
  if (before < 0 || after < 0)
    printf("idle: processor times not available\n");
  else
    printf("idle in the tray for %d s: %.1f ms processor time (%.1f before, %.1f after)\n", seconds,
           after - before, before, after);
  CloseManager(norvane, dialog);
}

} // namespace

int main(int argc, char** argv) {
  int starts = argc > 1 ? atoi(argv[1]) : 9;
  int idleSeconds = argc > 2 ? atoi(argv[2]) : 60;
  setvbuf(stdout, nullptr, _IONBF, 0);
  MeasureStart(starts);
  MeasureIdle(idleSeconds);
  KillStrayInstances();
  return 0;
}

// What the proxy screensaver costs when Windows starts it: the time from
// starting _Norvane.scr "/s" to its end, with a screensaver chosen among N
// that ends at once, against starting such a screensaver directly. The proxy
// lists the folders and reads both list files on every start, so the
// difference grows with N. Half of the N are checked. Prints, after
// anything else, one line per N:
//   proxy N=1000 proxy_ms=61.0 direct_ms=40.0 ratio=1.53
// Arguments, if any, are the sizes to run (default 100 1000 5000 10000
// 100000), and "--proxy <file>" times another proxy program beside this one
// (a copy of an earlier build, say). A run that has not ended after a
// minute is stopped and its size reported as "did_not_end".
#include "bench/bench_savers.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double NowMs() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * now.QuadPart / frequency.QuadPart;
}

const DWORD kRunTimeoutMs = 60000;

// Start to exit of one run, in milliseconds; negative when the program did
// not end in time.
double TimeRun(const std::string& program, const std::string& arguments) {
  double start = NowMs();
  ChildProcess child(program, arguments);
  if (!child.Started() || !child.WaitForExit(kRunTimeoutMs))
    return -1;
  return NowMs() - start;
}

double MedianRun(const std::string& program, const std::string& arguments, int runs) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    double time = TimeRun(program, arguments);
    if (time < 0)
      return -1;
    times.push_back(time);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Fewer runs where each costs more: the median of a few is as telling.
int RunsFor(int count) { return count <= 5000 ? 15 : count <= 10000 ? 5 : 3; }

} // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  std::string proxy = BesideTestProgram("_Norvane.scr");
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--proxy" && i + 1 < argc)
      proxy = BesideTestProgram(argv[++i]);
    else
      counts.push_back(atoi(argv[i]));
  }
  if (counts.empty())
    counts = {100, 1000, 5000, 10000, 100000};
  ScratchInstallDir install;
  TempFolder scratch;
  int status = 0;
  std::vector<std::string> results;
  {
    CBenchSavers savers(BesideTestProgram("bench_saver.scr"), scratch.Path(), install.Path());
    for (int count : counts) {
      // Copies of their own cost too much disk at the largest sizes; the
      // proxy never reads what is in them.
      if (!savers.Create(count, count > 5000)) {
        fprintf(stderr, "proxy_bench: cannot create %d screensaver files\n", count);
        status = 1;
        break;
      }
      int runs = RunsFor(count);
      double viaProxy = MedianRun(proxy, "/s", 1); // warms the file cache
      double direct = MedianRun(savers.Files().front(), "/s", runs);
      if (viaProxy >= 0)
        viaProxy = MedianRun(proxy, "/s", runs);
      char line[128];
      if (direct < 0 || viaProxy < 0) {
        snprintf(line, sizeof line, "proxy N=%d did_not_end (%s, after %lu ms)", count,
                 direct < 0 ? "direct" : "proxy", kRunTimeoutMs);
        results.push_back(line);
        status = 1;
        continue;
      }
      // "/a" does nothing: the proxy's own start and end, without the work.
      fprintf(stderr, "N=%d: the proxy alone (\"/a\") takes %.1f ms\n", count,
              MedianRun(proxy, "/a", runs));
      snprintf(line, sizeof line, "proxy N=%d proxy_ms=%.1f direct_ms=%.1f ratio=%.2f", count,
               viaProxy, direct, viaProxy / direct);
      results.push_back(line);
    }
  }
  fflush(stderr);
  for (const std::string& line : results)
    printf("%s\n", line.c_str());
  return status;
}

// What the proxy screensaver costs when Windows starts it: the time from
// starting _Norvane.scr "/s" to its end, with a screensaver chosen among N
// that ends at once, against starting such a screensaver directly. The proxy
// lists the folders and reads both list files on every start, so the
// difference grows with N. Prints, after anything else, one line per N:
//   proxy N=1000 proxy_ms=61.0 direct_ms=40.0 ratio=1.53
#include "bench/bench_savers.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double NowMs() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * now.QuadPart / frequency.QuadPart;
}

// Start to exit of one run, in milliseconds; negative when the program did
// not end within ten seconds.
double TimeRun(const std::string& program, const std::string& arguments) {
  double start = NowMs();
  ChildProcess child(program, arguments);
  if (!child.Started() || !child.WaitForExit(10000))
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

} // namespace

int main() {
  _setmode(_fileno(stdout), _O_BINARY);
  ScratchInstallDir install;
  TempFolder scratch;
  const std::string proxy = BesideTestProgram("_Norvane.scr");
  int status = 0;
  std::vector<std::string> results;
  {
    CBenchSavers savers(BesideTestProgram("bench_saver.scr"), scratch.Path(), install.Path());
    for (int count : {100, 1000, 5000}) {
      if (!savers.Create(count)) {
        fprintf(stderr, "proxy_bench: cannot create %d screensaver files\n", count);
        status = 1;
        break;
      }
      MedianRun(proxy, "/s", 2); // warms the file cache
      double direct = MedianRun(savers.Files().front(), "/s", 15);
      double viaProxy = MedianRun(proxy, "/s", 15);
      if (direct < 0 || viaProxy < 0) {
        fprintf(stderr, "proxy_bench: a run with N=%d did not end\n", count);
        status = 1;
        break;
      }
      // "/a" does nothing: the proxy's own start and end, without the work.
      fprintf(stderr, "N=%d: the proxy alone (\"/a\") takes %.1f ms\n", count,
              MedianRun(proxy, "/a", 15));
      char line[128];
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

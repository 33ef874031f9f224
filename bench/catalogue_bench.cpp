// Times the catalogue pipeline against its floor: listing the folders that
// hold the screensavers and reading one version text of each, which the
// pipeline cannot avoid. Then the same for additional lists of N lines that
// name files which do not exist (the floor asks for each line's version
// text), and how long the manager takes on such a list to show its window
// and to fill the list. Prints, after anything else, one line per N:
//   catalogue N=1000 pipeline_ms=41.2 floor_ms=35.0 ratio=1.18
//   additional N=1000 pipeline_ms=... floor_ms=... ratio=... window_ms=... rows_ms=...
// and the time to name one hostile file (see NestedResourceFile):
//   hostile N=1000 name_ms=... ordinary_ms=... name=Nested
// With the argument "quick", only the smallest size of each, for CI.
#include "bench/bench_savers.h"
#include "catalogue/catalogue.h"
#include "framework/app.h"
#include "framework/handle.h"
#include "framework/text_file.h"
#include "resource.h"
#include "tests/support/files.h"
#include "tests/support/hostile_files.h"
#include "tests/support/main_window.h"
#include "tests/support/process.h"

#include <commctrl.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const char kAppKey[] = "Software\\Tessaly\\Norvane";

double NowMs() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * now.QuadPart / frequency.QuadPart;
}

std::string BesideProgram(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\') + 1) + name;
}

bool EndsInScr(const char* name) {
  size_t length = strlen(name);
  return length >= 4 && _stricmp(name + length - 4, ".scr") == 0;
}

// The description of one file, the way any reader of version texts gets it.
size_t ReadDescription(const std::string& path) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0)
    return 0;
  std::vector<char> block(size);
  void* value = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data()) ||
      !VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) || length < 4)
    return 0;
  const WORD* translation = static_cast<const WORD*>(value);
  char query[64];
  snprintf(query, sizeof query, "\\StringFileInfo\\%04X%04X\\FileDescription", translation[0],
           translation[1]);
  return VerQueryValueA(block.data(), query, &value, &length) ? length : 0;
}

// The floor; without reading descriptions, the listing alone.
double TimeFloor(const CStringArray& folders, bool readDescriptions, size_t* filesRead) {
  double start = NowMs();
  *filesRead = 0;
  for (const std::string& folder : folders) {
    WIN32_FIND_DATAA entry;
    FindHandle find(FindFirstFileA((folder + "*.*").c_str(), &entry));
    if (!find)
      continue;
    do {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && EndsInScr(entry.cFileName) &&
          (!readDescriptions || ReadDescription(folder + entry.cFileName) > 0))
        ++*filesRead;
    } while (FindNextFileA(find.get(), &entry));
  }
  return NowMs() - start;
}

// Where the pipeline's time goes, stage by stage, for the notes above the
// figures.
void PrintStages(int count) {
  CScreensaverArray list;
  double times[6];
  times[0] = NowMs();
  BuildScreensaverList(list);
  times[1] = NowMs();
  AssignDisplayNames(list);
  times[2] = NowMs();
  ApplyDisabledList(list);
  times[3] = NowMs();
  SortByDisplayName(list);
  times[4] = NowMs();
  RemoveDuplicatePaths(list);
  times[5] = NowMs();
  fprintf(stderr,
          "N=%d stages: build %.1f ms, names %.1f ms, disabled list %.1f ms, sort %.1f ms, "
          "duplicates %.1f ms\n",
          count, times[1] - times[0], times[2] - times[1], times[3] - times[2], times[4] - times[3],
          times[5] - times[4]);
}

double TimePipeline(CScreensaverArray& list) {
  double start = NowMs();
  LoadScreensaverCatalogue(list);
  return NowMs() - start;
}

// Whether the catalogue holds every benchmark file once, half of them
// unchecked: the pipeline did all of its work.
bool CatalogueIsWhole(const CScreensaverArray& list, int count) {
  int found = 0, unchecked = 0;
  for (const ScreensaverInfo& entry : list) {
    if (GetFileNameFromPath(MakeLower(entry.strPath)).rfind(CBenchSavers::kPrefix, 0) != 0)
      continue;
    ++found;
    unchecked += entry.bEnabled ? 0 : 1;
  }
  return found == count && unchecked == (count + 1) / 2;
}

// The floor of the additional case: the default folders' floor, and one
// version text asked for every line.
double TimeAdditionalFloor(const CStringArray& folders, const CStringArray& lines) {
  size_t filesRead = 0;
  double start = NowMs();
  TimeFloor(folders, true, &filesRead);
  for (const std::string& line : lines)
    ReadDescription(line);
  return NowMs() - start;
}

// From the manager's start to its visible window, and to its list showing
// every row; negative when it did not get there within a minute.
void TimeManagerStart(size_t rows, double* windowMs, double* rowsMs) {
  *windowMs = *rowsMs = -1;
  KillStrayInstances();
  double begin = NowMs();
  ChildProcess norvane(BesideProgram("Norvane.exe"), "");
  HWND dialog = nullptr;
  while (!(dialog = VisibleMainWindow(norvane.Id())) && NowMs() - begin < 60000)
    Sleep(1);
  if (!dialog)
    return;
  *windowMs = NowMs() - begin;
  HWND list =
      GetDlgItem(PageWith(GetDlgItem(dialog, IDC_TAB), IDC_SCREENSAVER_LIST), IDC_SCREENSAVER_LIST);
  while (static_cast<size_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) != rows &&
         NowMs() - begin < 60000)
    Sleep(1);
  if (static_cast<size_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) == rows)
    *rowsMs = NowMs() - begin;
  PostMessageA(dialog, WM_COMMAND, ID_TRAY_CLOSE, 0);
  if (!norvane.WaitForExit(10000))
    norvane.Terminate();
}

std::string TimeAdditional(const std::string& installDir, const std::string& missingFolder,
                           int count) {
  CStringArray lines;
  for (int i = 0; i < count; ++i)
    lines.push_back(missingFolder + "missing" + std::to_string((i * 7919) % count) + ".scr");
  if (!WriteTextLines(installDir + "AdditionalScreensavers.dat", lines))
    return "additional N=" + std::to_string(count) + ": cannot write the list";
  CStringArray folders = {GetWindowsFolder(), GetSystemFolder()};
  for (std::string& folder : folders) {
    RemoveTrailingBackslashes(folder);
    folder += '\\';
  }
  CScreensaverArray list;
  TimePipeline(list); // once to warm the file cache
  double pipeline = 1e30, floor = 1e30;
  for (int round = 0; round < 3; ++round) {
    floor = std::min(floor, TimeAdditionalFloor(folders, lines));
    pipeline = std::min(pipeline, TimePipeline(list));
  }
  PrintStages(count);
  double windowMs = 0, rowsMs = 0;
  TimeManagerStart(list.size(), &windowMs, &rowsMs);
  DeleteFileA((installDir + "AdditionalScreensavers.dat").c_str());
  char line[160];
  snprintf(line, sizeof line,
           "additional N=%d pipeline_ms=%.1f floor_ms=%.1f ratio=%.2f window_ms=%.1f rows_ms=%.1f",
           count, pipeline, floor, pipeline / floor, windowMs, rowsMs);
  return line;
}

// Naming a file whose resource directory makes a walk that follows every
// entry read a billion of them, against naming an ordinary screensaver.
std::string TimeNestedResources(const std::string& folder) {
  const int n = 1000;
  std::string ordinary = BesideProgram("bench_saver.scr"), path = folder + "Nested.scr";
  WriteFileBytes(path, NestedResourceFile(ReadFileBytes(ordinary), n));
  double start = NowMs();
  std::string name = GetScreensaverDisplayName(path);
  double nested = NowMs() - start;
  start = NowMs();
  GetScreensaverDisplayName(ordinary);
  double plain = NowMs() - start;
  DeleteFileA(path.c_str());
  char line[160];
  snprintf(line, sizeof line, "hostile N=%d name_ms=%.1f ordinary_ms=%.2f name=%s", n, nested,
           plain, name.c_str());
  return line;
}

// The value "InstallDir" had before the run, restored at the end.
class CInstallDirOverride {
public:
  explicit CInstallDirOverride(const std::string& folder) {
    m_bHad =
        RegOpenKeyExA(HKEY_CURRENT_USER, kAppKey, 0, KEY_QUERY_VALUE, m_key.put()) == ERROR_SUCCESS;
    if (m_bHad) {
      char value[MAX_PATH] = {};
      DWORD size = sizeof value - 1;
      m_bHad = RegQueryValueExA(m_key.get(), "InstallDir", nullptr, nullptr,
                                reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS;
      m_strOld = value;
    }
    RegCreateKeyExA(HKEY_CURRENT_USER, kAppKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, m_key.put(),
                    nullptr);
    Set(folder);
  }
  ~CInstallDirOverride() {
    if (m_bHad)
      Set(m_strOld);
    else
      RegDeleteValueA(m_key.get(), "InstallDir");
  }

private:
  void Set(const std::string& value) {
    RegSetValueExA(m_key.get(), "InstallDir", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
  }

  RegKey m_key;
  bool m_bHad = false;
  std::string m_strOld;
};

} // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  bool quick = argc > 1 && strcmp(argv[1], "quick") == 0;
  std::vector<int> counts = {100, 1000, 5000}, lines = {1000, 10000, 100000};
  if (quick) {
    counts.resize(1);
    lines.resize(1);
  }
  CWinApp app("Norvane");
  app.SetRegistryKey("Tessaly");

  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string scratch = std::string(temp) + "nvbench" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(scratch.c_str(), nullptr);
  scratch += '\\';
  int status = 0;
  std::vector<std::string> results;
  {
    CInstallDirOverride installDir(scratch);
    CBenchSavers savers(BesideProgram("bench_saver.scr"), scratch, scratch);
    for (int count : counts) {
      if (!savers.Create(count)) {
        fprintf(stderr, "catalogue_bench: cannot create %d screensaver files\n", count);
        status = 1;
        break;
      }
      CScreensaverArray list;
      TimePipeline(list); // once to warm the file cache
      if (!CatalogueIsWhole(list, count)) {
        fprintf(stderr, "catalogue_bench: the catalogue of %d files is incomplete\n", count);
        status = 1;
      }
      double pipeline = 1e30, floor = 1e30;
      size_t filesRead = 0;
      for (int round = 0; round < 3; ++round) {
        floor = std::min(floor, TimeFloor(savers.Folders(), true, &filesRead));
        pipeline = std::min(pipeline, TimePipeline(list));
      }
      double listing = TimeFloor(savers.Folders(), false, &filesRead);
      fprintf(stderr, "N=%d: %zu catalogue entries; floor: %zu files, %.1f ms of it listing\n",
              count, list.size(), filesRead, listing);
      PrintStages(count);
      char line[128];
      snprintf(line, sizeof line, "catalogue N=%d pipeline_ms=%.1f floor_ms=%.1f ratio=%.2f", count,
               pipeline, floor, pipeline / floor);
      results.push_back(line);
    }
    savers.Remove();
    results.push_back(TimeNestedResources(scratch));
    for (int count : lines)
      results.push_back(TimeAdditional(scratch, scratch + "missing\\", count));
  }
  RemoveDirectoryA(scratch.c_str());
  fflush(stderr);
  for (const std::string& line : results)
    printf("%s\n", line.c_str());
  return status;
}

// Child-process helpers for tests.
#include "tests/support/process.h"

#include "catalogue/screensaver.h"
#include "framework/handle.h"

#include <tlhelp32.h>

std::string BesideTestProgram(const std::string& fileName) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\') + 1) + fileName;
}

ChildProcess::ChildProcess(const std::string& program, const std::string& arguments) {
  std::string commandLine = "\"" + program + "\"";
  if (!arguments.empty())
    commandLine += " " + arguments;
  STARTUPINFOA si = {sizeof si};
  if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &m_pi))
    m_pi = {};
}

ChildProcess::~ChildProcess() {
  Terminate();
  if (m_pi.hProcess) {
    CloseHandle(m_pi.hProcess);
    CloseHandle(m_pi.hThread);
  }
}

bool ChildProcess::IsRunning() const {
  return m_pi.hProcess && WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
  if (!m_pi.hProcess || WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
    return false;
  if (exitCode)
    GetExitCodeProcess(m_pi.hProcess, exitCode);
  return true;
}

void ChildProcess::Terminate() {
  if (IsRunning()) {
    TerminateProcess(m_pi.hProcess, 99);
    WaitForSingleObject(m_pi.hProcess, 5000);
  }
}

namespace {

struct WindowQuery {
  DWORD processId;
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
  auto* query = reinterpret_cast<WindowQuery*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == query->processId && (!query->visibleOnly || IsWindowVisible(hwnd)))
    query->found.push_back(hwnd);
  return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly) {
  WindowQuery query{processId, visibleOnly, {}};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

std::string WindowText(HWND hwnd) {
  char text[1024] = {};
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, nullptr);
  return text;
}

std::string ClassName(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs)
      return false;
    Sleep(20);
  }
  return true;
}

HWND WaitForWindow(DWORD processId, const std::string& title, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND hwnd : TopLevelWindows(processId))
          if (WindowText(hwnd) == title)
            return (found = hwnd) != nullptr;
        return false;
      },
      timeoutMs);
  return found;
}

std::string CapturePixels(HDC source, int x, int y, int width, int height) {
  MemoryDc memory(CreateCompatibleDC(source));
  BITMAPINFO header = {};
  header.bmiHeader = {sizeof header.bmiHeader, width, -height, 1, 32};
  void* bits = nullptr;
  BitmapHandle bitmap(CreateDIBSection(source, &header, DIB_RGB_COLORS, &bits, nullptr, 0));
  HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  std::string pixels(static_cast<const char*>(bits), static_cast<size_t>(width) * height * 4);
  // The fourth byte is whatever the last drawing left there (an icon drawn
  // with alpha sets it, the screen does not): only the colour counts.
  for (size_t i = 3; i < pixels.size(); i += 4)
    pixels[i] = 0;
  SelectObject(memory.get(), old);
  return pixels;
}

std::string CaptureScreen(const RECT& area) {
  HDC screen = GetDC(nullptr);
  std::string pixels =
      CapturePixels(screen, area.left, area.top, area.right - area.left, area.bottom - area.top);
  ReleaseDC(nullptr, screen);
  return pixels;
}

std::string RenderIcon(HDC reference, HICON icon, COLORREF background, int width, int height) {
  MemoryDc memory(CreateCompatibleDC(reference));
  BitmapHandle canvas(CreateCompatibleBitmap(reference, width, height));
  HGDIOBJ old = SelectObject(memory.get(), canvas.get());
  BrushHandle brush(CreateSolidBrush(background));
  RECT all = {0, 0, width, height};
  FillRect(memory.get(), &all, brush.get());
  DrawIconEx(memory.get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  std::string pixels = CapturePixels(memory.get(), 0, 0, width, height);
  SelectObject(memory.get(), old);
  return pixels;
}

bool StaticShowsIcon(HWND iconStatic, LPCSTR systemIcon) {
  RECT rect;
  GetWindowRect(iconStatic, &rect);
  int width = GetSystemMetrics(SM_CXICON), height = GetSystemMetrics(SM_CYICON);
  HDC screen = GetDC(nullptr);
  std::string shown = CapturePixels(screen, rect.left, rect.top, width, height);
  // The dialog's face just right of the static is the background it was drawn on.
  COLORREF background = GetPixel(screen, rect.right + 1, rect.top);
  std::string expected =
      RenderIcon(screen, LoadIconA(nullptr, systemIcon), background, width, height);
  ReleaseDC(nullptr, screen);
  return shown == expected;
}

namespace {

struct DialogQuery {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindMainDialog(HWND hwnd, LPARAM lParam) {
  auto* query = reinterpret_cast<DialogQuery*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != query->processId)
    return TRUE;
  if (ClassName(hwnd) == "#32770" && WindowText(hwnd) == "Norvane") {
    query->found = hwnd;
    return FALSE;
  }
  EnumChildWindows(hwnd, &FindMainDialog, lParam);
  return query->found == nullptr;
}

} // namespace

HWND WaitForMainDialog(DWORD processId, DWORD timeoutMs) {
  DialogQuery query{processId, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(&FindMainDialog, reinterpret_cast<LPARAM>(&query));
        return query.found != nullptr;
      },
      timeoutMs);
  DWORD_PTR ignored;
  if (query.found)
    SendMessageTimeoutA(query.found, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored);
  return query.found;
}

namespace {

std::vector<DWORD> ProcessIds(const char* exeName) {
  std::vector<DWORD> ids;
  KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry = {sizeof entry};
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry))
    if (lstrcmpiA(entry.szExeFile, exeName) == 0)
      ids.push_back(entry.th32ProcessID);
  return ids;
}

} // namespace

int ProcessesNamed(const char* exeName) { return static_cast<int>(ProcessIds(exeName).size()); }

void KillStrayInstances(const char* exeName) {
  for (DWORD id : ProcessIds(exeName)) {
    KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (process) {
      TerminateProcess(process.get(), 99);
      WaitForSingleObject(process.get(), 5000);
    }
  }
}

DWORD ProcessOf(HWND wnd) {
  DWORD processId = 0;
  GetWindowThreadProcessId(wnd, &processId);
  return processId;
}

std::string ProcessImage(DWORD processId) {
  KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  char path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (!process || !QueryFullProcessImageNameA(process.get(), 0, path, &size))
    return "";
  return path;
}

bool ProcessEnded(DWORD processId) {
  KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  return !process || WaitForSingleObject(process.get(), 5000) == WAIT_OBJECT_0;
}

// Appends every window an enumeration visits (a named callback: the
// 32-bit calling convention rules out a lambda).
static BOOL CALLBACK AppendWindow(HWND wnd, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(wnd);
  return TRUE;
}

std::vector<HWND> WindowsOfFile(const std::string& path) {
  std::vector<HWND> all, found;
  EnumWindows(AppendWindow, reinterpret_cast<LPARAM>(&all));
  for (HWND wnd : all)
    if (IsWindowVisible(wnd) && PathsEqual(ProcessImage(ProcessOf(wnd)), path))
      found.push_back(wnd);
  return found;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, AppendWindow, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND FirstChildOfClass(HWND parent, const std::string& className) {
  for (HWND child : ChildWindows(parent))
    if (ClassName(child) == className)
      return child;
  return nullptr;
}

namespace {

// The start of one entry of the system's process list: enough to reach the
// process's processor times and its id.
struct ProcessEntry {
  ULONG nextEntryOffset;
  ULONG numberOfThreads;
  LARGE_INTEGER reserved[3];
  LARGE_INTEGER createTime;
  LARGE_INTEGER userTime;
  LARGE_INTEGER kernelTime;
  USHORT nameLength;
  USHORT nameMaximumLength;
  PWSTR nameBuffer;
  LONG basePriority;
  HANDLE processId;
};

} // namespace

// From the system's process list: under Wine GetProcessTimes of another
// process reports the caller's own times, while the process list has every
// process's real ones.
double ProcessorMs(DWORD processId) {
  using QueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  FARPROC proc = GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation");
  auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(proc));
  const ULONG kSystemProcessInformation = 5;
  std::vector<BYTE> buffer(4 << 20);
  ULONG length = 0;
  if (!query ||
      query(kSystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length))
    return -1;
  for (const BYTE* at = buffer.data();;) {
    auto* entry = reinterpret_cast<const ProcessEntry*>(at);
    if (static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(entry->processId)) == processId)
      return (entry->userTime.QuadPart + entry->kernelTime.QuadPart) / 10000.0;
    if (!entry->nextEntryOffset)
      return -1;
    at += entry->nextEntryOffset;
  }
}

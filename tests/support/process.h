// Running the real Norvane.exe as a child process and looking at it from
// outside: its windows, its exit, its message boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A file beside the running test program (where the build puts Norvane.exe).
std::string BesideTestProgram(const std::string& fileName);

class ChildProcess {
public:
  // Starts the program with the given arguments after its quoted path.
  ChildProcess(const std::string& program, const std::string& arguments);
  ~ChildProcess(); // terminates the process if it still runs
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return m_pi.hProcess != nullptr; }
  DWORD Id() const { return m_pi.dwProcessId; }
  bool IsRunning() const;
  // Waits for the exit; false when the process still runs after timeoutMs.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;
  void Terminate();

private:
  PROCESS_INFORMATION m_pi = {};
};

// Top-level windows of a process, visible ones only unless asked otherwise.
std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly = true);
std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);
// Polls until the predicate holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// A visible top-level window of the process with this exact title.
HWND WaitForWindow(DWORD processId, const std::string& title, DWORD timeoutMs = 10000);
// The program's main dialog ("Norvane", #32770), whether shown, hidden or
// parked inside another window of the process; returned once the dialog's
// thread has finished setting it up and answers messages.
HWND WaitForMainDialog(DWORD processId, DWORD timeoutMs = 10000);
// The pixels of a rectangle of a device context, 32 bits each, top row first.
std::string CapturePixels(HDC source, int x, int y, int width, int height);
// The same for a rectangle of the screen, as the user sees it.
std::string CaptureScreen(const RECT& area);
// The pixels of an icon drawn at this size on a plain background.
std::string RenderIcon(HDC reference, HICON icon, COLORREF background, int width, int height);
// Whether an icon static of another process shows this system icon: the
// static's pixels on screen against the icon drawn on the same background
// (icon handles cannot be read across processes).
bool StaticShowsIcon(HWND iconStatic, LPCSTR systemIcon);
// How many processes run this program (by file name, any letter case).
int ProcessesNamed(const char* exeName);
// Ends every running Norvane.exe left over from an earlier test.
void KillStrayInstances(const char* exeName = "Norvane.exe");

// The processor time the process has used, user and kernel, in
// milliseconds; negative when it is not running.
double ProcessorMs(DWORD processId);

DWORD ProcessOf(HWND wnd);
// The full path of the process's program; empty when it has ended.
std::string ProcessImage(DWORD processId);
// Waits up to five seconds for the process to end.
bool ProcessEnded(DWORD processId);
// Every descendant window, in the order the system lists them.
std::vector<HWND> ChildWindows(HWND parent);
// The first descendant of this window class; null when there is none.
HWND FirstChildOfClass(HWND parent, const std::string& className);
// Visible top-level windows of every process started from this file.
std::vector<HWND> WindowsOfFile(const std::string& path);

// Finding the running manager: its single-instance mutex says that one
// runs, and its main dialog is found among the top-level windows, or inside
// the tray control's hidden window while it is parked in the tray.
#include "proxy/open_manager.h"

#include "common/instance_mutex.h"
#include "catalogue/screensaver.h"
#include "catalogue/settings.h"
#include "framework/app.h"
#include "framework/handle.h"
#include "proxy/run_chosen.h"
#include "resource.h"

#include <cstring>

namespace {

// A manager that has only just started may not have made its window yet.
const DWORD kFindTimeoutMs = 10000;

bool HasClass(HWND wnd, const char* className) {
  char name[32] = {};
  GetClassNameA(wnd, name, sizeof name);
  return lstrcmpiA(name, className) == 0;
}

// The main dialog of another process: its title and its tab control.
bool IsManagerDialog(HWND wnd) {
  DWORD process = 0;
  GetWindowThreadProcessId(wnd, &process);
  char title[16] = {};
  GetWindowTextA(wnd, title, sizeof title);
  HWND tab = GetDlgItem(wnd, IDC_TAB);
  return process != GetCurrentProcessId() && HasClass(wnd, "#32770") &&
         strcmp(title, "Norvane") == 0 && tab && HasClass(tab, "SysTabControl32");
}

BOOL CALLBACK FindManagerDialog(HWND top, LPARAM lParam) {
  HWND* found = reinterpret_cast<HWND*>(lParam);
  if (IsManagerDialog(top))
    *found = top;
  for (HWND child = FindWindowExA(top, nullptr, "#32770", nullptr); child && !*found;
       child = FindWindowExA(top, child, "#32770", nullptr))
    if (IsManagerDialog(child))
      *found = child;
  return *found ? FALSE : TRUE;
}

bool ManagerRuns() {
  KernelHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, kInstanceMutex));
  return mutex || GetLastError() == ERROR_ACCESS_DENIED;
}

HWND WaitForManagerDialog() {
  DWORD start = GetTickCount();
  for (;;) {
    HWND found = nullptr;
    EnumWindows(&FindManagerDialog, reinterpret_cast<LPARAM>(&found));
    if (found || GetTickCount() - start > kFindTimeoutMs || !ManagerRuns())
      return found;
    Sleep(100);
  }
}

} // namespace

void OpenManager(HWND owner) {
  if (ManagerRuns()) {
    if (HWND dialog = WaitForManagerDialog()) {
      DWORD process = 0;
      GetWindowThreadProcessId(dialog, &process);
      // The proxy was started by the window in front; the manager may come
      // to the front in its place.
      AllowSetForegroundWindow(process);
      PostMessageA(dialog, WM_COMMAND, ID_TRAY_OPEN_MANAGER, 0);
      return;
    }
  }
  std::string folder = GetInstallDir();
  RemoveTrailingBackslashes(folder);
  std::string manager = folder + "\\Norvane.exe";
  PROCESS_INFORMATION info;
  if (!folder.empty() && StartProgram(manager, "", 0, info)) {
    KernelHandle process(info.hProcess), thread(info.hThread);
    return;
  }
  std::string where = folder.empty() ? "" : " from \"" + manager + "\"";
  AppMessageBox(owner,
                "The Norvane manager could not be started" + where +
                    ".  Install Norvane again to choose the screensavers.",
                MB_OK | MB_ICONEXCLAMATION);
}

// Finding the running manager: its single-instance mutex says that one
// runs, and its main dialog is found among the top-level windows, or inside
// the tray control's hidden window while it is parked in the tray. Only a
// manager of this user in this session counts: another account's, run on
// the same desktop, keeps that account's screensavers, not this one's.
#include "proxy/open_manager.h"

#include "catalogue/screensaver.h"
#include "catalogue/settings.h"
#include "common/instance_mutex.h"
#include "framework/app.h"
#include "framework/handle.h"
#include "proxy/run_chosen.h"
#include "resource.h"

#include <cstring>
#include <string>

namespace {

// A manager that has only just started may not have made its window yet.
const DWORD kFindTimeoutMs = 10000;

bool HasClass(HWND wnd, const char* className) {
  char name[32] = {};
  GetClassNameA(wnd, name, sizeof name);
  return lstrcmpiA(name, className) == 0;
}

// The account a process runs as, as the bytes of its security identifier;
// empty when it cannot be read.
std::string ProcessUser(HANDLE process) {
  KernelHandle token;
  if (!OpenProcessToken(process, TOKEN_QUERY, token.put()))
    return "";
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  std::string buffer(size, '\0');
  if (size == 0 || !GetTokenInformation(token.get(), TokenUser, &buffer[0], size, &size))
    return "";
  PSID sid = reinterpret_cast<TOKEN_USER*>(&buffer[0])->User.Sid;
  return std::string(static_cast<const char*>(sid), GetLengthSid(sid));
}

bool RunsAsThisUserHere(DWORD processId) {
  DWORD session = 0, ourSession = 0;
  if (!ProcessIdToSessionId(processId, &session) ||
      !ProcessIdToSessionId(GetCurrentProcessId(), &ourSession) || session != ourSession)
    return false;
  KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (!process)
    process.reset(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  std::string user = process ? ProcessUser(process.get()) : "";
  return !user.empty() && user == ProcessUser(GetCurrentProcess());
}

// The main dialog of another process of this user: its title and its tab
// control.
bool IsManagerDialog(HWND wnd) {
  DWORD process = 0;
  GetWindowThreadProcessId(wnd, &process);
  char title[16] = {};
  GetWindowTextA(wnd, title, sizeof title);
  HWND tab = GetDlgItem(wnd, IDC_TAB);
  return process != GetCurrentProcessId() && HasClass(wnd, "#32770") &&
         strcmp(title, "Norvane") == 0 && tab && HasClass(tab, "SysTabControl32") &&
         RunsAsThisUserHere(process);
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

// The mutex lives in this session's namespace; one this user may not open
// is another account's.
bool ManagerRuns() {
  KernelHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, kInstanceMutex));
  return static_cast<bool>(mutex);
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

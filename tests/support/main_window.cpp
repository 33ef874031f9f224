// Helpers for driving the real main window from a test process.
#include "tests/support/main_window.h"

#include "framework/handle.h"
#include "tests/support/process.h"

#include <commctrl.h>

HWND VisibleMainWindow(DWORD processId) {
  for (HWND wnd : TopLevelWindows(processId))
    if (ClassName(wnd) == "#32770" && WindowText(wnd) == "Norvane")
      return wnd;
  return nullptr;
}

bool IsParkedInTray(HWND dialog) { return GetAncestor(dialog, GA_PARENT) != GetDesktopWindow(); }

bool IsCentred(HWND wnd) {
  RECT rect;
  GetWindowRect(wnd, &rect);
  MONITORINFO info = {sizeof info};
  GetMonitorInfoA(MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &info);
  const RECT& area = info.rcWork;
  return abs((rect.left + rect.right) - (area.left + area.right)) <= 2 &&
         abs((rect.top + rect.bottom) - (area.top + area.bottom)) <= 2;
}

std::vector<std::string> TabLabels(HWND tab) {
  DWORD processId = 0;
  GetWindowThreadProcessId(tab, &processId);
  KernelHandle process(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
  struct Remote {
    TCITEMA item;
    char text[256];
  };
  auto* remote = static_cast<Remote*>(
      VirtualAllocEx(process.get(), nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE));
  std::vector<std::string> labels;
  if (!remote)
    return labels;
  int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    Remote local = {};
    local.item.mask = TCIF_TEXT;
    local.item.pszText = remote->text;
    local.item.cchTextMax = sizeof local.text;
    WriteProcessMemory(process.get(), remote, &local, sizeof local, nullptr);
    SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process.get(), remote, &local, sizeof local, nullptr);
    char text[256] = {};
    ReadProcessMemory(process.get(), local.item.pszText, text, sizeof text - 1, nullptr);
    labels.push_back(text);
  }
  VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
  return labels;
}

HWND PageWith(HWND tab, int controlId) {
  for (HWND child = GetWindow(tab, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (ClassName(child) == "#32770" && GetDlgItem(child, controlId))
      return child;
  return nullptr;
}

HWND TrayControlWindow(DWORD processId) {
  for (HWND wnd : TopLevelWindows(processId, false)) {
    if (ClassName(wnd).rfind("Norvane:", 0) != 0)
      continue;
    DWORD_PTR handled = 0;
    if (SendMessageTimeoutA(wnd, kTrayNotify, kTrayIconId, WM_MOUSEMOVE, SMTO_NORMAL, 5000,
                            &handled) &&
        handled == 1)
      return wnd;
  }
  return nullptr;
}

std::string ToolTipTextOf(HWND control) {
  DWORD processId = 0;
  GetWindowThreadProcessId(control, &processId);
  KernelHandle process(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
  struct Remote {
    TOOLINFOA tool;
    char text[1024];
  };
  auto* remote = static_cast<Remote*>(
      VirtualAllocEx(process.get(), nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE));
  if (!remote)
    return "";
  std::string text;
  for (HWND tip : TopLevelWindows(processId, false)) {
    if (ClassName(tip) != TOOLTIPS_CLASSA)
      continue;
    Remote local = {};
    local.tool.cbSize = TTTOOLINFOA_V2_SIZE;
    local.tool.hwnd = GetParent(control);
    local.tool.uId = reinterpret_cast<UINT_PTR>(control);
    local.tool.lpszText = remote->text;
    WriteProcessMemory(process.get(), remote, &local, sizeof local, nullptr);
    if (!SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(remote)))
      continue;
    SendMessageA(tip, TTM_GETTEXTA, sizeof local.text, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process.get(), remote->text, local.text, sizeof local.text - 1, nullptr);
    text = local.text;
  }
  VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
  return text;
}

HWND FocusOfThread(HWND wnd) {
  GUITHREADINFO info = {sizeof info};
  GetGUIThreadInfo(GetWindowThreadProcessId(wnd, nullptr), &info);
  return info.hwndFocus;
}

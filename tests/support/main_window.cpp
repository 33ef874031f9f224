// Helpers for driving the real main window from a test process.
#include "tests/support/main_window.h"

#include "framework/handle.h"
#include "tests/support/process.h"
#include "tests/support/remote_memory.h"

#include <commctrl.h>

#include <cstddef>

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
  struct Buffer {
    TOOLINFOA tool;
    char text[1024];
  };
  RemoteMemory remote(control, sizeof(Buffer));
  if (!remote.Valid())
    return "";
  DWORD processId = 0;
  GetWindowThreadProcessId(control, &processId);
  std::string text;
  for (HWND tip : TopLevelWindows(processId, false)) {
    if (ClassName(tip) != TOOLTIPS_CLASSA)
      continue;
    Buffer local = {};
    local.tool.cbSize = TTTOOLINFOA_V2_SIZE;
    local.tool.hwnd = GetParent(control);
    local.tool.uId = reinterpret_cast<UINT_PTR>(control);
    local.tool.lpszText = static_cast<char*>(remote.At(offsetof(Buffer, text)));
    remote.Write(0, &local, sizeof local);
    if (!SendMessageA(tip, TTM_GETTOOLINFOA, 0, remote.Param()))
      continue;
    SendMessageA(tip, TTM_GETTEXTA, sizeof local.text, remote.Param());
    remote.Read(offsetof(Buffer, text), local.text, sizeof local.text - 1);
    text = local.text;
  }
  return text;
}

HWND FocusOfThread(HWND wnd) {
  GUITHREADINFO info = {sizeof info};
  GetGUIThreadInfo(GetWindowThreadProcessId(wnd, nullptr), &info);
  return info.hwndFocus;
}

// List-view messages sent into another process through memory allocated
// there.
#include "tests/support/listview_remote.h"

#include "framework/handle.h"

#include <commctrl.h>

namespace {

struct RemoteItem {
  LVITEMA item;
  char text[512];
};

// One item structure with its text buffer inside the list's process.
class RemoteBuffer {
public:
  explicit RemoteBuffer(HWND list) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    m_process.reset(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    m_remote = static_cast<RemoteItem*>(
        VirtualAllocEx(m_process.get(), nullptr, sizeof(RemoteItem), MEM_COMMIT, PAGE_READWRITE));
  }
  ~RemoteBuffer() {
    if (m_remote)
      VirtualFreeEx(m_process.get(), m_remote, 0, MEM_RELEASE);
  }
  RemoteItem* Address() const { return m_remote; }
  void Write(const RemoteItem& local) {
    WriteProcessMemory(m_process.get(), m_remote, &local, sizeof local, nullptr);
  }
  RemoteItem Read() const {
    RemoteItem local = {};
    ReadProcessMemory(m_process.get(), m_remote, &local, sizeof local, nullptr);
    local.text[sizeof local.text - 1] = '\0';
    return local;
  }

private:
  KernelHandle m_process;
  RemoteItem* m_remote = nullptr;
};

void SetRowState(HWND list, int row, UINT state, UINT mask) {
  RemoteBuffer buffer(list);
  RemoteItem local = {};
  local.item.state = state;
  local.item.stateMask = mask;
  buffer.Write(local);
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(buffer.Address()));
}

} // namespace

std::vector<std::string> ListRowTexts(HWND list) {
  RemoteBuffer buffer(list);
  std::vector<std::string> texts;
  int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    RemoteItem local = {};
    local.item.iSubItem = 0;
    local.item.pszText = buffer.Address()->text;
    local.item.cchTextMax = sizeof local.text;
    buffer.Write(local);
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(buffer.Address()));
    texts.push_back(buffer.Read().text);
  }
  return texts;
}

bool ListRowChecked(HWND list, int row) {
  UINT state = static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
  return state == INDEXTOSTATEIMAGEMASK(2);
}

void SetListRowChecked(HWND list, int row, bool checked) {
  SetRowState(list, row, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

void SelectListRow(HWND list, int row) {
  SetRowState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (row >= 0)
    SetRowState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// List-view messages with their data in the list's own process.
#include "tests/support/list_view.h"

#include "tests/support/remote_memory.h"

#include <commctrl.h>

namespace {

struct RemoteItem {
  LVITEMA item;
  char text[1024];
};

} // namespace

std::vector<std::string> ListRows(HWND list) {
  std::vector<std::string> rows;
  RemoteMemory remote(list, sizeof(RemoteItem));
  if (!remote.Valid())
    return rows;
  int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    RemoteItem local = {};
    local.item.pszText = static_cast<char*>(remote.At(offsetof(RemoteItem, text)));
    local.item.cchTextMax = sizeof local.text;
    remote.Write(0, &local, sizeof local);
    SendMessageA(list, LVM_GETITEMTEXTA, row, remote.Param());
    remote.Read(offsetof(RemoteItem, text), local.text, sizeof local.text);
    local.text[sizeof local.text - 1] = '\0';
    rows.push_back(local.text);
  }
  return rows;
}

void SelectListRow(HWND list, int row) {
  RemoteMemory remote(list, sizeof(LVITEMA));
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  remote.Write(0, &item, sizeof item);
  SendMessageA(list, LVM_SETITEMSTATE, row, remote.Param());
}

int SelectedListRow(HWND list) {
  return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
}

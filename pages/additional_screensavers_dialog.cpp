// The Additional Screensavers page: reading the list file into the rows,
// adding a file through the open-file dialog, deleting a row, and writing
// the rows back to the file after each change. The list holds no rows of
// its own: it shows the page's sorted paths, so that a list of a hundred
// thousand lines comes up at once.
#include "pages/additional_screensavers_dialog.h"

#include "app/manager_dialog.h"
#include "catalogue/catalogue.h"
#include "framework/ansi_text.h"
#include "framework/app.h"
#include "framework/ddx.h"
#include "pages/list_messages.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// "CAdditionalScreensaversDialog_LoadList": reading the list file.
UINT g_uLoadListMsg = 0;

const char kAdditionalList[] = "additional screensavers";

// Room for any path the dialog can give, so that one too long for the
// program is refused with a word instead of the dialog failing silently.
const DWORD kChosenPathRoom = 32768;

} // namespace

void CAdditionalScreensaversDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_ADDITIONAL_LIST, m_list);
}

BOOL CAdditionalScreensaversDialog::OnInitDialog() {
  CPage::OnInitDialog();
  RECT client;
  GetClientRect(m_list, &client);
  SendMessageA(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
  column.fmt = LVCFMT_LEFT;
  column.pszText = const_cast<char*>("Additional Screensavers");
  column.cx = client.right - client.left - 20;
  SendMessageA(m_list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  SendMessageA(m_list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);

  UpdateDeleteButton();
  // Read once the window is up: a list of a hundred thousand lines takes a
  // good part of a second. The message comes before any click can.
  g_uLoadListMsg = RegisterWindowMessageA("CAdditionalScreensaversDialog_LoadList");
  PostMessageA(m_hWnd, g_uLoadListMsg, 0, 0);
  return TRUE;
}

// Repeats are dropped from the file at once; otherwise the file is left
// alone, lines the reader skipped included, until the next change.
LRESULT CAdditionalScreensaversDialog::OnLoadList() {
  LoadRows();
  return 0;
}

// A file that another process keeps open leaves the rows empty, and nothing
// is written from them.
bool CAdditionalScreensaversDialog::LoadRows() {
  CScreensaverArray entries;
  m_bListRead = ReadAdditionalScreensavers(entries);
  if (m_bListRead && RemoveDuplicatePaths(entries)) {
    CStringArray paths;
    for (const ScreensaverInfo& entry : entries)
      paths.push_back(entry.strPath);
    // Left with its repeats when it cannot be replaced now: the catalogue
    // drops them too.
    WriteAdditionalScreensavers(paths);
  }
  CStringArray paths;
  for (ScreensaverInfo& entry : entries)
    paths.push_back(std::move(entry.strPath));
  FillList(std::move(paths));
  return m_bListRead;
}

LRESULT CAdditionalScreensaversDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_uLoadListMsg && msg == g_uLoadListMsg)
    return OnLoadList();
  switch (msg) {
  case WM_COMMAND: return OnCommand(wParam, lParam);
  case WM_NOTIFY: return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
  }
  return CPage::WindowProc(msg, wParam, lParam);
}

LRESULT CAdditionalScreensaversDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED)
    return CPage::WindowProc(WM_COMMAND, wParam, lParam);
  switch (LOWORD(wParam)) {
  case IDC_BROWSE: return OnBrowse(), 0;
  case IDC_DELETE: return OnDelete(), 0;
  case IDC_SEARCH: return 0;
  }
  return CPage::WindowProc(WM_COMMAND, wParam, lParam);
}

LRESULT CAdditionalScreensaversDialog::OnNotify(const NMHDR* header) {
  if (header->idFrom != IDC_ADDITIONAL_LIST)
    return Default();
  switch (header->code) {
  case LVN_ITEMCHANGED: return OnItemChangedList();
  case LVN_GETDISPINFOA:
    return OnGetDispInfo(reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(header)));
  }
  return Default();
}

LRESULT CAdditionalScreensaversDialog::OnItemChangedList() {
  UpdateDeleteButton();
  return SetNotifyResult(0);
}

void CAdditionalScreensaversDialog::OnBrowse() {
  std::vector<char> buffer(kChosenPathRoom);
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = m_hWnd;
  ofn.lpstrFilter = "Screensaver (*.scr)\0*.scr\0\0";
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = kChosenPathRoom;
  ofn.lpstrDefExt = "scr";
  // A mistyped name would otherwise be listed as a screensaver that cannot run.
  // The list files are named relative to the current folder when no
  // installation folder is set: browsing must not move them.
  ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&ofn))
    return;
  std::string path = buffer.data();
  // MAX_PATH counts the bytes of a path in the code page, three for many a
  // character in UTF-8: a longer one is refused whole, where a buffer of
  // that size would have cut it into the path of some other file.
  if (path.size() >= MAX_PATH) {
    AppMessageBox(m_hWnd,
                  "The path of this screensaver is too long for Windows (" +
                      std::to_string(path.size()) + " bytes; at most " +
                      std::to_string(MAX_PATH - 1) +
                      ").  Please move it to a folder with a shorter path and add it again.",
                  MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  // Rows from a file that could not be read would write it without the
  // user's other screensavers.
  if (!m_bListRead && !LoadRows()) {
    ShowListBusy(m_hWnd, kAdditionalList);
    return;
  }
  // The catalogue finds those by itself.
  if (IsInDefaultFolder(path)) {
    AppMessageBox(m_hWnd, "This screensaver is already listed in the default location.",
                  MB_OK | MB_ICONINFORMATION);
    return;
  }
  int row = InsertRow(path);
  if (!SaveList()) {
    RemoveRow(row);
    return;
  }
  UpdateDeleteButton();
  NotifyListChanged();
}

void CAdditionalScreensaversDialog::OnDelete() {
  int selected = static_cast<int>(SendMessageA(m_list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  if (selected < 0)
    return;
  std::string path = m_paths[selected];
  RemoveRow(selected);
  if (!SaveList()) {
    m_paths.insert(m_paths.begin() + selected, path);
    SendMessageA(m_list, LVM_SETITEMCOUNT, m_paths.size(), 0);
    SelectRow(selected);
    InvalidateRect(m_list, nullptr, TRUE);
    return;
  }
  UpdateDeleteButton();
  NotifyListChanged();
}

void CAdditionalScreensaversDialog::RemoveRow(int row) {
  m_paths.erase(m_paths.begin() + row);
  SendMessageA(m_list, LVM_DELETEITEM, row, 0);
}

namespace {

// The system's order of texts regardless of case, as a key per text that
// compares byte by byte: made once per row, it sorts thousands of rows in
// a fraction of the time that comparing the texts themselves takes. Made
// from the UTF-16 form, which holds every character of the text.
std::string SortKey(const std::string& text) {
  const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  std::wstring wide = WideFromAnsi(text);
  int length = static_cast<int>(wide.size());
  int size = LCMapStringW(LOCALE_USER_DEFAULT, flags, wide.c_str(), length, nullptr, 0);
  std::string key(size > 0 ? size : 0, '\0');
  if (size > 0)
    LCMapStringW(LOCALE_USER_DEFAULT, flags, wide.c_str(), length,
                 reinterpret_cast<wchar_t*>(&key[0]), size);
  return key;
}

} // namespace

// The list asks the page for each row it shows; nothing is inserted.
void CAdditionalScreensaversDialog::FillList(CStringArray paths) {
  std::vector<std::pair<std::string, size_t>> keys(paths.size());
  for (size_t i = 0; i < paths.size(); ++i)
    keys[i] = {SortKey(paths[i]), i};
  std::stable_sort(keys.begin(), keys.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  m_paths.clear();
  m_paths.reserve(paths.size());
  for (const auto& key : keys)
    m_paths.push_back(std::move(paths[key.second]));
  SendMessageA(m_list, LVM_SETITEMCOUNT, m_paths.size(), 0);
}

// After the rows of equal or lower text, found by halving; a selected row
// stays selected. Returns the new row.
int CAdditionalScreensaversDialog::InsertRow(const std::string& path) {
  std::string key = SortKey(path);
  auto place = std::upper_bound(
      m_paths.begin(), m_paths.end(), key,
      [](const std::string& k, const std::string& row) { return k < SortKey(row); });
  int row = static_cast<int>(place - m_paths.begin());
  int selected = static_cast<int>(SendMessageA(m_list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  m_paths.insert(place, path);
  SendMessageA(m_list, LVM_SETITEMCOUNT, m_paths.size(), 0);
  if (selected >= row)
    SelectRow(selected + 1);
  InvalidateRect(m_list, nullptr, TRUE);
  return row;
}

void CAdditionalScreensaversDialog::SelectRow(int row) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(m_list, LVM_SETITEMSTATE, -1, reinterpret_cast<LPARAM>(&item));
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(m_list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// The file holds the rows in display order, which is sorted order. A file
// that cannot be replaced is said so; the caller undoes its row change.
bool CAdditionalScreensaversDialog::SaveList() {
  if (WriteAdditionalScreensavers(m_paths))
    return true;
  ShowListNotSaved(m_hWnd, kAdditionalList, GetLastError());
  return false;
}

// Copied whole when it fits and cut to the list's buffer, between two
// characters, otherwise; the page's own copy stays whole for the file.
LRESULT CAdditionalScreensaversDialog::OnGetDispInfo(NMLVDISPINFOA* info) {
  LVITEMA& item = info->item;
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0 && item.iItem >= 0 &&
      static_cast<size_t>(item.iItem) < m_paths.size()) {
    const std::string& path = m_paths[item.iItem];
    size_t length = CharBoundaryAtOrBefore(path, item.cchTextMax - 1);
    memcpy(item.pszText, path.data(), length);
    item.pszText[length] = '\0';
  }
  return SetNotifyResult(0);
}

void CAdditionalScreensaversDialog::UpdateDeleteButton() {
  bool selected = SendMessageA(m_list, LVM_GETNEXTITEM, -1, LVNI_SELECTED) >= 0;
  EnableWindow(GetDlgItem(IDC_DELETE), selected);
}

// The main window passes this on to the Screensaver Settings page, which
// rebuilds its list from the file just written.
void CAdditionalScreensaversDialog::NotifyListChanged() {
  CWnd* main = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
  HWND target = main && main->m_hWnd ? main->m_hWnd : GetAncestor(m_hWnd, GA_ROOT);
  PostMessageA(target, g_uUpdateScreensaverListMsg, 0, 0);
}

// The Additional Screensavers page: reading the list file into the rows,
// adding a file through the open-file dialog, deleting a row, and writing
// the rows back to the file after each change.
#include "pages/additional_screensavers_dialog.h"

#include "app/manager_dialog.h"
#include "catalogue/catalogue.h"
#include "framework/app.h"
#include "framework/ddx.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

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

  // Repeats are dropped from the file at once; otherwise the file is left
  // alone, lines the reader skipped included, until the next change.
  CScreensaverArray entries;
  ReadAdditionalScreensavers(entries);
  if (RemoveDuplicatePaths(entries)) {
    CStringArray paths;
    for (const ScreensaverInfo& entry : entries)
      paths.push_back(entry.strPath);
    WriteAdditionalScreensavers(paths);
  }
  CStringArray paths;
  for (ScreensaverInfo& entry : entries)
    paths.push_back(std::move(entry.strPath));
  FillList(std::move(paths));
  UpdateDeleteButton();
  return TRUE;
}

LRESULT CAdditionalScreensaversDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
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
  if (header->idFrom == IDC_ADDITIONAL_LIST && header->code == LVN_ITEMCHANGED)
    return OnItemChangedList();
  return Default();
}

LRESULT CAdditionalScreensaversDialog::OnItemChangedList() {
  UpdateDeleteButton();
  return SetNotifyResult(0);
}

void CAdditionalScreensaversDialog::OnBrowse() {
  char path[MAX_PATH] = "";
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = m_hWnd;
  ofn.lpstrFilter = "Screensaver (*.scr)\0*.scr\0\0";
  ofn.lpstrFile = path;
  ofn.nMaxFile = sizeof path;
  ofn.lpstrDefExt = "scr";
  // A mistyped name would otherwise be listed as a screensaver that cannot run.
  ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  if (!GetOpenFileNameA(&ofn))
    return;
  // The catalogue finds those by itself.
  if (IsInDefaultFolder(path)) {
    AppMessageBox(m_hWnd, "This screensaver is already listed in the default location.",
                  MB_OK | MB_ICONINFORMATION);
    return;
  }
  InsertRow(path);
  SaveList();
  UpdateDeleteButton();
  NotifyListChanged();
}

void CAdditionalScreensaversDialog::OnDelete() {
  int selected = static_cast<int>(SendMessageA(m_list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  if (selected < 0)
    return;
  SendMessageA(m_list, LVM_DELETEITEM, selected, 0);
  SaveList();
  UpdateDeleteButton();
  NotifyListChanged();
}

namespace {

// The order a sorting list view keeps; equal texts keep their order.
bool RowBefore(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) < 0;
}

void InsertRowAt(HWND list, int row, const std::string& path) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = const_cast<char*>(path.c_str());
  SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

} // namespace

// Sorted here once and drawn once at the end: a list view that sorts looks
// for each new row's place from the top, and draws every row as it comes.
void CAdditionalScreensaversDialog::FillList(CStringArray paths) {
  std::stable_sort(paths.begin(), paths.end(), RowBefore);
  SendMessageA(m_list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(m_list, LVM_SETITEMCOUNT, paths.size(), 0);
  for (size_t i = 0; i < paths.size(); ++i)
    InsertRowAt(m_list, static_cast<int>(i), paths[i]);
  SendMessageA(m_list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(m_list, nullptr, TRUE);
}

// After the rows of equal or lower text, found by halving.
void CAdditionalScreensaversDialog::InsertRow(const std::string& path) {
  int low = 0, high = static_cast<int>(SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0));
  while (low < high) {
    int middle = low + (high - low) / 2;
    if (RowBefore(path, RowText(middle)))
      high = middle;
    else
      low = middle + 1;
  }
  InsertRowAt(m_list, low, path);
}

// The file holds the rows in display order, which is sorted order.
void CAdditionalScreensaversDialog::SaveList() {
  CStringArray paths;
  for (int row = 0; row < SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0); ++row)
    paths.push_back(RowText(row));
  WriteAdditionalScreensavers(paths);
}

// Whole, however long: a line of the file cut short here would be written
// back as another path.
std::string CAdditionalScreensaversDialog::RowText(int row) const {
  std::string text(MAX_PATH, '\0');
  for (;;) {
    LVITEMA item = {};
    item.pszText = &text[0];
    item.cchTextMax = static_cast<int>(text.size());
    size_t length = SendMessageA(m_list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    if (length + 1 < text.size())
      return text.substr(0, length);
    text.resize(text.size() * 2);
  }
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

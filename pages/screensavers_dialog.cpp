// The Screensaver Settings page: its set-up, the list and its check rule,
// the selection controls and the Wait box.
#include "pages/screensavers_dialog.h"

#include "app/manager_dialog.h"
#include "catalogue/catalogue.h"
#include "catalogue/settings.h"
#include "framework/app.h"
#include "framework/ddx.h"
#include "framework/dpi.h"
#include "pages/list_messages.h"
#include "pages/monitor_picture.h"

#include <algorithm>

namespace {

// "CScreensaversDialog_ItemListChange": the work of a list change, posted
// so that it runs after the list has finished the click or key.
UINT g_uItemListChangeMsg = 0;
// "CScreensaversDialog_CatalogueBuilt": the loader's announcement.
UINT g_uCatalogueBuiltMsg = 0;
// "CScreensaversDialog_FillRows": the next batch of rows.
UINT g_uFillRowsMsg = 0;

// Between two batches the window answers: a hundred thousand rows take
// seconds to insert.
const size_t kRowsPerBatch = 2000;

const char kLocationLabel[] = "Screensaver Location:";
const char kCheckedList[] = "checked screensavers";

} // namespace

void CScreensaversDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_WAIT_SPIN, m_spinWait);
  DDX_Control(dx, IDC_WAIT_MINUTES, m_editWait);
  DDX_Control(dx, IDC_MONITOR, m_picture);
  DDX_Control(dx, IDC_PREVIEW_HOST, m_previewHost);
  DDX_Control(dx, IDC_SCREENSAVER_LIST, m_list);
  DDX_Text(dx, IDC_WAIT_MINUTES, m_nWaitMinutes);
  DDV_MinMaxInt(dx, m_nWaitMinutes, 1, 9999);
}

BOOL CScreensaversDialog::OnInitDialog() {
  CPage::OnInitDialog();
  SetUpList();
  SendMessageA(m_spinWait, UDM_SETRANGE, 0, MAKELPARAM(9999, 1));
  m_editWait.SetWindowText(std::to_string(GetScreenSaveTimeOut()));
  PlaceMonitorPicture();
  g_uItemListChangeMsg = RegisterWindowMessageA("CScreensaversDialog_ItemListChange");
  g_uCatalogueBuiltMsg = RegisterWindowMessageA("CScreensaversDialog_CatalogueBuilt");
  g_uFillRowsMsg = RegisterWindowMessageA("CScreensaversDialog_FillRows");
  m_loader = std::make_unique<CCatalogueLoader>(m_hWnd, g_uCatalogueBuiltMsg);
  UpdateSelectionControls();
  PostMessageA(m_hWnd, g_uUpdateScreensaverListMsg, 0, 0);
  m_bInitialised = true;
  return TRUE;
}

// One column spanning the list, check boxes, and whole-row selection; no
// other extended style stays on.
void CScreensaversDialog::SetUpList() {
  RECT client;
  GetClientRect(m_list, &client);
  SendMessageA(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = client.right - client.left - 20;
  column.pszText = const_cast<char*>("Available Screensavers");
  SendMessageA(m_list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  SendMessageA(m_list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
}

// The monitor picture drawn for the page's scale (the template's own at
// 100 %), and over its black screen the preview host.
void CScreensaversDialog::PlaceMonitorPicture() {
  UINT dpi = Dpi();
  if (dpi != kDefaultDpi || m_pictureBitmap) {
    BitmapHandle bitmap(MakeMonitorPicture(dpi));
    if (bitmap) {
      HBITMAP previous = reinterpret_cast<HBITMAP>(SendMessageA(
          m_picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get())));
      if (previous && previous != m_pictureBitmap.get())
        DeleteObject(previous);
      m_pictureBitmap = std::move(bitmap);
      SIZE size = MonitorPictureSize(dpi);
      SetWindowPos(m_picture, nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  RECT picture;
  GetWindowRect(m_picture, &picture);
  MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&picture), 2);
  RECT screen = MonitorScreenRect(dpi);
  MoveWindow(m_previewHost, picture.left + screen.left, picture.top + screen.top,
             screen.right - screen.left, screen.bottom - screen.top, TRUE);
}

// The controls stand at the new scale; what the page sized in pixels
// follows, and a running preview starts again at the host's new size.
void CScreensaversDialog::OnScaleChanged(UINT) {
  PlaceMonitorPicture();
  SendMessageA(m_list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
  if (m_pPreview)
    StartPreview();
}

LRESULT CScreensaversDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_uItemListChangeMsg && msg == g_uItemListChangeMsg)
    return OnItemListChange(wParam, lParam);
  if (g_uUpdateScreensaverListMsg && msg == g_uUpdateScreensaverListMsg)
    return OnUpdateScreensaverList(wParam, lParam);
  if (g_uCatalogueBuiltMsg && msg == g_uCatalogueBuiltMsg)
    return OnCatalogueBuilt(wParam, lParam);
  if (g_uFillRowsMsg && msg == g_uFillRowsMsg)
    return OnFillRows();
  switch (msg) {
  case WM_NOTIFY: return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
  case WM_COMMAND: return OnCommand(wParam, lParam);
  case WM_DESTROY: return OnDestroy();
  }
  return CPage::WindowProc(msg, wParam, lParam);
}

LRESULT CScreensaversDialog::OnNotify(const NMHDR* header) {
  if (header->idFrom == IDC_SCREENSAVER_LIST && header->code == LVN_ITEMCHANGED)
    return OnItemChangedList(reinterpret_cast<const NMLISTVIEW*>(header));
  return Default();
}

LRESULT CScreensaversDialog::OnItemChangedList(const NMLISTVIEW* change) {
  if (m_bFilling)
    return SetNotifyResult(0);
  PostMessageA(m_hWnd, g_uItemListChangeMsg, change->iItem, change->iSubItem);
  return SetNotifyResult(0);
}

LRESULT CScreensaversDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
  case IDC_WAIT_MINUTES:
    if (HIWORD(wParam) == EN_CHANGE)
      return OnChangeWait(), 0;
    break;
  case IDC_SETTINGS:
    if (HIWORD(wParam) == BN_CLICKED)
      return OnSettings(), 0;
    break;
  case IDC_PREVIEW:
    if (HIWORD(wParam) == BN_CLICKED)
      return OnPreview(), 0;
    break;
  }
  return CPage::WindowProc(WM_COMMAND, wParam, lParam);
}

// The folders and the list file are read here, the version resources on
// the loader's thread; the rows shown stay until the new ones are ready.
LRESULT CScreensaversDialog::OnUpdateScreensaverList(WPARAM, LPARAM) {
  CScreensaverArray entries;
  m_bAdditionalRead = BuildScreensaverList(entries);
  m_loader->Start(std::move(entries));
  return 0;
}

// The check marks come from the disabled list as it is now, which a click
// on the old rows may have rewritten while the names were being read.
LRESULT CScreensaversDialog::OnCatalogueBuilt(WPARAM wParam, LPARAM) {
  CScreensaverArray list;
  if (!m_loader->Take(wParam, list))
    return 0;
  m_bListsRead = ApplyDisabledList(list) && m_bAdditionalRead;
  CheckAllWhenNoneChecked(list);
  m_screensavers = std::move(list);
  FillList();
  // The refill's rows send no change notices: leave the old selection and
  // its preview here rather than wait for one.
  m_nSelected = -1;
  StopPreview();
  UpdateSelectionControls();
  return 0;
}

// Row i shows record i from the start; the rows come in batches.
void CScreensaversDialog::FillList() {
  m_bFilling = true;
  SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0);
  SendMessageA(m_list, LVM_SETITEMCOUNT, m_screensavers.size(), 0);
  m_bFilling = false;
  m_nFilled = 0;
  FillRows();
}

LRESULT CScreensaversDialog::OnFillRows() {
  m_bFillPosted = false;
  FillRows();
  return 0;
}

// One batch, drawn once at its end: a row drawn as it comes costs a
// thousand times more. The rows' own change notices are not needed: the
// refill leaves the page without a selection by itself.
void CScreensaversDialog::FillRows() {
  size_t end = std::min(m_screensavers.size(), m_nFilled + kRowsPerBatch);
  m_bFilling = true;
  SendMessageA(m_list, WM_SETREDRAW, FALSE, 0);
  for (; m_nFilled < end; ++m_nFilled) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(m_nFilled);
    item.pszText = const_cast<char*>(m_screensavers[m_nFilled].strName.c_str());
    SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    SetRowChecked(static_cast<int>(m_nFilled), m_screensavers[m_nFilled].bEnabled);
  }
  SendMessageA(m_list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(m_list, nullptr, TRUE);
  m_bFilling = false;
  if (m_nFilled < m_screensavers.size() && !m_bFillPosted)
    m_bFillPosted = PostMessageA(m_hWnd, g_uFillRowsMsg, 0, 0) != FALSE;
}

LRESULT CScreensaversDialog::OnItemListChange(WPARAM row, LPARAM subItem) {
  if (m_bFilling)
    return 0;
  m_nSelected = static_cast<int>(SendMessageA(m_list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  if (m_nSelected != -1)
    StartPreview();
  else
    StopPreview();
  UpdateSelectionControls();
  int index = static_cast<int>(row);
  if (subItem == 0 && index >= 0 && static_cast<size_t>(index) < m_nFilled)
    HandleCheckChange(index);
  return 0;
}

// At least one row stays checked. The flag is restored before the check
// box, so the change that re-checking causes finds nothing to do. A change
// the file does not take is undone, or the next rebuild would undo it
// unseen.
void CScreensaversDialog::HandleCheckChange(int row) {
  bool checked = IsRowChecked(row);
  if (checked == m_screensavers[row].bEnabled)
    return;
  if (!m_bListsRead && !CatchUpWithListFiles(row, checked))
    return;
  m_screensavers[row].bEnabled = checked;
  if (CountCheckedRows() == 0) {
    m_screensavers[row].bEnabled = true;
    SetRowChecked(row, true);
    AppMessageBox(m_hWnd, "You must keep at least one item checked.", MB_OK);
  }
  if (!WriteDisabledScreensavers(m_screensavers)) {
    DWORD error = GetLastError();
    m_screensavers[row].bEnabled = !checked;
    SetRowChecked(row, !checked);
    ShowListNotSaved(m_hWnd, kCheckedList, error);
  }
}

// The rows were filled while another process kept a list file open, so
// they may show unchecked screensavers as checked: writing them would lose
// the user's other choices. The list files alone are read again, the names
// known kept, and the rows refilled before the change is taken; paths newly
// listed show their file names until the loader has named them. When the
// files still cannot be read, the change is undone.
bool CScreensaversDialog::CatchUpWithListFiles(int& row, bool checked) {
  CScreensaverArray fresh;
  if (!UpdateFromListFiles(m_screensavers, fresh)) {
    SetRowChecked(row, !checked);
    ShowListBusy(m_hWnd, kCheckedList);
    return false;
  }
  m_bAdditionalRead = true;
  // Its result comes after the change below is written, and so shows it.
  if (std::any_of(fresh.begin(), fresh.end(), [](const auto& e) { return e.strName.empty(); })) {
    m_loader->Start(fresh);
    for (ScreensaverInfo& entry : fresh)
      if (entry.strName.empty())
        entry.strName = StripScreensaverSuffix(GetScreensaverTitle(entry.strPath));
    SortByDisplayName(fresh);
  }
  std::string path = m_screensavers[row].strPath;
  m_screensavers = std::move(fresh);
  m_bListsRead = true;
  row = -1;
  for (size_t i = 0; i < m_screensavers.size() && row == -1; ++i)
    if (PathsEqual(m_screensavers[i].strPath, path))
      row = static_cast<int>(i);
  if (row != -1)
    m_screensavers[row].bEnabled = checked;
  FillList();
  m_nSelected = -1;
  StopPreview();
  UpdateSelectionControls();
  return row != -1;
}

void CScreensaversDialog::UpdateSelectionControls() {
  bool selected = m_nSelected != -1;
  for (int id : {IDC_SETTINGS, IDC_PREVIEW, IDC_PATH})
    EnableWindow(GetDlgItem(id), selected);
  std::string label = kLocationLabel;
  if (selected)
    label += "  " + m_screensavers[m_nSelected].strPath;
  ::SetWindowTextA(GetDlgItem(IDC_PATH), label.c_str());
}

// Any state image but the unchecked one counts as checked.
bool CScreensaversDialog::IsRowChecked(int row) const {
  UINT state = static_cast<UINT>(SendMessageA(m_list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
  return state != INDEXTOSTATEIMAGEMASK(1);
}

void CScreensaversDialog::SetRowChecked(int row, bool checked) {
  LVITEMA item = {};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  SendMessageA(m_list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// The records, as the rows show them or will once all are in.
int CScreensaversDialog::CountCheckedRows() const {
  return static_cast<int>(
      std::count_if(m_screensavers.begin(), m_screensavers.end(),
                    [](const ScreensaverInfo& entry) { return entry.bEnabled; }));
}

// Changes from the up-down control arrive here as well as typing.
void CScreensaversDialog::OnChangeWait() {
  if (!m_bInitialised)
    return;
  if (UpdateData(TRUE))
    SetScreenSaveTimeOut(m_nWaitMinutes);
}

LRESULT CScreensaversDialog::OnDestroy() {
  StopPreview();
  return CPage::WindowProc(WM_DESTROY, m_wParam, m_lParam);
}

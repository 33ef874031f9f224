// The main window's set-up, its tab pages and its life as a dialog: what it
// does on initialisation, painting, resizing, tab changes and destruction,
// and how OK, Cancel and Escape are kept from closing it.
#include "app/manager_dialog.h"

#include "catalogue/settings.h"
#include "controls/toolkit_resources.h"
#include "framework/ddx.h"
#include "framework/dpi.h"
#include "pages/about_dialog.h"
#include "pages/additional_screensavers_dialog.h"
#include "pages/general_settings_dialog.h"
#include "pages/screensavers_dialog.h"
#include "resource.h"

#include <commctrl.h>

UINT g_uUpdateScreensaverListMsg = 0;

namespace {

const COLORREF kPageBackground = RGB(252, 252, 254);

} // namespace

CManagerDialog::CManagerDialog() : CDialog(IDD_MANAGER) {}

void CManagerDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDCANCEL, m_btnCancel);
  DDX_Control(dx, IDOK, m_btnHide);
  DDX_Control(dx, IDC_HELPBTN, m_btnHelp);
  DDX_Control(dx, IDC_TAB, m_tab);
}

BOOL CManagerDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowIcons();
  g_uUpdateScreensaverListMsg = RegisterWindowMessageA("Norvane_UpdateScreensaverList");
  AddTabs();
  SendMessageA(m_tab, TCM_SETCURSEL, 0, 0);
  CreatePages();
  LayoutPages();
  ShowPage(0);

  m_trayIcon.Create("Norvane", m_hWnd, IDR_MAINFRAME, IDR_TRAYMENU, ID_TRAY_OPEN_MANAGER, false);
  m_coolMenu.Install(m_hWnd);
  const ToolkitResources& resources = GetToolkitResources();
  m_coolMenu.AddImage(ID_TRAY_OPEN_MANAGER,
                      LoadIconOfSize(IDR_MAINFRAME, resources.cxSmIcon, resources.cySmIcon));
  GetToolkitResources().bMenuImages = true;
  GetToolkitResources().bMenuCheckOrImage = true;

  if (m_bStartHidden)
    HideManager();
  bool allowed = GetEnableExeScreensavers();
  SetScreenSaveActive(allowed);
  if (!allowed)
    m_trayIcon.SetIcon(IDI_FORBIDDEN);
  return TRUE;
}

// The caption's and the task switcher's icons, each drawn for the size the
// window's scale asks for.
void CManagerDialog::SetWindowIcons() {
  UINT dpi = Dpi();
  m_hIcon.reset(
      LoadIconOfSize(IDR_MAINFRAME, MetricForDpi(SM_CXICON, dpi), MetricForDpi(SM_CYICON, dpi)));
  m_hSmallIcon.reset(LoadIconOfSize(IDR_MAINFRAME, MetricForDpi(SM_CXSMICON, dpi),
                                    MetricForDpi(SM_CYSMICON, dpi)));
  SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon.get()));
  SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon.get()));
}

// The window moved to a monitor of another scale: its controls already
// stand there; the pages, the icons and what each page drew itself follow.
void CManagerDialog::OnScaleChanged(UINT) {
  SetWindowIcons();
  LayoutPages();
  for (auto& page : m_pPages)
    if (page)
      page->ApplyScale(Dpi());
}

// Inserted at the front one by one, so the last one inserted is tab 0.
void CManagerDialog::AddTabs() {
  for (const char* label :
       {"About", "General Settings", "Addional Screensavers", "Screensaver Settings"}) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(label);
    SendMessageA(m_tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
}

// The pages live inside the tab control; as a control parent it lets Tab
// and the dialog keys walk on into the pages' controls.
void CManagerDialog::CreatePages() {
  SetWindowLongPtrA(m_tab, GWL_EXSTYLE,
                    GetWindowLongPtrA(m_tab, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  m_pPages[0] = std::make_unique<CScreensaversDialog>();
  m_pPages[1] = std::make_unique<CAdditionalScreensaversDialog>();
  m_pPages[2] = std::make_unique<CGeneralSettingsDialog>();
  m_pPages[3] = std::make_unique<CAboutDialog>();
  for (auto& page : m_pPages)
    page->Create(m_tab);
  for (auto& page : m_pPages)
    page->SetBackgroundColor(kPageBackground);
}

CScreensaversDialog* CManagerDialog::SettingsPage() const {
  return static_cast<CScreensaversDialog*>(m_pPages[0].get());
}

// The Additional Screensavers tab leaves the preview running behind it;
// the two others have no use for it.
void CManagerDialog::ShowPage(int index) {
  if (index < 0 || index >= kPageCount || !m_pPages[index])
    return;
  if (index >= 2)
    SettingsPage()->StopPreview();
  for (int i = 0; i < kPageCount; ++i)
    ShowWindow(*m_pPages[i], i == index ? SW_SHOWNORMAL : SW_HIDE);
}

LRESULT CManagerDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_uUpdateScreensaverListMsg && msg == g_uUpdateScreensaverListMsg)
    return OnUpdateScreensaverList(wParam, lParam);
  switch (msg) {
  case WM_PAINT: return OnPaint();
  case WM_QUERYDRAGICON: return OnQueryDragIcon();
  case WM_NOTIFY: return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
  case WM_DESTROY: return OnDestroy();
  case WM_SIZE: return OnSize();
  case WM_COMMAND: return OnCommand(wParam, lParam);
  case WM_HELP: return OpenHelp(), TRUE;
  case WM_TRAY_NOTIFY: return OnTrayNotification(wParam, lParam);
  }
  return CDialog::WindowProc(msg, wParam, lParam);
}

// Minimised, the window shows its icon in the middle of the client area.
LRESULT CManagerDialog::OnPaint() {
  if (!IsIconic(m_hWnd))
    return Default();
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(m_hWnd, &paint);
  SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(m_hWnd, &client);
  int x = (client.right - client.left - MetricForDpi(SM_CXICON, Dpi()) + 1) / 2;
  int y = (client.bottom - client.top - MetricForDpi(SM_CYICON, Dpi()) + 1) / 2;
  DrawIcon(dc, x, y, m_hIcon.get());
  EndPaint(m_hWnd, &paint);
  return 0;
}

LRESULT CManagerDialog::OnQueryDragIcon() { return reinterpret_cast<LRESULT>(m_hIcon.get()); }

LRESULT CManagerDialog::OnNotify(const NMHDR* header) {
  if (header->idFrom != IDC_TAB || header->code != TCN_SELCHANGE)
    return Default();
  ShowPage(static_cast<int>(SendMessageA(m_tab, TCM_GETCURSEL, 0, 0)));
  return SetNotifyResult(0);
}

LRESULT CManagerDialog::OnDestroy() {
  for (auto& page : m_pPages) {
    if (page)
      page->DestroyWindow();
    page.reset();
  }
  return Default();
}

LRESULT CManagerDialog::OnSize() {
  LRESULT result = Default();
  LayoutPages();
  return result;
}

// The pages fill the tab control below its row of tabs.
void CManagerDialog::LayoutPages() {
  if (!m_pPages[0])
    return;
  RECT client, item = {};
  GetClientRect(m_tab, &client);
  SendMessageA(m_tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  RECT area = {client.left + 1, client.top + (item.bottom - item.top) + 3, client.right - 3,
               client.bottom - 3};
  for (auto& page : m_pPages)
    MoveWindow(*page, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

LRESULT CManagerDialog::OnUpdateScreensaverList(WPARAM wParam, LPARAM lParam) {
  if (m_pPages[0])
    PostMessageA(*m_pPages[0], g_uUpdateScreensaverListMsg, wParam, lParam);
  return 0;
}

// Every way of closing the window only hides it; the tray's Close command
// sets the flag that lets the dialog really end.
void CManagerDialog::OnOK() {
  if (m_bExitRequested)
    CDialog::OnOK();
  else
    HideManager();
}

void CManagerDialog::OnCancel() {
  if (m_bExitRequested)
    CDialog::OnCancel();
  else
    HideManager();
}

// Escape must not act as Cancel: it would hide the window.
BOOL CManagerDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE)
    return FALSE;
  return CDialog::PreTranslateMessage(msg);
}

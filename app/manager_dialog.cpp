// The main window.
#include "app/manager_dialog.h"

#include "catalogue/settings.h"
#include "resource.h"

CManagerDialog::CManagerDialog()
    : CDialog(IDD_MANAGER),
      m_hIcon(
          static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                        IMAGE_ICON, 0, 0, LR_DEFAULTSIZE))) {}

BOOL CManagerDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon.get()));
  SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon.get()));
  if (m_bStartHidden)
    HideManager();
  SetScreenSaveActive(GetEnableExeScreensavers());
  return TRUE;
}

void CManagerDialog::HideManager() {
  m_bShowAfterInit = false;
  ShowWindow(m_hWnd, SW_HIDE);
}

void CManagerDialog::OnOK() {
  if (m_bExitRequested)
    EndDialog(IDOK);
  else
    HideManager();
}

void CManagerDialog::OnCancel() {
  if (m_bExitRequested)
    EndDialog(IDCANCEL);
  else
    HideManager();
}

// Escape must not act as Cancel: it would hide the window.
BOOL CManagerDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE)
    return FALSE;
  return CDialog::PreTranslateMessage(msg);
}

LRESULT CManagerDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  return CDialog::WindowProc(msg, wParam, lParam);
}

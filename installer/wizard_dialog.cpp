// The header band and icons of the setup's dialogs.
#include "wizard_dialog.h"

#include "setup_resource.h"

namespace {

bool IsInHeader(HWND control) {
  switch (GetDlgCtrlID(control)) {
  case IDC_HEADER:
  case IDC_HEADER_TITLE:
  case IDC_HEADER_TEXT:
  case IDC_HEADER_ICON: return true;
  }
  return false;
}

HICON LoadSetupIcon(int sizeMetric) {
  int size = GetSystemMetrics(sizeMetric);
  // Shared icons belong to the system, which frees them with the module.
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP),
                                       IMAGE_ICON, size, size, LR_SHARED));
}

} // namespace

BOOL CWizardDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadSetupIcon(SM_CXICON)));
  SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(LoadSetupIcon(SM_CXSMICON)));

  HWND title = GetDlgItem(IDC_HEADER_TITLE);
  LOGFONTA font = {};
  HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(title, WM_GETFONT, 0, 0));
  if (dialogFont && GetObjectA(dialogFont, sizeof font, &font)) {
    font.lfWeight = FW_BOLD;
    m_fontTitle.reset(CreateFontIndirectA(&font));
    SendMessageA(title, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontTitle.get()), TRUE);
  }
  return TRUE;
}

LRESULT CWizardDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_CTLCOLORSTATIC:
    return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  }
  return CDialog::WindowProc(msg, wParam, lParam);
}

// The header's texts and icon stand on the band's window colour.
LRESULT CWizardDialog::OnCtlColorStatic(HDC dc, HWND control) {
  if (!IsInHeader(control))
    return CDialog::WindowProc(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(control));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

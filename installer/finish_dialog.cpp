// The finish dialog. Closing it by its close box starts nothing.
#include "finish_dialog.h"

#include "setup_resource.h"

CFinishDialog::CFinishDialog() : CWizardDialog(IDD_FINISH) {}

BOOL CFinishDialog::OnInitDialog() {
  CWizardDialog::OnInitDialog();
  CheckDlgButton(m_hWnd, IDC_START_NOW, m_bStartNow ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void CFinishDialog::OnOK() {
  m_bStartNow = IsDlgButtonChecked(m_hWnd, IDC_START_NOW) == BST_CHECKED;
  EndDialog(IDOK);
}

void CFinishDialog::OnCancel() {
  m_bStartNow = false;
  EndDialog(IDCANCEL);
}

// The destination dialog: folder, Browse, Install, Cancel.
#include "setup_dialog.h"

#include "catalogue/screensaver.h"
#include "framework/ddx.h"
#include "install.h"
#include "install_flow.h"
#include "setup_messages.h"
#include "setup_resource.h"

#include <shlobj.h>

namespace {

const char kNotAFolder[] =
    "Please enter the full path of a folder, such as C:\\Program Files\\Norvane.";

// Starts the folder browser at the folder in the edit box.
int CALLBACK BrowseCallback(HWND browser, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED)
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

// A chosen folder gets a Norvane folder of its own, unless it is one.
std::string InstallFolderIn(std::string chosen) {
  RemoveTrailingBackslashes(chosen);
  if (PathsEqual(GetFileNameFromPath(chosen), "Norvane"))
    return chosen;
  return chosen + "\\Norvane";
}

} // namespace

CSetupDialog::CSetupDialog(const std::string& folder)
    : CWizardDialog(IDD_SETUP), m_strFolder(folder) {}

void CSetupDialog::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, IDC_FOLDER, m_editFolder); }

BOOL CSetupDialog::OnInitDialog() {
  CWizardDialog::OnInitDialog();
  SendMessageA(m_editFolder, EM_LIMITTEXT, MAX_PATH - 1, 0);
  m_editFolder.SetWindowText(m_strFolder);
  OnFolderChange();
  return TRUE;
}

LRESULT CSetupDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_COMMAND: return OnCommand(wParam, lParam);
  }
  return CWizardDialog::WindowProc(msg, wParam, lParam);
}

LRESULT CSetupDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
  case IDC_BROWSE_FOLDER:
    if (HIWORD(wParam) == BN_CLICKED)
      return OnBrowse(), 0;
    break;
  case IDC_FOLDER:
    if (HIWORD(wParam) == EN_CHANGE)
      return OnFolderChange(), 0;
    break;
  }
  return CWizardDialog::WindowProc(WM_COMMAND, wParam, lParam);
}

void CSetupDialog::OnFolderChange() {
  EnableWindow(GetDlgItem(IDOK), GetWindowTextLengthA(m_editFolder) > 0);
}

void CSetupDialog::OnBrowse() {
  char chosen[MAX_PATH] = {};
  std::string current = m_editFolder.GetWindowText();
  BROWSEINFOA info = {};
  info.hwndOwner = m_hWnd;
  info.pszDisplayName = chosen;
  info.lpszTitle = "Select the folder to install Norvane in:";
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = &BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(current.c_str());
  LPITEMIDLIST item = SHBrowseForFolderA(&info);
  if (!item)
    return;
  bool isFolder = SHGetPathFromIDListA(item, chosen) != FALSE;
  CoTaskMemFree(item);
  if (isFolder)
    m_editFolder.SetWindowText(InstallFolderIn(chosen));
}

// Install: the dialog stays up, its buttons off, while the files are written.
void CSetupDialog::OnOK() {
  std::string folder;
  if (!NormalizeFolder(m_editFolder.GetWindowText(), &folder)) {
    SetupMessageBox(m_hWnd, kNotAFolder, MB_OK | MB_ICONEXCLAMATION);
    SetFocus(m_editFolder);
    return;
  }
  for (int id : {IDOK, IDCANCEL, IDC_BROWSE_FOLDER, IDC_FOLDER})
    EnableWindow(GetDlgItem(id), FALSE);
  HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  SetupResult result = RunInstall(m_hWnd, folder, false);
  SetCursor(previous);
  m_strFolder = folder;
  EndDialog(result);
}

void CSetupDialog::OnCancel() { EndDialog(kSetupCancelled); }

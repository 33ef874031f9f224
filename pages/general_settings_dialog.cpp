// The General Settings page: two settings shown as check boxes, each with
// its explanation, written whole on every click.
#include "pages/general_settings_dialog.h"

#include "catalogue/settings.h"
#include "framework/ddx.h"
#include "framework/handle.h"

namespace {

const char kStartupText[] =
    "This option starts the Norvane when Windows starts.  The manager will be accessible through "
    "the tray icon on the taskbar.  This option is required if you want to quickly enable/disable "
    "your screensaver through the taskbar icon.  The manager can be manually started later "
    "through the Windows start menu.";
const char kDefaultText[] =
    "This option ensures that the Norvane manages all selected screensavers.  If you install "
    "another screensaver and this option is not checked,  the manager will not start your "
    "screensavers randomly.";

const char kPolicyText[] =
    "A policy of this computer sets the screensaver: Windows follows it, not this choice.";

// Policy values for these two desktop values override the user's: Windows
// then never runs the screensaver this page makes the default.
bool ScreensaverPolicySet() {
  RegKey policies;
  if (RegOpenKeyExA(HKEY_CURRENT_USER,
                    "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop", 0,
                    KEY_QUERY_VALUE, policies.put()) != ERROR_SUCCESS)
    return false;
  for (const char* name : {"SCRNSAVE.EXE", "ScreenSaveActive"})
    if (RegQueryValueExA(policies.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
      return true;
  return false;
}

} // namespace

void CGeneralSettingsDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_DEFAULT_TEXT, m_textDefault);
  DDX_Control(dx, IDC_STARTUP_TEXT, m_textStartup);
}

BOOL CGeneralSettingsDialog::OnInitDialog() {
  CPage::OnInitDialog();
  CheckDlgButton(m_hWnd, IDC_START_WITH_WINDOWS,
                 GetStartWindowsStart() ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(m_hWnd, IDC_MAKE_DEFAULT,
                 GetMakeDefaultScreensaver() ? BST_CHECKED : BST_UNCHECKED);
  m_textStartup.SetWindowText(kStartupText);
  m_textDefault.SetWindowText(kDefaultText);
  if (ScreensaverPolicySet()) {
    HWND policy = ::GetDlgItem(m_hWnd, IDC_POLICY_TEXT);
    ::SetWindowTextA(policy, kPolicyText);
    ::ShowWindow(policy, SW_SHOW);
  }
  return TRUE;
}

LRESULT CGeneralSettingsDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_COMMAND: return OnCommand(wParam, lParam);
  }
  return CPage::WindowProc(msg, wParam, lParam);
}

LRESULT CGeneralSettingsDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
  case IDC_START_WITH_WINDOWS:
  case IDC_MAKE_DEFAULT:
  case IDC_SHOW_TRAY_ICON:
    if (HIWORD(wParam) == BN_CLICKED)
      return SaveSettings(), 0;
  }
  return CPage::WindowProc(WM_COMMAND, wParam, lParam);
}

// Both values on every click, whichever box it was: a value never stored
// before becomes stored with what its box shows.
void CGeneralSettingsDialog::SaveSettings() {
  SetStartWindowsStart(IsDlgButtonChecked(m_hWnd, IDC_START_WITH_WINDOWS) != BST_UNCHECKED);
  SetMakeDefaultScreensaver(IsDlgButtonChecked(m_hWnd, IDC_MAKE_DEFAULT) != BST_UNCHECKED);
}

// Start-up: registry key, single instance, "/start", proxy registration,
// then the main window, modally, until the tray's Close command.
#include "app/manager_app.h"

#include "app/command_line.h"
#include "app/manager_dialog.h"
#include "catalogue/settings.h"
#include "common/instance_mutex.h"

#include <commctrl.h>

#include <memory>

namespace {

const char kAlreadyRunning[] =
    "Norvane is already running. You cannot run more than one instance.  You can access the "
    "Norvane through the icon on the tray menu.";

} // namespace

BOOL CManagerApp::InitInstance() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  SetRegistryKey("Tessaly");

  if (IsAlreadyRunning()) {
    AppMessageBox(kAlreadyRunning, MB_OK | MB_ICONINFORMATION);
    return FALSE;
  }

  auto dialog = std::make_unique<CManagerDialog>();
  CStringArray tokens;
  SplitCommandLine(CommandLine(), tokens);
  if (IsStartSwitch(tokens)) {
    if (!GetStartWindowsStart())
      return FALSE;
    dialog->m_bStartHidden = true;
  }

  if (GetMakeDefaultScreensaver())
    SetDefaultScreensaver();

  m_pMainWnd = dialog.get();
  dialog->DoModal();
  m_pMainWnd = nullptr;
  return FALSE;
}

// The mutex handle stays open for the life of the process: that is what
// keeps a second instance out.
BOOL CManagerApp::IsAlreadyRunning() {
  CreateMutexA(nullptr, FALSE, kInstanceMutex);
  DWORD error = GetLastError();
  return error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
}

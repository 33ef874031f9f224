// The setup program's application object: reads the command line and runs
// an install (the wizard's two dialogs, or silently) or a removal; its
// exit code is the SetupResult.
#pragma once

#include "framework/app.h"
#include "setup_result.h"

class CSetupApp : public CWinApp {
public:
  // The manager's name, so that the profile functions reach its key.
  CSetupApp() : CWinApp("Norvane") {}
  BOOL InitInstance() override;
  int ExitInstance() override { return m_nResult; }

private:
  SetupResult InstallInteractively(const std::string& folder);
  SetupResult InstallSilently(const std::string& folder);

  SetupResult m_nResult = kSetupDone;
};

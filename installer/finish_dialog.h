// The setup's last dialog: "Norvane has been installed." with the offer to
// start it at once, checked.
#pragma once

#include "wizard_dialog.h"

class CFinishDialog : public CWizardDialog {
public:
  CFinishDialog();

  // Whether the user left "Start Norvane now" checked and clicked Finish.
  bool m_bStartNow = true;

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
};

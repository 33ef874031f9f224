// The setup's first dialog, "Norvane Setup": the destination folder, which
// the user may type or browse for, and the Install button, which installs
// while the dialog stays on screen. DoModal gives the SetupResult.
#pragma once

#include "wizard_dialog.h"

#include <string>

class CSetupDialog : public CWizardDialog {
public:
  explicit CSetupDialog(const std::string& folder);

  // The folder installed into, as recorded.
  const std::string& Folder() const { return m_strFolder; }

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;

private:
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  void OnBrowse();
  void OnFolderChange();

  CWnd m_editFolder;
  std::string m_strFolder;
};

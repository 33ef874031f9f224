// The main window: dialog 102, hidden into the notification area instead of
// closed.
#pragma once

#include "framework/dialog.h"
#include "framework/handle.h"

class CManagerDialog : public CDialog {
public:
  CManagerDialog();

  bool m_bStartHidden = false;

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void HideManager();

  bool m_bExitRequested = false;
  IconHandle m_hIcon;
};

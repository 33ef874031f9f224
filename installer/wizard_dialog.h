// The look that the setup's dialogs share, that of a setup wizard page: the
// product icon in the title bar, and a white header band with a bold title,
// a line of explanation and the product icon.
#pragma once

#include "framework/dialog.h"
#include "framework/handle.h"

class CWizardDialog : public CDialog {
public:
  explicit CWizardDialog(UINT templateId) : CDialog(templateId) {}

protected:
  BOOL OnInitDialog() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  LRESULT OnCtlColorStatic(HDC dc, HWND control);

  FontHandle m_fontTitle;
};

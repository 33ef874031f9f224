// Dialog data exchange: binds controls to members and moves values between
// the controls and the members, with the framework's validation prompts.
#pragma once

#include "framework/wnd.h"

class CDataExchange {
public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate)
      : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;

  // The control that the next prompt sends the user back to.
  HWND PrepareEditCtrl(int id);
  // Shows the prompt, returns the focus to the last control with its text
  // selected, and makes every later exchange of this pass a no-op.
  void Fail(const std::string& prompt);
  bool Failed() const { return m_bFailed; }

private:
  HWND m_hWndLastControl = nullptr;
  bool m_bFailed = false;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);

// The framework's reading of an integer: blanks and tabs around an optional
// sign and decimal digits; anything else is not an integer.
bool ParseDialogInt(const std::string& text, int* value);

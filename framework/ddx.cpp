// Dialog data exchange for controls and integers.
#include "framework/ddx.h"

#include "framework/app.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

HWND CDataExchange::PrepareEditCtrl(int id) {
  m_hWndLastControl = GetDlgItem(m_pDlgWnd->m_hWnd, id);
  return m_hWndLastControl;
}

void CDataExchange::Fail(const std::string& prompt) {
  m_bFailed = true;
  AppMessageBox(m_pDlgWnd->m_hWnd, prompt, MB_OK | MB_ICONEXCLAMATION);
  if (m_hWndLastControl) {
    SetFocus(m_hWndLastControl);
    SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (!control.m_hWnd)
    control.BindControl(GetDlgItem(dx->m_pDlgWnd->m_hWnd, id));
}

bool ParseDialogInt(const std::string& text, int* value) {
  const char* p = text.c_str();
  while (*p == ' ' || *p == '\t')
    ++p;
  char* end = nullptr;
  errno = 0;
  long long parsed = strtoll(p, &end, 10);
  if (end == p)
    return false;
  while (*end == ' ' || *end == '\t')
    ++end;
  if (*end != '\0')
    return false;
  // Out-of-range text clamps, so that a huge number reads as out of range
  // rather than as not a number.
  if (parsed > INT_MAX)
    parsed = INT_MAX;
  if (parsed < INT_MIN)
    parsed = INT_MIN;
  *value = static_cast<int>(parsed);
  return true;
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
  if (dx->Failed())
    return;
  HWND edit = dx->PrepareEditCtrl(id);
  if (!dx->m_bSaveAndValidate) {
    SetWindowTextA(edit, std::to_string(value).c_str());
    return;
  }
  // Read whole: a long text cut short could read as a number it is not.
  std::string text(GetWindowTextLengthA(edit) + 1, '\0');
  text.resize(GetWindowTextA(edit, &text[0], static_cast<int>(text.size())));
  if (!ParseDialogInt(text, &value))
    dx->Fail("Please enter an integer.");
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
  if (dx->Failed() || !dx->m_bSaveAndValidate)
    return;
  if (value < minValue || value > maxValue)
    dx->Fail("Please enter an integer between " + std::to_string(minValue) + " and " +
             std::to_string(maxValue) + ".");
}

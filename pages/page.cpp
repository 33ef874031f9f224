// The pages' common colour handling.
#include "pages/page.h"

LRESULT CPage::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_CTLCOLORMSGBOX:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX:
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORDLG:
  case WM_CTLCOLORSCROLLBAR:
  case WM_CTLCOLORSTATIC: return OnCtlColor(msg, wParam, lParam);
  }
  return CDialog::WindowProc(msg, wParam, lParam);
}

// The page and all its controls, whatever their kind, sit on the page's
// colour with their text drawn transparently over it. A control of ours
// that colours its own text (a link, in its normal, hover or visited
// colour) is asked first; the background stays the page's.
LRESULT CPage::OnCtlColor(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT ignored = 0;
  ReflectToChild(msg, wParam, lParam, &ignored);
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetBkMode(dc, TRANSPARENT);
  if (!m_brBackground)
    m_brBackground.reset(CreateSolidBrush(m_crBackground));
  return reinterpret_cast<LRESULT>(m_brBackground.get());
}

// Escape must never cancel or hide a page; it goes on to normal dispatch.
BOOL CPage::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE)
    return FALSE;
  return CDialog::PreTranslateMessage(msg);
}

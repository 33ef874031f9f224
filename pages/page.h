// What the four tab pages of the main window share: a modeless child
// dialog that the main window creates inside its tab control, painted in
// one background colour that the main window gives it.
#pragma once

#include "framework/dialog.h"
#include "framework/handle.h"

class CPage : public CDialog {
public:
  explicit CPage(UINT templateId) : CDialog(templateId) {}

  // Takes effect only before the page is first painted: the brush is made
  // from the colour at the first colour request and kept.
  void SetBackgroundColor(COLORREF color) { m_crBackground = color; }

  BOOL PreTranslateMessage(MSG* msg) override;

protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnCtlColor(UINT msg, WPARAM wParam, LPARAM lParam);

  COLORREF m_crBackground = 0;

private:
  BrushHandle m_brBackground;
};

// A static text control of a dialog turned into a web link: underlined
// text in a link colour, a pointing hand and a hover colour while the
// cursor is over the text, a tooltip with the address, and a click on the
// text that hands the address to the shell.
#pragma once

#include "framework/handle.h"
#include "framework/wnd.h"

#include <string>

// The toolkit's private message that finishes a control's set-up once it
// has a window.
constexpr UINT DeferredInitMessage = 0x89DE;

class CHyperLink : public CWnd {
public:
  static constexpr COLORREF kSystemFill = 0xFFFFFFFF;

  CHyperLink();

  virtual void SetTarget(const std::string& target);
  virtual std::string GetTarget() const { return m_strTarget; }
  virtual void SetTextColors(COLORREF normal, COLORREF visited, COLORREF hover);
  virtual COLORREF GetNormalTextColor() const { return m_crNormal; }
  virtual COLORREF GetVisitedTextColor() const { return m_crVisited; }
  virtual COLORREF GetHoverTextColor() const { return m_crHover; }
  virtual void SetVisitedFlag(bool visited);
  virtual bool GetVisitedFlag() const { return m_bVisitedFlag; }
  virtual void SetHandCursor(HCURSOR cursor) { m_hHandCursor = cursor; }
  virtual HCURSOR GetHandCursor() const { return m_hHandCursor; }
  virtual void EnableUnderline(bool underline);
  virtual bool IsUnderlineEnabled() const { return m_bUseUnderline; }
  virtual void SetFillColor(COLORREF color) { m_crFill = color; }
  // The fill colour; kSystemFill stands for the system's 3-D face colour.
  virtual COLORREF GetFillColor() const;
  // Opens the address (null: the target) with the shell's "open" verb and
  // returns the shell's answer: more than 32 means it launched.
  virtual INT_PTR OpenTarget(const char* target, int showCommand);
  // Whether the static shows text (left, centred or right) rather than an
  // image; an image counts as text all over.
  virtual bool IsTextStyle() const;
  // Whether the cursor is over the drawn text: the control's height, and
  // the text's width placed by the control's alignment.
  virtual bool IsCursorOverText() const;
  // Explains a failed launch's code in an exclamation box.
  virtual void ShowLaunchError(int code) const;
  // The link's font follows its window to a monitor of this scale.
  void SetScale(UINT dpi);

  // Bound to a dialog's static, the control finishes its set-up once the
  // dialog's own initialisation has run.
  void BindControl(HWND hwnd) override;
  BOOL PreTranslateMessage(MSG* msg) override;

protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnNcDestroyed() override { m_tipCtrl.reset(); }

private:
  LRESULT OnSetCursor();
  LRESULT OnMouseMove();
  LRESULT OnTimer();
  LRESULT OnPaint();
  LRESULT OnWindowPosChanged();
  bool OnCtlColor(HDC dc, LRESULT* result);
  bool OnClicked();
  void OnDeferredInit();
  void ApplyFont();
  void RedrawNow();

  bool m_bOpenOnClick = true;
  bool m_bInitPending = true;
  bool m_bUseUnderline = true;
  bool m_bCursorOver = false;
  bool m_bVisitedFlag = false;
  bool m_bShowTip = true;
  UINT m_dpi = 0; // 0: the scale of the window's monitor
  std::string m_strTarget;
  std::string m_strTipText;
  HCURSOR m_hHandCursor;
  COLORREF m_crNormal = RGB(0, 0, 128);
  COLORREF m_crHover = RGB(0, 0, 255);
  COLORREF m_crVisited = RGB(128, 0, 128);
  COLORREF m_crFill = kSystemFill;
  WindowHandle m_tipCtrl;
};

// The text that ShowLaunchError shows for a shell failure code.
std::string LaunchErrorText(int code);

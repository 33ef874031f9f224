// Dialogs from resource templates: modal ones with a message loop of our own
// (so that the dialog and the pages inside it see every message first, in
// PreTranslateMessage), and modeless child dialogs used as tab pages.
#pragma once

#include "framework/handle.h"
#include "framework/wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
  explicit CDialog(UINT templateId) : m_nTemplateId(templateId) {}

  // Runs the dialog until EndDialog; returns the EndDialog result, or -1
  // when the dialog could not be created.
  INT_PTR DoModal();
  // Creates the dialog as a modeless window (a child when the template says
  // so) of the given parent.
  BOOL Create(HWND parent);
  void EndDialog(INT_PTR result);

  // Moves data between the controls and the members: FALSE = to the
  // controls, TRUE = from them, with validation. FALSE when validation failed.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  BOOL PreTranslateMessage(MSG* msg) override;

  // The display scale the dialog is laid out for.
  UINT Dpi() const { return m_dpi; }
  // Tells a dialog inside this one (a page) that its controls now stand at
  // this scale; it re-does what it laid out by itself.
  void ApplyScale(UINT dpi);

protected:
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange*) {}
  virtual void OnOK();
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  // Dialog messages not handled by a derived class come here: the framework's
  // command routing for IDOK and IDCANCEL, colour requests to the control of
  // ours they are about, everything else left to the dialog manager.
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // For a dialog the default processing is the dialog manager's.
  LRESULT Default() override;
  // Sets a WM_NOTIFY result, which a dialog returns through DWLP_MSGRESULT.
  LRESULT SetNotifyResult(LRESULT result);

  // Called once the controls stand at the new scale, in their new font;
  // a dialog redoes here what it sized in pixels of its own.
  virtual void OnScaleChanged(UINT /*oldDpi*/) {}

  // Cleared by a dialog that hides itself while it initialises, so that
  // DoModal does not show it afterwards.
  bool m_bShowAfterInit = true;

private:
  static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool PreTranslateChain(MSG* msg);
  BOOL InitDialog();
  LRESULT OnDpiChanged(WPARAM wParam, const RECT* suggested);

  UINT m_nTemplateId;
  bool m_bModal = false;
  bool m_bEnded = false;
  INT_PTR m_nResult = -1;
  bool m_bDefaulted = false;
  UINT m_dpi = 96;
  // The dialog font made for a scale other than the one the dialog was
  // created at; the template's own belongs to the dialog manager.
  FontHandle m_font;
};

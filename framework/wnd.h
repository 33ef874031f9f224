// Windows owned by C++ objects. One static window procedure serves every
// class: the object arrives through the create parameter (or is attached
// when an existing control is bound), is kept in the window, and each class
// dispatches its messages in its own WindowProc switch.
#pragma once

#include <windows.h>

#include <string>

class CWnd {
public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  operator HWND() const { return m_hWnd; }

  // The object behind a window of ours (window, dialog or bound control).
  static CWnd* FromHandle(HWND hwnd);

  BOOL CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                const RECT& rect, HWND parent, UINT id);
  virtual BOOL DestroyWindow();

  // Binds an existing window (a dialog control) to this object and routes
  // its messages through WindowProc.
  BOOL SubclassWindow(HWND hwnd);
  // Binds without routing messages: the object only names the control.
  void Attach(HWND hwnd) { m_hWnd = hwnd; }
  // How dialog data exchange binds a control to this object: by name only,
  // unless the class needs the control's messages.
  virtual void BindControl(HWND hwnd) { Attach(hwnd); }

  // Keyboard messages pass through here before dispatch; TRUE eats one.
  virtual BOOL PreTranslateMessage(MSG* msg);

  std::string GetWindowText() const;
  void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  void CenterWindow();

protected:
  virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // The processing the window would get without this object.
  virtual LRESULT Default();
  // The same processing for a message of our own making.
  LRESULT DefaultWith(UINT msg, WPARAM wParam, LPARAM lParam);
  // A message that this window's parent received about it, handed back to
  // it: a command notification before the parent sees it, a colour request
  // when the parent leaves it unanswered. True when it answered in *result.
  virtual bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Hands a parent's message about a child of ours to that child.
  bool ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual void OnNcDestroyed() {}

  // The message being handled, for Default().
  UINT m_msg = 0;
  WPARAM m_wParam = 0;
  LPARAM m_lParam = 0;

private:
  friend class CDialog;
  friend const char* RegisterWndClass(UINT, HCURSOR, HBRUSH, HICON);
  void AttachObject(HWND hwnd);
  void DetachObject();
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

  WNDPROC m_pfnSuper = nullptr;
};

// A window class for plain windows, registered once per combination of
// style, cursor, background and icon (the name is derived from them).
const char* RegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                             HICON icon = nullptr);

// The window procedure shared by every window class of the program.
#include "framework/wnd.h"

#include <cstdio>
#include <map>
#include <tuple>

namespace {

const char kObjectProp[] = "Norvane.CWnd";

} // namespace

CWnd::~CWnd() {
  if (m_hWnd && FromHandle(m_hWnd) == this)
    ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<CWnd*>(GetPropA(hwnd, kObjectProp)) : nullptr;
}

void CWnd::AttachObject(HWND hwnd) {
  m_hWnd = hwnd;
  SetPropA(hwnd, kObjectProp, this);
}

void CWnd::DetachObject() {
  RemovePropA(m_hWnd, kObjectProp);
  if (m_pfnSuper) {
    SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
  }
  m_hWnd = nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                    const RECT& rect, HWND parent, UINT id) {
  HMENU menuOrId =
      (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
  HWND hwnd =
      CreateWindowExA(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, parent, menuOrId, GetModuleHandleA(nullptr), this);
  return hwnd != nullptr;
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!hwnd || FromHandle(hwnd))
    return FALSE;
  AttachObject(hwnd);
  m_pfnSuper = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
  return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

std::string CWnd::GetWindowText() const {
  int length = ::GetWindowTextLengthA(m_hWnd);
  std::string text(length + 1, '\0');
  length = ::GetWindowTextA(m_hWnd, &text[0], length + 1);
  text.resize(length > 0 ? length : 0);
  return text;
}

void CWnd::CenterWindow() {
  RECT window, area;
  GetWindowRect(m_hWnd, &window);
  HWND parent = (GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_CHILD) ? GetParent(m_hWnd) : nullptr;
  if (parent) {
    GetClientRect(parent, &area);
  } else {
    HMONITOR monitor = MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {sizeof info};
    GetMonitorInfoA(monitor, &info);
    area = info.rcWork;
  }
  int width = window.right - window.left, height = window.bottom - window.top;
  int x = area.left + (area.right - area.left - width) / 2;
  int y = area.top + (area.bottom - area.top - height) / 2;
  SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A colour request that the window leaves unanswered goes to the control.
LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC &&
      ReflectToChild(msg, wParam, lParam, &result))
    return result;
  return Default();
}

LRESULT CWnd::Default() { return DefaultWith(m_msg, m_wParam, m_lParam); }

LRESULT CWnd::DefaultWith(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper)
    return CallWindowProcA(m_pfnSuper, m_hWnd, msg, wParam, lParam);
  return DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

bool CWnd::ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND child = reinterpret_cast<HWND>(lParam);
  CWnd* wnd = FromHandle(child);
  return wnd && GetParent(child) == m_hWnd && wnd->OnChildNotify(msg, wParam, lParam, result);
}

LRESULT CWnd::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Nested messages must not clobber the outer message that Default() sees.
  auto saved = std::make_tuple(m_msg, m_wParam, m_lParam);
  m_msg = msg, m_wParam = wParam, m_lParam = lParam;
  LRESULT result = 0;
  try {
    // A control of ours sees its own notifications before its parent does.
    if (!(msg == WM_COMMAND && lParam && ReflectToChild(msg, wParam, lParam, &result)))
      result = WindowProc(msg, wParam, lParam);
  } catch (...) {
    result = Default();
  }
  std::tie(m_msg, m_wParam, m_lParam) = saved;
  return result;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CWnd* self = reinterpret_cast<CWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self)
      self->AttachObject(hwnd);
  }
  if (!self)
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  LRESULT result = self->Dispatch(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->DetachObject();
    self->OnNcDestroyed();
  }
  return result;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CWnd* self = FromHandle(hwnd);
  if (!self)
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  LRESULT result = self->Dispatch(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    self->DetachObject();
    self->OnNcDestroyed();
  }
  return result;
}

const char* RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  static std::map<std::tuple<UINT, HCURSOR, HBRUSH, HICON>, std::string> registered;
  auto key = std::make_tuple(classStyle, cursor, background, icon);
  auto found = registered.find(key);
  if (found != registered.end())
    return found->second.c_str();
  char name[96];
  snprintf(name, sizeof name, "Norvane:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
           static_cast<void*>(background), static_cast<void*>(icon));
  WNDCLASSA wc = {};
  wc.style = classStyle;
  wc.lpfnWndProc = &CWnd::StaticWndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = name;
  RegisterClassA(&wc);
  return registered.emplace(key, name).first->second.c_str();
}

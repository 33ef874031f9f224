// The hyperlink control: deferred set-up, hover tracking by a short timer,
// flicker-free painting through an off-screen bitmap, and the launch.
#include "controls/hyperlink.h"

#include "controls/toolkit_resources.h"
#include "framework/app.h"
#include "framework/dpi.h"
#include "framework/offscreen_paint.h"
#include "resource.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>

namespace {

const UINT_PTR kHoverTimer = 1;
const UINT kHoverPeriodMs = 10;

UINT LaunchErrorString(int code) {
  switch (code) {
  case 0: return IDS_LAUNCH_OUT_OF_RESOURCES;
  case ERROR_FILE_NOT_FOUND: return IDS_LAUNCH_FILE_NOT_FOUND;
  case ERROR_PATH_NOT_FOUND: return IDS_LAUNCH_PATH_NOT_FOUND;
  case SE_ERR_ACCESSDENIED: return IDS_LAUNCH_ACCESS_DENIED;
  case SE_ERR_OOM: return IDS_LAUNCH_OUT_OF_MEMORY;
  case ERROR_BAD_FORMAT: return IDS_LAUNCH_BAD_FORMAT;
  case SE_ERR_SHARE: return IDS_LAUNCH_SHARE_VIOLATION;
  case SE_ERR_ASSOCINCOMPLETE: return IDS_LAUNCH_ASSOC_INCOMPLETE;
  case SE_ERR_DDETIMEOUT: return IDS_LAUNCH_DDE_TIMEOUT;
  case SE_ERR_DDEFAIL: return IDS_LAUNCH_DDE_FAIL;
  case SE_ERR_DDEBUSY: return IDS_LAUNCH_DDE_BUSY;
  case SE_ERR_NOASSOC: return IDS_LAUNCH_NO_ASSOCIATION;
  case SE_ERR_DLLNOTFOUND: return IDS_LAUNCH_DLL_NOT_FOUND;
  }
  return IDS_LAUNCH_UNKNOWN;
}

} // namespace

std::string LaunchErrorText(int code) {
  char format[256] = {};
  LoadStringA(GetModuleHandleA(nullptr), LaunchErrorString(code), format, sizeof format);
  char text[300];
  snprintf(text, sizeof text, format, code);
  return text;
}

CHyperLink::CHyperLink() : m_hHandCursor(GetToolkitResources().hHandCursor) {}

void CHyperLink::BindControl(HWND hwnd) {
  if (SubclassWindow(hwnd))
    PostMessageA(m_hWnd, DeferredInitMessage, 0, 0);
}

void CHyperLink::SetTarget(const std::string& target) {
  m_strTarget = target;
  if (m_bInitPending)
    return;
  TOOLINFOA tool = {TTTOOLINFOA_V2_SIZE};
  tool.hwnd = GetParent(m_hWnd);
  tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
  tool.lpszText = const_cast<char*>(m_strTarget.c_str());
  SendMessageA(m_tipCtrl.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CHyperLink::SetTextColors(COLORREF normal, COLORREF visited, COLORREF hover) {
  m_crNormal = normal;
  m_crVisited = visited;
  m_crHover = hover;
  InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CHyperLink::SetVisitedFlag(bool visited) {
  m_bVisitedFlag = visited;
  InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CHyperLink::EnableUnderline(bool underline) {
  m_bUseUnderline = underline;
  ApplyFont();
  InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CHyperLink::SetScale(UINT dpi) {
  m_dpi = dpi;
  if (!m_bInitPending)
    ApplyFont();
}

void CHyperLink::ApplyFont() {
  HFONT font = GetToolkitFont(m_dpi ? m_dpi : WindowDpi(m_hWnd), m_bUseUnderline);
  SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

COLORREF CHyperLink::GetFillColor() const {
  return m_crFill == kSystemFill ? GetToolkitResources().crFace : m_crFill;
}

INT_PTR CHyperLink::OpenTarget(const char* target, int showCommand) {
  HINSTANCE result = ShellExecuteA(nullptr, "open", target ? target : m_strTarget.c_str(), nullptr,
                                   nullptr, showCommand);
  return reinterpret_cast<INT_PTR>(result);
}

bool CHyperLink::IsTextStyle() const {
  return (GetWindowLongPtrA(m_hWnd, GWL_STYLE) & 0xFF) <= SS_RIGHT;
}

bool CHyperLink::IsCursorOverText() const {
  if (!IsTextStyle())
    return true;
  std::string text = GetWindowText();
  HDC screen = GetDC(nullptr);
  HGDIOBJ oldFont =
      SelectObject(screen, reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
  SIZE extent = {};
  GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(screen, oldFont);
  ReleaseDC(nullptr, screen);

  RECT area;
  GetWindowRect(m_hWnd, &area);
  switch (GetWindowLongPtrA(m_hWnd, GWL_STYLE) & 3) {
  case SS_LEFT: area.right = area.left + extent.cx; break;
  case SS_CENTER: {
    int d = (area.right - area.left - extent.cx) / 2;
    area.left += d;
    area.right -= d;
    break;
  }
  case SS_RIGHT: area.left = area.right - extent.cx; break;
  }
  POINT cursor;
  GetCursorPos(&cursor);
  return PtInRect(&area, cursor) != FALSE;
}

void CHyperLink::ShowLaunchError(int code) const {
  MessageBeep(MB_ICONEXCLAMATION);
  AppMessageBox(LaunchErrorText(code), MB_OK | MB_ICONEXCLAMATION);
}

BOOL CHyperLink::PreTranslateMessage(MSG* msg) {
  if (!m_bInitPending && m_bShowTip)
    SendMessageA(m_tipCtrl.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
  return CWnd::PreTranslateMessage(msg);
}

LRESULT CHyperLink::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_SETCURSOR: return OnSetCursor();
  case WM_NCHITTEST: return HTCLIENT;
  case WM_MOUSEMOVE: return OnMouseMove();
  case WM_TIMER: return OnTimer();
  case WM_ERASEBKGND: return TRUE;
  case WM_PAINT: return OnPaint();
  case WM_WINDOWPOSCHANGED: return OnWindowPosChanged();
  case DeferredInitMessage: return OnDeferredInit(), 0;
  }
  return CWnd::WindowProc(msg, wParam, lParam);
}

bool CHyperLink::OnChildNotify(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
  switch (msg) {
  case WM_CTLCOLORSTATIC: return OnCtlColor(reinterpret_cast<HDC>(wParam), result);
  case WM_COMMAND: return HIWORD(wParam) == STN_CLICKED && OnClicked();
  }
  return false;
}

LRESULT CHyperLink::OnSetCursor() {
  if (!m_hHandCursor)
    m_hHandCursor = GetToolkitResources().hHandCursor;
  if (!m_hHandCursor || !IsCursorOverText())
    return Default();
  SetCursor(m_hHandCursor);
  return TRUE;
}

// Each move over the text restarts the timer, which then follows the
// cursor until it has left the text.
LRESULT CHyperLink::OnMouseMove() {
  if (IsTextStyle() && IsCursorOverText())
    SetTimer(m_hWnd, kHoverTimer, kHoverPeriodMs, nullptr);
  return Default();
}

// A tick that finds the cursor gone with the flag already clear sets it
// for one tick, so the timer stops at the latest on the tick after.
LRESULT CHyperLink::OnTimer() {
  if (IsTextStyle()) {
    if (IsCursorOverText()) {
      m_bCursorOver = true;
    } else if (m_bCursorOver) {
      KillTimer(m_hWnd, kHoverTimer);
      m_bCursorOver = false;
    } else {
      m_bCursorOver = true;
    }
    RedrawNow();
  }
  return Default();
}

// The static draws itself, in its own font and alignment, into a bitmap
// filled with the fill colour; the bitmap goes to the screen in one step.
LRESULT CHyperLink::OnPaint() {
  COffscreenPaint paint(m_hWnd);
  BrushHandle fill(CreateSolidBrush(GetFillColor()));
  FillRect(paint.Dc(), &paint.Area(), fill.get());
  DefaultWith(WM_PAINT, reinterpret_cast<WPARAM>(paint.Dc()), 0);
  return 0;
}

LRESULT CHyperLink::OnWindowPosChanged() {
  LRESULT result = Default();
  RedrawNow();
  return result;
}

void CHyperLink::RedrawNow() {
  InvalidateRect(m_hWnd, nullptr, TRUE);
  UpdateWindow(m_hWnd);
}

// Only a parent that passes its colour requests on gets the link colours.
bool CHyperLink::OnCtlColor(HDC dc, LRESULT* result) {
  if (!IsTextStyle())
    return false;
  SetTextColor(dc, m_bCursorOver ? m_crHover : m_bVisitedFlag ? m_crVisited : m_crNormal);
  SetBkMode(dc, TRANSPARENT);
  *result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  return true;
}

// True keeps the click from the parent. A failed launch clears the
// visited flag rather than leaving an old visit shown.
bool CHyperLink::OnClicked() {
  if (!IsCursorOverText())
    return false;
  if (m_bOpenOnClick) {
    m_bVisitedFlag = OpenTarget(m_strTarget.c_str(), SW_SHOW) > 32;
    return true;
  }
  m_bVisitedFlag = true;
  return false;
}

// Runs once, after the dialog's initialisation has had its chance to set
// the target: a static whose text is the address needs no target at all.
void CHyperLink::OnDeferredInit() {
  if (!m_bInitPending)
    return;
  m_bInitPending = false;
  if (IsTextStyle() && m_strTarget.empty())
    m_strTarget = GetWindowText();
  SetWindowLongPtrA(m_hWnd, GWL_STYLE, GetWindowLongPtrA(m_hWnd, GWL_STYLE) | SS_NOTIFY);
  if (m_strTipText.empty())
    m_strTipText = m_strTarget;

  m_tipCtrl.reset(CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                  GetModuleHandleA(nullptr), nullptr));
  TOOLINFOA tool = {TTTOOLINFOA_V2_SIZE};
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = GetParent(m_hWnd);
  tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
  tool.lpszText = const_cast<char*>(m_strTipText.c_str());
  SendMessageA(m_tipCtrl.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(m_tipCtrl.get(), TTM_ACTIVATE, m_bShowTip, 0);
  ApplyFont();
}

// Dialog creation, the modal loop and the dialog procedure.
#include "framework/dialog.h"

#include "framework/ddx.h"
#include "framework/dpi.h"

#include <vector>

namespace {

// A copy of a dialog template without WS_VISIBLE, so that creating it never
// shows the window before the dialog has decided whether it wants to be seen.
std::vector<BYTE> LoadHiddenTemplate(UINT id, bool* wasVisible) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG));
  HGLOBAL data = info ? LoadResource(module, info) : nullptr;
  const BYTE* bytes = data ? static_cast<const BYTE*>(LockResource(data)) : nullptr;
  if (!bytes)
    return {};
  std::vector<BYTE> copy(bytes, bytes + SizeofResource(module, info));
  bool extended = copy.size() >= 4 && copy[2] == 0xFF && copy[3] == 0xFF;
  size_t styleOffset = extended ? 12 : 0;
  DWORD style;
  memcpy(&style, &copy[styleOffset], sizeof style);
  *wasVisible = (style & WS_VISIBLE) != 0;
  style &= ~WS_VISIBLE;
  memcpy(&copy[styleOffset], &style, sizeof style);
  return copy;
}

bool ReturnsDirectly(UINT msg) {
  return msg == WM_INITDIALOG || (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) ||
         msg == WM_COMPAREITEM || msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM ||
         msg == WM_QUERYDRAGICON;
}

} // namespace

INT_PTR CDialog::DoModal() {
  bool visible = false;
  std::vector<BYTE> tmpl = LoadHiddenTemplate(m_nTemplateId, &visible);
  if (tmpl.empty())
    return -1;
  m_bModal = true;
  m_bEnded = false;
  if (!CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                  reinterpret_cast<LPCDLGTEMPLATEA>(tmpl.data()), nullptr,
                                  &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this)))
    return -1;
  if (visible && m_bShowAfterInit && !m_bEnded)
    ShowWindow(m_hWnd, SW_SHOWNORMAL);

  MSG msg;
  while (!m_bEnded) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1)
      break;
    if (!PreTranslateChain(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  if (m_hWnd)
    ::DestroyWindow(m_hWnd);
  return m_nResult;
}

BOOL CDialog::Create(HWND parent) {
  m_bModal = false;
  return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nTemplateId), parent,
                            &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
  m_nResult = result;
  m_bEnded = true;
  if (!m_bModal && m_hWnd)
    ::DestroyWindow(m_hWnd);
}

// The window under the message and each of its parents up to this dialog get
// to look at it first, innermost first, as pages inside the main window must.
bool CDialog::PreTranslateChain(MSG* msg) {
  for (HWND hwnd = msg->hwnd; hwnd; hwnd = GetParent(hwnd)) {
    CWnd* wnd = FromHandle(hwnd);
    if (wnd && wnd->PreTranslateMessage(msg))
      return true;
    if (hwnd == m_hWnd)
      break;
  }
  return false;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
    return FALSE;
  // A child page leaves keyboard navigation to the top-level dialog, whose
  // dialog manager walks into pages that are control parents.
  if (GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_CHILD)
    return FALSE;
  if (msg->hwnd != m_hWnd && !IsChild(m_hWnd, msg->hwnd))
    return FALSE;
  return IsDialogMessageA(m_hWnd, msg);
}

// A top-level dialog that does not place itself while it initialises
// appears in the middle of the screen.
BOOL CDialog::InitDialog() {
  m_dpi = WindowDpi(m_hWnd);
  DisableSystemDialogScaling(m_hWnd);
  RECT before;
  GetWindowRect(m_hWnd, &before);
  BOOL result = OnInitDialog();
  RECT after;
  GetWindowRect(m_hWnd, &after);
  if (!(GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_CHILD) && EqualRect(&before, &after))
    CenterWindow();
  return result;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(TRUE))
    EndDialog(IDOK);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return !dx.Failed();
}

LRESULT CDialog::SetNotifyResult(LRESULT result) {
  SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
  return result;
}

void CDialog::ApplyScale(UINT dpi) {
  UINT old = m_dpi;
  m_dpi = dpi;
  if (old != dpi)
    OnScaleChanged(old);
}

// The window moved to a monitor of another scale (or the scale changed):
// the controls and their font follow, and the window takes the place the
// system suggests, which keeps it under the mouse while it is dragged.
LRESULT CDialog::OnDpiChanged(WPARAM wParam, const RECT* suggested) {
  UINT dpi = HIWORD(wParam);
  if (dpi && dpi != m_dpi) {
    LOGFONTA font = {};
    HFONT current = reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    GetObjectA(current ? static_cast<HGDIOBJ>(current) : GetStockObject(DEFAULT_GUI_FONT),
               sizeof font, &font);
    font.lfHeight = MulDiv(font.lfHeight, dpi, m_dpi);
    font.lfWidth = MulDiv(font.lfWidth, dpi, m_dpi);
    FontHandle scaled(CreateFontIndirectA(&font));
    RescaleChildren(m_hWnd, m_dpi, dpi, scaled.get());
    SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(scaled.get()), FALSE);
    m_font = std::move(scaled);
  }
  if (suggested)
    SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyScale(dpi ? dpi : m_dpi);
  return 0;
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC &&
      ReflectToChild(msg, wParam, lParam, &result))
    return result;
  switch (msg) {
  case WM_INITDIALOG: return InitDialog();
  case WM_DPICHANGED: return OnDpiChanged(wParam, reinterpret_cast<const RECT*>(lParam));
  case WM_COMMAND:
    if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) {
      if (LOWORD(wParam) == IDOK)
        return OnOK(), 0;
      if (LOWORD(wParam) == IDCANCEL)
        return OnCancel(), 0;
    }
    break;
  }
  return Default();
}

LRESULT CDialog::Default() {
  m_bDefaulted = true;
  return 0;
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CDialog* self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->AttachObject(hwnd);
  }
  if (!self)
    return FALSE;
  bool outerDefaulted = self->m_bDefaulted;
  self->m_bDefaulted = false;
  LRESULT result = self->Dispatch(msg, wParam, lParam);
  bool defaulted = self->m_bDefaulted;
  self->m_bDefaulted = outerDefaulted;
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    self->DetachObject();
    self->OnNcDestroyed();
    return FALSE;
  }
  if (ReturnsDirectly(msg))
    return defaulted && msg != WM_INITDIALOG ? FALSE : result;
  if (defaulted)
    return FALSE;
  if (msg != WM_NOTIFY)
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}

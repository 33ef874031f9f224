// The off-screen bitmap behind a window's painting.
#include "framework/offscreen_paint.h"

COffscreenPaint::COffscreenPaint(HWND wnd) : m_hWnd(wnd), m_hdcScreen(BeginPaint(wnd, &m_paint)) {
  GetClientRect(wnd, &m_rcClient);
  m_memory.reset(CreateCompatibleDC(m_hdcScreen));
  m_bitmap.reset(CreateCompatibleBitmap(m_hdcScreen, m_rcClient.right, m_rcClient.bottom));
  m_hOldBitmap = SelectObject(m_memory.get(), m_bitmap.get());
}

COffscreenPaint::~COffscreenPaint() {
  BitBlt(m_hdcScreen, 0, 0, m_rcClient.right, m_rcClient.bottom, m_memory.get(), 0, 0, SRCCOPY);
  SelectObject(m_memory.get(), m_hOldBitmap);
  EndPaint(m_hWnd, &m_paint);
}

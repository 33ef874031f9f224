// Painting a window through a bitmap of its client size, copied to the
// screen in one step when the painting ends, so that nothing flickers.
#pragma once

#include "framework/handle.h"

class COffscreenPaint {
public:
  explicit COffscreenPaint(HWND wnd);
  ~COffscreenPaint();
  COffscreenPaint(const COffscreenPaint&) = delete;
  COffscreenPaint& operator=(const COffscreenPaint&) = delete;

  // Where to draw, and the client area it covers.
  HDC Dc() const { return m_memory.get(); }
  const RECT& Area() const { return m_rcClient; }

private:
  HWND m_hWnd;
  PAINTSTRUCT m_paint;
  HDC m_hdcScreen;
  RECT m_rcClient;
  MemoryDc m_memory;
  BitmapHandle m_bitmap;
  HGDIOBJ m_hOldBitmap;
};

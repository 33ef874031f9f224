// The window a sample screensaver draws in: a child of the preview host for
// "/p", or a topmost window over the whole screen for "/s" that closes at the
// first key, click or real mouse movement.
#pragma once

#include "framework/wnd.h"
#include "savers/scene.h"

#include <memory>

class CSaverWnd : public CWnd {
public:
  explicit CSaverWnd(std::unique_ptr<CScene> scene) : m_scene(std::move(scene)) {}

  BOOL CreatePreview(HWND host);
  BOOL CreateFullScreen();

protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  LRESULT OnCreate();
  LRESULT OnTimer();
  LRESULT OnPaint();
  LRESULT OnInput();
  LRESULT OnMouseMove(LPARAM lParam);
  LRESULT OnDestroy();

  std::unique_ptr<CScene> m_scene;
  bool m_bFullScreen = false;
  POINT m_ptFirstMouse = {-1, -1};
};

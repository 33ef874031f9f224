// The black pane over the monitor picture's screen while a preview runs,
// and the screensaver process that draws the preview inside the host.
#pragma once

#include "framework/handle.h"
#include "framework/wnd.h"

#include <string>

class CPreviewWnd : public CWnd {
public:
  CPreviewWnd() = default;
  ~CPreviewWnd() override;

  // Covers the host and starts "<path> /p <host>". FALSE only when the
  // window cannot be created; a screensaver that fails to start leaves the
  // pane black.
  BOOL Create(const std::string& path, HWND host);

protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  LRESULT OnDestroy();

  PROCESS_INFORMATION m_processInfo = {};
  // Held until the process is stopped, so that its id cannot pass to
  // another process meanwhile.
  KernelHandle m_process;
  KernelHandle m_thread;
};

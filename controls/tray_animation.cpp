// The tray icon's frame animation: a list of images and tips that a timer
// on the control's window steps through.
#include "controls/tray_icon.h"

#include <iterator>

BOOL CTrayIcon::SetIconList(const UINT* resourceIds, int count, const char* const* tips) {
  RemoveAllFrames();
  for (int i = 0; i < count; ++i) {
    std::string tip = tips && tips[i] ? tips[i] : m_strTooltip;
    HICON icon = LoadSmallIcon(resourceIds[i]);
    if (!icon)
      return FALSE;
    m_frames.push_back(Frame{IconHandle(icon), tip});
  }
  return TRUE;
}

UINT_PTR CTrayIcon::StartAnimation(UINT elapseMs) {
  return SetTimer(m_hWnd, m_nTimerID, elapseMs, nullptr);
}

// The frame count stays where it was, so a restart continues the sequence.
void CTrayIcon::StopAnimation() {
  KillTimer(m_hWnd, m_nTimerID);
  SetTooltipText(m_strTooltip);
  SetIcon(m_nIconID);
}

void CTrayIcon::RemoveAllFrames() { m_frames.clear(); }

void CTrayIcon::OnTimer(UINT_PTR timerId) {
  if (timerId != m_nTimerID || m_frames.empty())
    return;
  int count = static_cast<int>(m_frames.size());
  if (m_nCurrentFrame >= 0 && m_nCurrentFrame < count) {
    const Frame& frame = *std::next(m_frames.begin(), m_nCurrentFrame);
    if (!frame.tip.empty())
      SetTooltipText(frame.tip);
    if (frame.icon)
      SetIcon(frame.icon.get());
  }
  m_nCurrentFrame = (m_nCurrentFrame + 1) % count;
}

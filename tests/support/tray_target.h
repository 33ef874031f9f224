// In-process companions for testing the tray icon control: a control that
// records what it tells the shell (and can make the shell refuse), and a
// target window that records what the control sends it.
#pragma once

#include "controls/tray_icon.h"

#include <string>
#include <vector>

class RecordingTrayIcon : public CTrayIcon {
public:
  struct Call {
    DWORD message;
    UINT flags;
    HICON icon;
    std::string tip;
  };
  std::vector<Call> calls;
  // The shell refuses every call without being asked.
  bool refuse = false;

  using CTrayIcon::m_bAddFailed;
  using CTrayIcon::m_bHidden;
  using CTrayIcon::m_frames;
  using CTrayIcon::m_nCurrentFrame;
  using CTrayIcon::m_nid;
  using CTrayIcon::m_nTimerID;

protected:
  BOOL NotifyShell(DWORD message, NOTIFYICONDATAA* data) override;
};

class TrayTarget {
public:
  TrayTarget();
  ~TrayTarget();
  TrayTarget(const TrayTarget&) = delete;
  TrayTarget& operator=(const TrayTarget&) = delete;

  HWND hwnd = nullptr;
  // What the target answers to the forwarded tray notification.
  LRESULT answer = 0;
  std::vector<MSG> notifications;
  std::vector<WPARAM> commands;
  // The default item of each menu that opened with the target as owner;
  // the menu is closed again at once.
  std::vector<UINT> menuDefaults;

  // Handles what is queued for this thread, so posted messages arrive.
  static void PumpMessages(DWORD forMs = 0);

private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

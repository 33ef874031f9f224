// One icon in the taskbar's notification area: its image and tooltip, the
// shell's mouse callbacks forwarded to a target window, a popup menu with a
// default command, a frame animation, and recovery when the taskbar is
// re-created. It also hides other windows into the notification area.
#pragma once

#include "framework/handle.h"
#include "framework/wnd.h"

#include <shellapi.h>

#include <list>
#include <string>

// The callback message the shell sends for the icon; the control forwards
// it to its target unchanged.
const UINT WM_TRAY_NOTIFY = WM_APP + 0x9D1;

// Where the tray rectangle comes from, in the order GetTrayRect asks.
struct TrayRectSources {
  HWND (*findTaskbar)();
  BOOL (*getTaskbarPos)(APPBARDATA* data);
  BOOL (*getWorkArea)(RECT* area);
};

class CTrayIcon : public CWnd {
public:
  CTrayIcon();
  ~CTrayIcon() override;

  // The icon's id is also the id of its menu resource. The default menu
  // item is a command id, or a position in the menu's first popup.
  BOOL Create(const std::string& tooltip, HWND target, UINT iconResourceId, UINT iconId,
              UINT defaultMenuItem, bool defaultByPos);

  BOOL AddIcon();
  BOOL RemoveIcon();
  // While the icon is not in the notification area, image and tip are only
  // kept; the next AddIcon shows them.
  BOOL SetIcon(HICON icon);
  BOOL SetIcon(UINT resourceId);
  BOOL SetTooltipText(const std::string& text);

  // Frames shown one per timer tick; a frame without a tip shows the tip
  // given to Create.
  BOOL SetIconList(const UINT* resourceIds, int count, const char* const* tips = nullptr);
  UINT_PTR StartAnimation(UINT elapseMs);
  void StopAnimation();
  void RemoveAllFrames();

  virtual LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);
  virtual void ReinstallIcon();

  // Hiding a window into the notification area makes it a child of an
  // invisible window of the control, which also takes its taskbar button.
  void MinimizeToTray(HWND wnd);
  void RestoreFromTray(HWND wnd);
  BOOL RemoveTaskbarButton(HWND wnd);

  // The notification area's rectangle on the screen.
  static BOOL GetTrayRect(RECT* rect);
  static bool IsAnimationEnabled();

protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Every Shell_NotifyIconA call of the control goes through here.
  virtual BOOL NotifyShell(DWORD message, NOTIFYICONDATAA* data);

  void OnTimer(UINT_PTR timerId);
  LRESULT OnSettingChange(WPARAM action);
  LRESULT OnTaskbarCreated();

  struct Frame {
    IconHandle icon;
    std::string tip;
  };

  UINT m_nIconID = 0;
  UINT m_nTimerID = 1001;
  int m_nCurrentFrame = 0;
  UINT m_uDefaultMenuItem = 0;
  bool m_bDefaultByPos = true;
  bool m_bHidden = true;
  bool m_bRemoved = true;
  bool m_bAddFailed = false;
  HWND m_hTargetWnd = nullptr;
  CWnd m_wndHidden;
  int m_nTipMax = 64;
  std::string m_strTooltip;
  IconHandle m_icon;
  NOTIFYICONDATAA m_nid;
  std::list<Frame> m_frames;

private:
  static HICON LoadSmallIcon(UINT resourceId);
  HMENU LoadTrayMenu(MenuHandle* menu) const;
  LRESULT ShowMenu();
  LRESULT SendDefaultCommand();
};

// The rectangle search behind GetTrayRect, with its sources given.
BOOL GetTrayRectFrom(const TrayRectSources& sources, RECT* rect);
// Narrows the taskbar's rectangle to its notification area, for every
// descendant of the taskbar; lParam is the RECT being narrowed.
BOOL CALLBACK FindTrayWndProc(HWND wnd, LPARAM lParam);

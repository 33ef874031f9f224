// The main window: dialog 102, the four manager pages in a tab control, and
// the icon in the notification area with its menu. Closing only hides the
// window into the notification area; the tray menu's Close ends the program.
#pragma once

#include "controls/cool_menu.h"
#include "controls/tray_icon.h"
#include "framework/dialog.h"
#include "framework/handle.h"
#include "pages/page.h"

#include <memory>
#include <string>

class CScreensaversDialog;

// "Norvane_UpdateScreensaverList": asks the Screensaver Settings page to
// rebuild its list. Zero until the main window has registered it.
extern UINT g_uUpdateScreensaverListMsg;

class CManagerDialog : public CDialog {
public:
  CManagerDialog();

  bool m_bStartHidden = false;

protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnScaleChanged(UINT oldDpi) override;

private:
  static const int kPageCount = 4;

  LRESULT OnPaint();
  LRESULT OnQueryDragIcon();
  LRESULT OnNotify(const NMHDR* header);
  LRESULT OnDestroy();
  LRESULT OnSize();
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);
  LRESULT OnUpdateScreensaverList(WPARAM wParam, LPARAM lParam);

  void SetWindowIcons();
  void AddTabs();
  void CreatePages();
  void LayoutPages();
  void ShowPage(int index);
  void ShowManager();
  void HideManager();
  void ShowTrayMenu();
  void SetScreensaverAllowed(bool allowed);
  void ShowAbout();
  void Close();
  void OpenHelp();
  CScreensaversDialog* SettingsPage() const;

  CWnd m_btnCancel;
  CWnd m_btnHide;
  CWnd m_btnHelp;
  CWnd m_tab;
  CTrayIcon m_trayIcon;
  CCoolMenu m_coolMenu;
  bool m_bExitRequested = false;
  std::unique_ptr<CPage> m_pPages[kPageCount];
  IconHandle m_hIcon;
  IconHandle m_hSmallIcon;
};

// The help file of an installation folder, with exactly one backslash
// between the folder and "Help".
std::string HelpFilePath(const std::string& installDir);
// Puts the tray menu's check mark on Allow or on Do Not Allow, never both.
void CheckAllowState(HMENU trayMenu, bool allowed);

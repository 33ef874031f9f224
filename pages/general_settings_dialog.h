// The General Settings page (third tab): starting with Windows and making
// Norvane the default screensaver, stored the moment a box is clicked and
// acted on at the program's next start.
#pragma once

#include "pages/page.h"
#include "resource.h"

class CGeneralSettingsDialog : public CPage {
public:
  CGeneralSettingsDialog() : CPage(IDD_GENERAL) {}

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  void SaveSettings();

  CWnd m_textDefault;
  CWnd m_textStartup;
};

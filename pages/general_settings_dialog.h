// The General Settings page (third tab): starting with Windows and making
// Norvane the default screensaver.
#pragma once

#include "pages/page.h"
#include "resource.h"

class CGeneralSettingsDialog : public CPage {
public:
  CGeneralSettingsDialog() : CPage(IDD_GENERAL) {}
};

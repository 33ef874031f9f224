// The Additional Screensavers page (second tab): screensavers from other
// folders, added and removed by the user.
#pragma once

#include "pages/page.h"
#include "resource.h"

class CAdditionalScreensaversDialog : public CPage {
public:
  CAdditionalScreensaversDialog() : CPage(IDD_ADDITIONAL) {}
};

// The Screensaver Settings page (first tab): the catalogue with check
// boxes and the live preview of the selected screensaver.
#pragma once

#include "pages/page.h"
#include "resource.h"

class CScreensaversDialog : public CPage {
public:
  CScreensaversDialog() : CPage(IDD_SCREENSAVERS) {}

  // Ends a running preview; nothing when none runs.
  void StopPreview() {}
  // Starts the preview of the selected screensaver when none runs.
  void ResumePreview() {}
};

// The About page (fourth tab): product, version and links.
#pragma once

#include "pages/page.h"
#include "resource.h"

class CAboutDialog : public CPage {
public:
  CAboutDialog() : CPage(IDD_ABOUT) {}
};

// The About page (fourth tab): product, version and three links to the
// maker's web addresses.
#pragma once

#include "controls/hyperlink.h"
#include "pages/page.h"
#include "resource.h"

class CAboutDialog : public CPage {
public:
  CAboutDialog() : CPage(IDD_ABOUT) {}

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnScaleChanged(UINT oldDpi) override;

private:
  CHyperLink m_linkMaker;
  CHyperLink m_linkProduct;
  CHyperLink m_linkDownload;
};

// The About page: its links open the same addresses that they show.
#include "pages/about_dialog.h"

#include "framework/ddx.h"

void CAboutDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_LINK_PRODUCT, m_linkProduct);
  DDX_Control(dx, IDC_LINK_DOWNLOAD, m_linkDownload);
  DDX_Control(dx, IDC_LINK_MAKER, m_linkMaker);
}

// The links finish their set-up after this, so each tooltip shows the
// target set here.
BOOL CAboutDialog::OnInitDialog() {
  CPage::OnInitDialog();
  m_linkMaker.SetTarget("https://www.norvane.example/");
  m_linkProduct.SetTarget("https://www.norvane.example/norvane/");
  m_linkDownload.SetTarget("https://www.norvane.example/screensavers/");
  return TRUE;
}

// The links' font is their own, not the page's: it follows here.
void CAboutDialog::OnScaleChanged(UINT) {
  for (CHyperLink* link : {&m_linkMaker, &m_linkProduct, &m_linkDownload})
    link->SetScale(Dpi());
}

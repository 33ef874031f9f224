// The Screensaver Settings page's preview and its two launch buttons.
#include "pages/preview_wnd.h"
#include "pages/screensaver_process.h"
#include "pages/screensavers_dialog.h"

CScreensaversDialog::~CScreensaversDialog() { StopPreview(); }

void CScreensaversDialog::StartPreview() {
  if (m_nSelected == -1)
    return;
  StopPreview();
  m_pPreview = new CPreviewWnd;
  m_pPreview->Create(m_screensavers[m_nSelected].strPath, m_previewHost);
}

// Repainting the picture takes away what the preview left on its screen.
void CScreensaversDialog::StopPreview() {
  if (!m_pPreview)
    return;
  m_pPreview->DestroyWindow();
  delete m_pPreview;
  m_pPreview = nullptr;
  InvalidateRect(m_picture, nullptr, TRUE);
}

void CScreensaversDialog::ResumePreview() {
  if (!m_pPreview)
    StartPreview();
}

// The settings dialog runs beside the preview.
void CScreensaversDialog::OnSettings() {
  if (m_nSelected != -1)
    LaunchDetachedScreensaver(m_screensavers[m_nSelected].strPath, "/c");
}

// The small preview stays stopped until the next change in the list.
void CScreensaversDialog::OnPreview() {
  if (m_nSelected == -1)
    return;
  StopPreview();
  LaunchDetachedScreensaver(m_screensavers[m_nSelected].strPath, "/s");
}

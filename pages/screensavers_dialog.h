// The Screensaver Settings page (first tab): the catalogue with check
// boxes, the live preview of the selected screensaver inside a picture of a
// monitor, and the desktop idle time in minutes.
#pragma once

#include "catalogue/screensaver.h"
#include "framework/handle.h"
#include "pages/catalogue_loader.h"
#include "pages/page.h"
#include "resource.h"

#include <commctrl.h>

#include <memory>

class CPreviewWnd;

class CScreensaversDialog : public CPage {
public:
  CScreensaversDialog() : CPage(IDD_SCREENSAVERS) {}
  ~CScreensaversDialog() override;

  // Starts the preview of the selected screensaver, ending a running one.
  void StartPreview();
  // Ends a running preview; nothing when none runs.
  void StopPreview();
  // Starts the preview of the selected screensaver when none runs.
  void ResumePreview();

protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnScaleChanged(UINT oldDpi) override;

private:
  LRESULT OnNotify(const NMHDR* header);
  LRESULT OnItemChangedList(const NMLISTVIEW* change);
  LRESULT OnItemListChange(WPARAM row, LPARAM subItem);
  LRESULT OnUpdateScreensaverList(WPARAM wParam, LPARAM lParam);
  LRESULT OnCatalogueBuilt(WPARAM wParam, LPARAM lParam);
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  void OnChangeWait();
  void OnSettings();
  void OnPreview();
  LRESULT OnDestroy();

  void SetUpList();
  void PlaceMonitorPicture();
  LRESULT OnFillRows();
  void FillList();
  void FillRows();
  void UpdateSelectionControls();
  void HandleCheckChange(int row);
  bool CatchUpWithListFiles(int& row, bool checked);
  bool IsRowChecked(int row) const;
  void SetRowChecked(int row, bool checked);
  int CountCheckedRows() const;

  CWnd m_spinWait;
  CWnd m_editWait;
  CWnd m_picture;
  CWnd m_previewHost;
  CWnd m_list;
  // The picture drawn for a scale other than 100 %; the template's own
  // belongs to the picture control.
  BitmapHandle m_pictureBitmap;
  int m_nWaitMinutes = 0;
  int m_nSelected = -1;
  CScreensaverArray m_screensavers;
  std::unique_ptr<CCatalogueLoader> m_loader;
  CPreviewWnd* m_pPreview = nullptr;
  bool m_bFilling = false;
  size_t m_nFilled = 0;       // rows inserted so far
  bool m_bFillPosted = false; // the next batch is on its way
  // False while the rows come from list files that could not be read.
  bool m_bListsRead = true;
  bool m_bAdditionalRead = true;
  bool m_bInitialised = false;
};

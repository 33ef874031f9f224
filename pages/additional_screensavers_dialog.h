// The Additional Screensavers page (second tab): screensavers from other
// folders, added and removed by the user. The page's paths, kept in
// ascending order regardless of case, are what the list shows row by row;
// the list file is rewritten from them after every change.
#pragma once

#include "catalogue/screensaver.h"
#include "pages/page.h"
#include "resource.h"

#include <commctrl.h>

#include <string>

class CAdditionalScreensaversDialog : public CPage {
public:
  CAdditionalScreensaversDialog() : CPage(IDD_ADDITIONAL) {}

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(const NMHDR* header);
  void OnBrowse();
  void OnDelete();
  LRESULT OnItemChangedList();

  bool LoadRows();
  LRESULT OnLoadList();
  LRESULT OnGetDispInfo(NMLVDISPINFOA* info);
  void FillList(CStringArray paths);
  int InsertRow(const std::string& path);
  void RemoveRow(int row);
  void SelectRow(int row);
  bool SaveList();
  void UpdateDeleteButton();
  void NotifyListChanged();

  CWnd m_list;
  CStringArray m_paths; // the rows' texts, in row order
  // False while the rows stand for a list file that could not be read.
  bool m_bListRead = false;
};

// The Additional Screensavers page (second tab): screensavers from other
// folders, added and removed by the user. The list's rows, kept in
// ascending order of their text regardless of case, are the page's only
// copy of them; the list file is rewritten from the rows after every change.
#pragma once

#include "catalogue/screensaver.h"
#include "pages/page.h"
#include "resource.h"

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

  void FillList(CStringArray paths);
  void InsertRow(const std::string& path);
  void SaveList();
  std::string RowText(int row) const;
  void UpdateDeleteButton();
  void NotifyListChanged();

  CWnd m_list;
};

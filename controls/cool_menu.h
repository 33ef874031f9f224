// The toolkit's menu drawing, as far as this program needs it: the menus of
// one window show a small image beside the commands that have one, next to
// the usual check marks.
#pragma once

#include "framework/handle.h"

#include <map>

class CCoolMenu {
public:
  CCoolMenu() = default;
  ~CCoolMenu();
  CCoolMenu(const CCoolMenu&) = delete;
  CCoolMenu& operator=(const CCoolMenu&) = delete;

  // Takes over the menus that open with this window as their owner.
  void Install(HWND wnd);
  // The command's image: a small-icon-sized copy of the icon is kept, and
  // the icon itself destroyed.
  void AddImage(UINT commandId, HICON icon);

private:
  static LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  void Uninstall();
  void OnInitMenuPopup(HMENU popup);
  bool OnMeasureItem(MEASUREITEMSTRUCT* item) const;
  bool OnDrawItem(const DRAWITEMSTRUCT* item) const;
  HICON ImageFor(UINT controlType, UINT commandId) const;

  HWND m_hWnd = nullptr;
  std::map<UINT, IconHandle> m_images;
};

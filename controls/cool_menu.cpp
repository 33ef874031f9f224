// Menu images through the menu-item bitmap callback: the menu asks the
// owner window to measure and draw the image, which keeps the icon's
// transparency on every system, and leaves check marks to the menu itself.
#include "controls/cool_menu.h"

#include "controls/toolkit_resources.h"

#include <commctrl.h>

CCoolMenu::~CCoolMenu() { Uninstall(); }

void CCoolMenu::Install(HWND wnd) {
  Uninstall();
  if (SetWindowSubclass(wnd, &CCoolMenu::SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this)))
    m_hWnd = wnd;
}

void CCoolMenu::Uninstall() {
  if (m_hWnd)
    RemoveWindowSubclass(m_hWnd, &CCoolMenu::SubclassProc, 0);
  m_hWnd = nullptr;
}

void CCoolMenu::AddImage(UINT commandId, HICON icon) {
  IconHandle given(icon);
  const ToolkitResources& resources = GetToolkitResources();
  m_images[commandId].reset(
      static_cast<HICON>(CopyImage(icon, IMAGE_ICON, resources.cxSmIcon, resources.cySmIcon, 0)));
}

LRESULT CALLBACK CCoolMenu::SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
  auto* self = reinterpret_cast<CCoolMenu*>(data);
  switch (msg) {
  case WM_INITMENUPOPUP: self->OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); break;
  case WM_MEASUREITEM:
    if (self->OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
      return TRUE;
    break;
  case WM_DRAWITEM:
    if (self->OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
      return TRUE;
    break;
  case WM_NCDESTROY: self->Uninstall(); break;
  }
  return DefSubclassProc(wnd, msg, wParam, lParam);
}

void CCoolMenu::OnInitMenuPopup(HMENU popup) {
  const ToolkitResources& resources = GetToolkitResources();
  if (!resources.bMenuImages)
    return;
  if (resources.bMenuCheckOrImage) {
    MENUINFO info = {sizeof info, MIM_STYLE};
    GetMenuInfo(popup, &info);
    info.dwStyle |= MNS_CHECKORBMP;
    SetMenuInfo(popup, &info);
  }
  for (int i = 0, count = GetMenuItemCount(popup); i < count; ++i) {
    UINT command = GetMenuItemID(popup, i);
    if (m_images.count(command) == 0)
      continue;
    MENUITEMINFOA item = {sizeof item, MIIM_BITMAP};
    item.hbmpItem = HBMMENU_CALLBACK;
    SetMenuItemInfoA(popup, i, TRUE, &item);
  }
}

HICON CCoolMenu::ImageFor(UINT controlType, UINT commandId) const {
  if (controlType != ODT_MENU)
    return nullptr;
  auto found = m_images.find(commandId);
  return found == m_images.end() ? nullptr : found->second.get();
}

bool CCoolMenu::OnMeasureItem(MEASUREITEMSTRUCT* item) const {
  if (!ImageFor(item->CtlType, item->itemID))
    return false;
  const ToolkitResources& resources = GetToolkitResources();
  item->itemWidth = resources.cxSmIcon;
  item->itemHeight = resources.cySmIcon;
  return true;
}

bool CCoolMenu::OnDrawItem(const DRAWITEMSTRUCT* item) const {
  HICON image = ImageFor(item->CtlType, item->itemID);
  if (!image)
    return false;
  const ToolkitResources& resources = GetToolkitResources();
  const RECT& box = item->rcItem;
  int x = box.left + (box.right - box.left - resources.cxSmIcon) / 2;
  int y = box.top + (box.bottom - box.top - resources.cySmIcon) / 2;
  DrawIconEx(item->hDC, x, y, image, resources.cxSmIcon, resources.cySmIcon, 0, nullptr, DI_NORMAL);
  return true;
}

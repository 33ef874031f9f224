// The pages' messages about their list files.
#include "pages/list_messages.h"

#include "framework/app.h"

#include <string>

void ShowListBusy(HWND owner, const char* list) {
  AppMessageBox(owner,
                std::string("The list of ") + list +
                    " is in use by another program.  Please try again.",
                MB_OK | MB_ICONEXCLAMATION);
}

void ShowListNotSaved(HWND owner, const char* list, DWORD error) {
  if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
    return ShowListBusy(owner, list);
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string reason = text ? text : "Error " + std::to_string(error) + ".";
  LocalFree(text);
  while (!reason.empty() &&
         (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
    reason.pop_back();
  AppMessageBox(owner,
                std::string("The list of ") + list + " could not be saved, so your change was " +
                    "undone.\n\n" + reason,
                MB_OK | MB_ICONEXCLAMATION);
}

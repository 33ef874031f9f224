// Message boxes and the running-instance check of the setup program.
#include "setup_messages.h"

#include "app/instance_mutex.h"
#include "framework/handle.h"

namespace {

const char kCaption[] = "Norvane Setup";
const char kCloseNorvane[] =
    "Norvane is running. Please close it first: right-click the Norvane icon in the "
    "notification area of the taskbar and choose Close.\n\nThen click Retry to continue.";

std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length ? std::string(text, length) : "Error " + std::to_string(error);
  LocalFree(text);
  return message;
}

} // namespace

int SetupMessageBox(HWND owner, const std::string& text, UINT type) {
  // Without an owner (the uninstaller's messages) the box must still come
  // to the front, not appear behind the window the user started it from.
  if (!owner)
    type |= MB_SETFOREGROUND;
  return MessageBoxA(owner, text.c_str(), kCaption, type);
}

void ShowFailure(HWND owner, const std::string& what, const std::string& path, DWORD error) {
  SetupMessageBox(owner, what + "\n\n" + path + "\n\n" + SystemMessage(error),
                  MB_OK | MB_ICONERROR);
}

bool IsNorvaneRunning() {
  KernelHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, kInstanceMutex));
  return mutex || GetLastError() == ERROR_ACCESS_DENIED;
}

bool WaitUntilNorvaneClosed(HWND owner, bool silent) {
  while (IsNorvaneRunning()) {
    if (silent || SetupMessageBox(owner, kCloseNorvane, MB_RETRYCANCEL | MB_ICONWARNING) != IDRETRY)
      return false;
  }
  return true;
}

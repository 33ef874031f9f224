// Resource access for the installed files.
#include "payload.h"

#include "framework/handle.h"

#include <windows.h>

std::string_view PayloadBytes(int resourceId) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(10));
  HGLOBAL data = info ? LoadResource(module, info) : nullptr;
  const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
  if (!bytes)
    return {};
  return std::string_view(bytes, SizeofResource(module, info));
}

std::string OwnProgramPath() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

bool ReadOwnProgram(std::string& bytes) {
  FileHandle file(CreateFileA(OwnProgramPath().c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                              nullptr));
  LARGE_INTEGER size = {};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.HighPart != 0)
    return false;
  bytes.assign(size.LowPart, '\0');
  DWORD read = 0;
  return ReadFile(file.get(), &bytes[0], size.LowPart, &read, nullptr) && read == size.LowPart;
}

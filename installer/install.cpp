// Installing: the files first, so that the registry never names a folder
// without its programs, then the registry.
#include "install.h"

#include "catalogue/screensaver.h"
#include "file_writer.h"
#include "payload.h"
#include "proxy_value.h"
#include "registration.h"
#include "setup_resource.h"

#include <shlobj.h>

namespace {

bool IsFullPath(const std::string& path) {
  bool drive = path.size() >= 3 && isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
               (path[2] == '\\' || path[2] == '/');
  bool share = path.size() >= 3 && (path[0] == '\\' || path[0] == '/') &&
               (path[1] == '\\' || path[1] == '/');
  return drive || share;
}

bool Fail(SetupFailure* failure, const std::string& path) {
  failure->strPath = path;
  failure->dwError = GetLastError();
  return false;
}

bool InstallFile(const std::string& path, std::string_view bytes, SetupFailure* failure) {
  if (bytes.empty()) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return Fail(failure, path);
  }
  return WriteFileReplacing(path, bytes) || Fail(failure, path);
}

} // namespace

std::string DefaultInstallFolder() {
  std::string registered = RegisteredFolder();
  if (!registered.empty())
    return registered;
  char programFiles[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT,
                              programFiles)))
    return {};
  std::string folder = programFiles;
  RemoveTrailingBackslashes(folder);
  return folder + "\\Norvane";
}

bool NormalizeFolder(const std::string& input, std::string* folder) {
  if (!IsFullPath(input))
    return false;
  char full[MAX_PATH] = {};
  DWORD length = GetFullPathNameA(input.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH)
    return false;
  std::string result(full, length);
  RemoveTrailingBackslashes(result);
  // Room for the longest file name below it, "\Help\NorvaneHelp.chm".
  if (result.size() + 22 >= MAX_PATH)
    return false;
  *folder = result;
  return true;
}

bool Install(const std::string& folder, SetupFailure* failure) {
  std::string help = folder + "\\Help";
  if (!CreateFolderTree(folder))
    return Fail(failure, folder);
  if (!CreateFolderTree(help))
    return Fail(failure, help);

  std::string own;
  if (!ReadOwnProgram(own))
    return Fail(failure, OwnProgramPath());
  if (!InstallFile(folder + "\\Norvane.exe", PayloadBytes(IDR_PAYLOAD_MANAGER), failure) ||
      !InstallFile(help + "\\NorvaneHelp.chm", PayloadBytes(IDR_PAYLOAD_HELP), failure) ||
      !InstallFile(folder + "\\Uninstall.exe", own, failure) ||
      !InstallFile(ProxyPath(), PayloadBytes(IDR_PAYLOAD_PROXY), failure))
    return false;

  std::string failedKey;
  if (!WriteRegistration(folder, &failedKey))
    return Fail(failure, "HKEY_CURRENT_USER\\" + failedKey);
  return true;
}

// Removal of the installed files, folders and registry values.
#include "uninstall.h"

#include "file_writer.h"
#include "proxy_value.h"
#include "registration.h"

namespace {

class Removal {
public:
  explicit Removal(SetupFailure* failure) : m_pFailure(failure) {}
  void Check(bool removed, const std::string& path) {
    if (!removed && m_bRemoved) {
      m_pFailure->strPath = path;
      m_pFailure->dwError = GetLastError();
    }
    m_bRemoved = m_bRemoved && removed;
  }
  bool Removed() const { return m_bRemoved; }

private:
  SetupFailure* m_pFailure;
  bool m_bRemoved = true;
};

} // namespace

bool Uninstall(const std::string& folder, SetupFailure* failure) {
  Removal removal(failure);
  std::string proxy = ProxyPath();
  // While the proxy still exists, so that its short name can be recognised.
  removal.Check(ForgetProxyScreensaver(proxy), "HKEY_CURRENT_USER\\Control Panel\\Desktop");
  std::string failedKey;
  removal.Check(RemoveRegistration(&failedKey), "HKEY_CURRENT_USER\\" + failedKey);
  removal.Check(DeleteFileIfPresent(proxy), proxy);

  std::string help = folder + "\\Help";
  for (const std::string& file :
       {folder + "\\Norvane.exe", folder + "\\Uninstall.exe", help + "\\NorvaneHelp.chm",
        folder + "\\AdditionalScreensavers.dat", folder + "\\DisabledScreensavers.dat"})
    removal.Check(DeleteFileIfPresent(file), file);
  // Folders that hold files of the user's stay, and that is no failure.
  RemoveFolderIfEmpty(help);
  RemoveFolderIfEmpty(folder);
  return removal.Removed();
}

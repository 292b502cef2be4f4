#include "BenchInstallation.h"

#include <windows.h>
#include <shlobj.h>

#include "BenchSetupFolder.h"
#include "contract/InstallContract.h"
#include "platform/Paths.h"
#include "platform/ShellFolders.h"
#include "support/TempFolder.h"

namespace orvelin::bench {

BenchInstallation::BenchInstallation()
    // The installer keeps its uninstall folders in its own all-users data folder.
    : uninstallFolder_(IncludeTrailingBackslash(
          orvelin::UninstallFolder(CompanyFolder(GetSpecialFolder(CSIDL_COMMON_APPDATA), L"install") + L"\\", kBenchGuid))),
      groupFolder_(ProgramGroupFolder(GetSpecialFolder(CSIDL_COMMON_PROGRAMS), kBenchDisplayName)) {}

std::wstring BenchInstallation::Uninstaller() const { return uninstallFolder_ + kUninstallerFile; }

void BenchInstallation::RemoveAll(const std::wstring& applicationFolder) const {
    const std::wstring uninstallKey = UninstallKeyPath(kBenchGuid);
    const std::wstring userKey = ProgramSettingsKeyPath(kBenchApplicationName);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, uninstallKey.c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, uninstallKey.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, userKey.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, userKey.c_str());
    for (const auto& folder : {applicationFolder, uninstallFolder_, groupFolder_}) test::RemoveTree(folder);
}

}  // namespace orvelin::bench

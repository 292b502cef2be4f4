#include "installer/InstallRecord.h"

#include "contract/InstallContract.h"
#include "installer/FileCopy.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Registry.h"

namespace orvelin {

std::wstring QuotedCommand(const std::wstring& path) {
    return path.find(L' ') == std::wstring::npos ? path : L"\"" + path + L"\"";
}

void CheckAlreadyInstalled(const std::wstring& guid) {
    if (RegistryKeyExists(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid), KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS))
        throw Error(L"The program is already installed");
}

void WriteUninstallEntry(const std::wstring& guid, const std::wstring& displayName, const std::wstring& uninstallRoot,
                         const std::wstring& setupFolder, InstalledFiles& installed, RunView& view) {
    // No view flag: a 32-bit installer writes, and its uninstaller reads, the 32-bit view.
    const RegistryKey key = RegistryKey::Create(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid), KEY_ALL_ACCESS);
    const std::wstring folder = UninstallFolder(uninstallRoot, guid);
    key.WriteString(L"DisplayName", displayName);
    key.WriteString(L"UninstallString", QuotedCommand(folder + L"\\" + kUninstallerFile));
    PlaceUninstaller(folder, setupFolder, installed, view);
    key.WriteString(kInstallLocationValue, folder);
    key.WriteString(L"Language", L"409");
    key.WriteString(L"NoModify", L"1");
    key.WriteString(L"NoRemove", L"1");
    key.WriteString(L"NoRepair", L"1");
    key.WriteString(L"Publisher", kPublisher);
}

void PlaceUninstaller(const std::wstring& folder, const std::wstring& setupFolder, InstalledFiles& installed,
                      RunView& view) {
    // Not checked here: a folder that could not be made fails the first copy.
    if (!DirectoryExists(folder)) ForceDirectories(folder);
    const std::wstring& source = installed.uninstallerSource;
    // Every failure names the uninstaller's source, whichever copy it was.
    const std::wstring notice = CopyFailureNotice(source, folder);
    CopyFileReplacing(view, source, folder + L"\\" + kUninstallerFile, notice);
    const std::wstring arabicModule = ExtractFilePath(source) + kUninstallerArabicModule;
    if (!source.empty() && FileExists(arabicModule))
        CopyFileReplacing(view, arabicModule, folder + L"\\" + kUninstallerArabicModule, notice);
    CopyFileReplacing(view, setupFolder + kSetupIniCopy, folder + L"\\" + kSetupIniCopy, notice);

    installed.paths.push_back(folder + L"\\" + kSetupIniCopy);
    WriteInstalledFileList(folder + L"\\" + kInstalledFileList, installed.paths);
}

}  // namespace orvelin

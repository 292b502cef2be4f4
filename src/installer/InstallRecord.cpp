#include "installer/InstallRecord.h"

#include <cwchar>
#include <iterator>
#include <set>

#include "contract/InstallContract.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "platform/VersionResource.h"
#include "ui/ExitCodes.h"

namespace orvelin {

namespace {

std::wstring Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[16];
    std::swprintf(text, std::size(text), L"%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
    return text;
}

}  // namespace

std::wstring QuotedCommand(const std::wstring& path) {
    return path.find(L' ') == std::wstring::npos ? path : L"\"" + path + L"\"";
}

DWORD EstimatedSizeKb(const std::vector<std::wstring>& files) {
    unsigned long long bytes = 0;
    std::set<std::wstring> counted;
    for (const auto& file : files) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!counted.insert(UpperAscii(file)).second) continue;
        if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) continue;
        bytes += (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    return static_cast<DWORD>((bytes + 1023) / 1024);
}

void CheckAlreadyInstalled(const std::wstring& guid) {
    if (RegistryKeyExists(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid), KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS))
        throw RunRefusal(L"The program is already installed", kAlreadyInstalled);
}

void WriteUninstallEntry(const SetupSettings& settings, const std::wstring& uninstallRoot,
                         const std::wstring& setupFolder, InstalledFiles& installed, InstallChanges& changes,
                         RunView& view) {
    const std::wstring folder = UninstallFolder(uninstallRoot, settings.guid);
    PlaceUninstaller(folder, setupFolder, installed, changes, view);

    const std::wstring keyPath = UninstallKeyPath(settings.guid);
    const RegistryKey key = changes.CreateMachineKey(keyPath);
    auto write = [&](const std::wstring& name, const std::wstring& value) {
        changes.WriteString(key, keyPath, name, value);
    };
    const std::wstring uninstaller = folder + L"\\" + kUninstallerFile;
    write(L"DisplayName", settings.displayName);
    write(L"UninstallString", QuotedCommand(uninstaller));
    write(kInstallLocationValue, folder);
    write(L"Language", L"409");
    write(L"NoModify", L"1");
    write(L"NoRemove", L"1");
    write(L"NoRepair", L"1");
    write(L"Publisher", kPublisher);
    // What Windows' list of programs and deployment tools' detection rules read besides.
    if (!installed.mainExecutable.empty()) {
        write(L"DisplayIcon", installed.mainExecutable);
        if (const auto version = FileVersionOf(installed.mainExecutable)) write(L"DisplayVersion", *version);
    }
    changes.WriteDword(key, keyPath, L"EstimatedSize", EstimatedSizeKb(installed.paths));
    write(L"InstallDate", Today());
    write(L"QuietUninstallString", L"\"" + uninstaller + L"\" /quiet");
    if (!settings.aboutUrl.empty()) write(L"URLInfoAbout", settings.aboutUrl);
    if (!settings.helpLink.empty()) write(L"HelpLink", settings.helpLink);
    if (!settings.contact.empty()) write(L"Contact", settings.contact);
}

void PlaceUninstaller(const std::wstring& folder, const std::wstring& setupFolder, InstalledFiles& installed,
                      InstallChanges& changes, RunView& view) {
    changes.CreateFolders(folder);
    const std::wstring& source = installed.uninstallerSource;
    // Every failure names the uninstaller's source, whichever copy it was.
    const CopyFailureNotice notice{source, folder};
    CopyOrFail(changes, view, source, folder + L"\\" + kUninstallerFile, notice);
    const std::wstring arabicModule = ExtractFilePath(source) + kUninstallerArabicModule;
    if (!source.empty() && FileExists(arabicModule))
        CopyOrFail(changes, view, arabicModule, folder + L"\\" + kUninstallerArabicModule, notice);
    CopyOrFail(changes, view, setupFolder + kSetupIniCopy, folder + L"\\" + kSetupIniCopy, notice);

    installed.paths.push_back(folder + L"\\" + kSetupIniCopy);
    changes.WriteInstalledFileList(folder + L"\\" + kInstalledFileList, installed.paths);
}

}  // namespace orvelin

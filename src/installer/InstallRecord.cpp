// The installation record: the Uninstall key, the uninstall folder and the installed-file list.
#include "installer/FileCopy.h"
#include "installer/InstallRun.h"
#include "shared/Error.h"
#include "shared/FileSystem.h"
#include "shared/Registry.h"
#include "shared/TextFile.h"
#include "shared/TextUtil.h"

namespace orvelin {

std::wstring UninstallKeyPath(const std::wstring& guid) {
    return L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + guid;
}

std::wstring QuotedCommand(const std::wstring& path) {
    return path.find(L' ') == std::wstring::npos ? path : L"\"" + path + L"\"";
}

void InstallRun::CheckAlreadyInstalled(const std::wstring& guid) const {
    if (RegistryKeyExists(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid), KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS))
        throw Error(L"The program is already installed");
}

void InstallRun::WriteUninstallEntry(const std::wstring& guid) {
    // No view flag: a 32-bit installer writes, and its uninstaller reads, the 32-bit view.
    const RegistryKey key = RegistryKey::Create(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid), KEY_ALL_ACCESS);
    const std::wstring folder = commonDataDir_ + guid;
    key.WriteString(L"DisplayName", view_.DisplayName());
    key.WriteString(L"UninstallString", QuotedCommand(folder + L"\\uninstall.exe"));
    PlaceUninstaller(folder);
    key.WriteString(L"InstallLocation", folder);
    key.WriteString(L"Language", L"409");
    key.WriteString(L"NoModify", L"1");
    key.WriteString(L"NoRemove", L"1");
    key.WriteString(L"NoRepair", L"1");
    key.WriteString(L"Publisher", L"ORVELIN EST KSA");
}

void InstallRun::PlaceUninstaller(const std::wstring& folder) {
    // Not checked here: a folder that could not be made fails the first copy.
    if (!DirectoryExists(folder)) ForceDirectories(folder);
    // Every failure names the uninstaller's source, whichever copy it was.
    const std::wstring notice = CopyFailureNotice(state_.UninstallProgPath, folder);
    CopyFileReplacing(view_, state_.UninstallProgPath, folder + L"\\uninstall.exe", notice);
    // The uninstaller's Arabic resource module travels with it when the setup has one.
    const std::wstring arabicModule = ExtractFilePath(state_.UninstallProgPath) + L"uninstall.ARA";
    if (!state_.UninstallProgPath.empty() && FileExists(arabicModule))
        CopyFileReplacing(view_, arabicModule, folder + L"\\uninstall.ARA", notice);
    CopyFileReplacing(view_, state_.ApplicBasePath + L"Setup.ini", folder + L"\\Setup.ini", notice);

    state_.InstalledFileList.push_back(folder + L"\\Setup.ini");
    // ANSI as ever when it holds every path; otherwise UTF-8 with a mark, so that no path
    // turns into question marks the uninstaller cannot find.
    const TextEncoding encoding =
        FitsAnsiCodePage(state_.InstalledFileList) ? TextEncoding::Ansi : TextEncoding::Utf8Bom;
    WriteTextFile(folder + L"\\uninstallfilelist.txt", state_.InstalledFileList, encoding);
}

}  // namespace orvelin

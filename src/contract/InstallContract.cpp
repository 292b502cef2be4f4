#include "contract/InstallContract.h"

#include <shlobj.h>

#include <algorithm>
#include <cwctype>

#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/ShellFolders.h"
#include "platform/Text.h"
#include "platform/TextFile.h"

namespace orvelin {

std::wstring CompanyFolder(const std::wstring& windowsFolder, const std::wstring& name) {
    return windowsFolder + L"\\" + kCompany + L"\\" + name;
}

std::wstring ProgramSettingsKeyPath(const std::wstring& programBaseName) {
    return std::wstring(L"Software\\") + kCompany + L"\\" + programBaseName;
}

bool IsProductGuid(const std::wstring& text) {
    if (text.size() != 38 || text.front() != L'{' || text.back() != L'}') return false;
    for (size_t i = 1; i < 37; ++i) {
        const wchar_t c = text[i];
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? c != L'-' : !iswxdigit(c)) return false;
    }
    return true;
}

void CheckProductGuid(const std::wstring& guid) {
    if (!IsProductGuid(guid))
        throw Error(Substitute(L"setup.ini's GuidId \"%s\" is not a GUID in braces, "
                               L"{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}. Nothing was changed.",
                               {guid}));
}

namespace {

[[noreturn]] void ThrowNotPlain(const std::wstring& key, const std::wstring& name) {
    throw Error(Substitute(L"setup.ini's %s \"%s\" is not a plain file name: it may not be empty, or hold \\, /, "
                               L":, .., or characters Windows forbids in names. Nothing was changed.",
                               {key, name}));
}

}  // namespace

void CheckPlainName(const std::wstring& key, const std::wstring& name) {
    if (!IsPlainFileName(name)) ThrowNotPlain(key, name);
}

void CheckApplicationExeName(const std::wstring& exeName) {
    if (!IsPlainFileName(exeName) || !IsPlainFileName(ChangeFileExt(exeName, L""))) ThrowNotPlain(L"ApplicExeName", exeName);
}

std::wstring UninstallKeyPath(const std::wstring& guid) {
    return L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + guid;
}

std::wstring SetupRunMutexName(const std::wstring& guid) { return L"Global\\Orvelin.Setup." + guid; }

std::wstring UninstallFolder(const std::wstring& installerDataFolder, const std::wstring& guid) {
    return installerDataFolder + guid;
}

void WriteInstalledFileList(const std::wstring& path, const std::vector<std::wstring>& files) {
    WriteTextFile(path, files, FitsAnsiCodePage(files) ? TextEncoding::Ansi : TextEncoding::Utf8Bom);
}

std::vector<std::wstring> ReadInstalledFileList(const std::wstring& path) { return ReadTextFile(path).lines; }

std::wstring ProgramGroupFolder(const std::wstring& programsFolder, const std::wstring& displayName) {
    return CompanyFolder(programsFolder, displayName);
}

std::vector<std::wstring> ApplicationFolders(const std::wstring& applicationName) {
    std::vector<std::wstring> folders;
    const std::wstring roots[] = {GetSpecialFolder(CSIDL_PROGRAM_FILES), GetSpecialFolder(CSIDL_PROGRAM_FILESX86),
                                  ReadProgramFilesDir(), GetSpecialFolder(CSIDL_COMMON_APPDATA),
                                  GetSpecialFolder(CSIDL_APPDATA)};
    for (const auto& root : roots) {
        if (root.empty()) continue;
        const std::wstring folder = CompanyFolder(root, applicationName);
        if (std::none_of(folders.begin(), folders.end(), [&](const std::wstring& f) { return EqualsIgnoreCase(f, folder); }))
            folders.push_back(folder);
    }
    return folders;
}

}  // namespace orvelin

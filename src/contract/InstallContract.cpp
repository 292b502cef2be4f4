#include "contract/InstallContract.h"

#include <shlobj.h>

#include <cwctype>

#include "platform/ShellFolders.h"
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
    for (const int csidl : {CSIDL_PROGRAM_FILES, CSIDL_COMMON_APPDATA}) {
        const std::wstring root = GetSpecialFolder(csidl);
        if (!root.empty()) folders.push_back(CompanyFolder(root, applicationName));
    }
    return folders;
}

}  // namespace orvelin

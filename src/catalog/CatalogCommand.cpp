#include "catalog/CatalogCommand.h"

#include <windows.h>

#include "catalog/CatalogueBuild.h"
#include "catalog/CatalogueDescription.h"
#include "catalog/InstallShow.h"
#include "installer/SetupCheck.h"
#include "installer/SetupPackage.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

constexpr wchar_t kUsage[] =
    L"catalog check SETUPFOLDER [--json]\r\n"
    L"    reports what would stop an install part-way or misplace files (errors) and what an install\r\n"
    L"    passes over (warnings); exit code 0 clean, 1 warnings only, 2 errors\r\n"
    L"catalog build DESCRIPTION SETUPFOLDER\r\n"
    L"    writes SETUPFOLDER\\data\\*.xml from the description and the FILES tree, then checks the folder\r\n"
    L"catalog show SETUPFOLDER\r\n"
    L"    prints the install as the installer walks it, with the destinations here and on Windows XP\r\n";

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) RaiseLastOSError();
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
    return full;
}

// Asked for, the usage is the output; otherwise it says what went wrong.
CommandResult Usage(bool asked) {
    return asked ? CommandResult{kCatalogClean, kUsage, {}} : CommandResult{kCatalogBadCommand, {}, kUsage};
}

CommandResult Check(const std::wstring& folder, bool json) {
    const std::vector<Finding> findings = CheckSetupFolder(FullPath(folder));
    return {CheckExitCode(findings), json ? FindingsJson(findings) : FindingsText(findings), {}};
}

CommandResult Build(const std::wstring& descriptionFile, const std::wstring& folder) {
    const std::wstring root = IncludeTrailingBackslash(FullPath(folder));
    BuildCatalogue(ReadDescription(descriptionFile), root);
    const std::vector<Finding> findings = CheckSetupFolder(root);
    return {CheckExitCode(findings), L"written: " + root + L"data\\*.xml\r\n" + FindingsText(findings), {}};
}

CommandResult Show(const std::wstring& folder) {
    const std::wstring root = FullPath(folder);
    SetupPackage package;
    package.Load(root, IniFile(IncludeTrailingBackslash(root) + kSetupIniName));
    return {kCatalogClean, ShowInstall(package, WindowsPlatform::Detect()), {}};
}

bool IsHelp(const std::wstring& word) {
    for (const wchar_t* help : {L"/?", L"-?", L"-h", L"--help", L"help"})
        if (EqualsIgnoreCase(word, help)) return true;
    return false;
}

}  // namespace

CommandResult RunCatalogCommand(const std::vector<std::wstring>& arguments) {
    if (arguments.empty()) return Usage(false);
    const std::wstring& command = arguments.front();
    const std::vector<std::wstring> rest(arguments.begin() + 1, arguments.end());
    try {
        if (IsHelp(command)) return Usage(true);
        if (EqualsIgnoreCase(command, L"check")) {
            if (rest.size() == 1) return Check(rest[0], false);
            if (rest.size() == 2 && EqualsIgnoreCase(rest[1], L"--json")) return Check(rest[0], true);
            if (rest.size() == 2 && EqualsIgnoreCase(rest[0], L"--json")) return Check(rest[1], true);
        } else if (EqualsIgnoreCase(command, L"build") && rest.size() == 2) {
            return Build(rest[0], rest[1]);
        } else if (EqualsIgnoreCase(command, L"show") && rest.size() == 1) {
            return Show(rest[0]);
        }
    } catch (const std::exception& e) {
        return {kCatalogErrors, {}, L"catalog " + command + L": " + ErrorText(e) + L"\r\n"};
    }
    return Usage(false);
}

}  // namespace orvelin

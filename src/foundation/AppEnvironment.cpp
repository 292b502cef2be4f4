#include "foundation/AppEnvironment.h"

#include <shlobj.h>

#include "contract/InstallContract.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/ShellFolders.h"

namespace orvelin {

namespace {

// Folders are created at every start; one that cannot be created is simply left missing.
std::wstring Made(std::wstring folder) {
    if (!DirectoryExists(folder)) ForceDirectories(folder);
    return folder;
}

// A failed shell lookup leaves the company folder at the root of the current drive.
std::wstring OwnFolderUnder(int csidl, const std::wstring& baseName) {
    return Made(CompanyFolder(GetSpecialFolder(csidl), baseName) + L"\\");
}

}  // namespace

bool DevelopmentEnvironmentRunning() { return FindWindowW(L"TAppBuilder", nullptr) != nullptr; }

std::optional<std::wstring> FindDevelopmentRoot(const std::wstring& exePath, const std::wstring& baseName) {
    const std::wstring resName = baseName + L".res";
    const bool inOwnFolder = FileExists(IncludeTrailingBackslash(exePath) + resName);
    std::wstring ancestor = exePath;
    while (!ancestor.empty()) {
        ancestor.pop_back();
        if (!ancestor.empty() && ancestor.back() == L'\\' && (inOwnFolder || FileExists(ancestor + resName)))
            return ancestor;
    }
    return std::nullopt;
}

AppEnvironment::AppEnvironment(const std::wstring& exeFile, const DevelopmentModeProbe& developmentMode) {
    AppFolders& f = folders_;
    f.ExePath = ExtractFilePath(exeFile);
    SetCurrentDirectoryW(f.ExePath.c_str());
    f.ExeBaseName = ChangeFileExt(ExtractFileName(exeFile), L"");

    f.ProgramDir = OwnFolderUnder(CSIDL_PROGRAM_FILES, f.ExeBaseName);
    f.CommonDataDir = OwnFolderUnder(CSIDL_COMMON_APPDATA, f.ExeBaseName);
    f.UserDataDir = OwnFolderUnder(CSIDL_APPDATA, f.ExeBaseName);
    f.TempDir = Made(GetTempDirectory() + kCompany + L"\\" + f.ExeBaseName + L"\\");

    // Inside the development environment the layout lies under <root>\RUN\; without a root
    // the program keeps the normal layout.
    const auto root = developmentMode() ? FindDevelopmentRoot(f.ExePath, f.ExeBaseName) : std::nullopt;
    const std::wstring data = root ? *root + L"RUN\\" : f.CommonDataDir;
    const std::wstring program = root ? *root + L"RUN\\" : f.ProgramDir;
    f.DataDir = Made(data + L"Data\\");
    f.ReportsDir = Made(data + L"Reports\\");
    f.TxtDir = Made(data + L"Txt\\");
    f.ErrorLogDir = Made(data + L"Error Log\\");
    f.BinDir = Made(program + L"Bin\\");
    f.SetUpDir = Made(program + L"SetUp\\");
    f.DocDir = Made(program + L"Doc\\");
    if (root) f.DevWorkDir = Made(*root + L"RUN\\DevWork\\");

    RegCreateKeyExW(HKEY_CURRENT_USER, ProgramSettingsKeyPath(f.ExeBaseName).c_str(), 0, nullptr,
                    REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, appRegistry_.Put(), nullptr);

    errorLog_.Open(f.ErrorLogDir);
}

AppEnvironment::~AppEnvironment() {
    appRegistry_.Reset();
    errorLog_.Save();
}

}  // namespace orvelin

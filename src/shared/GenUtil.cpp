#include "shared/GenUtil.h"

#include <shlobj.h>

#include <functional>

#include "shared/Error.h"
#include "shared/FileSystem.h"
#include "shared/TextUtil.h"

namespace orvelin {

namespace {

constexpr const wchar_t* kCompany = L"ORVELIN";

// Folders are created at every start; one that cannot be created is simply left missing.
std::wstring Made(std::wstring folder) {
    if (!DirectoryExists(folder)) ForceDirectories(folder);
    return folder;
}

bool CreatedOrExists(const std::wstring& folder) {
    const std::wstring path = ExcludeTrailingBackslash(folder);
    return DirectoryExists(path) || CreateDirectoryW(path.c_str(), nullptr);
}

}  // namespace

bool IsDevelopmentMode() { return FindWindowW(L"TAppBuilder", nullptr) != nullptr; }

std::wstring GetSpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return ExcludeTrailingBackslash(path);
}

std::wstring GetWindowsFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    const UINT length = GetWindowsDirectoryW(path, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) RaiseLastOSError();
    return path;
}

std::wstring PickTempDirectory(const std::wstring& platformTemp, const std::function<std::wstring()>& windowsFolder) {
    if (!platformTemp.empty() && platformTemp.size() <= MAX_PATH && CreatedOrExists(platformTemp))
        return IncludeTrailingBackslash(platformTemp);
    const std::wstring windows = windowsFolder();
    const std::wstring drive = windows.substr(0, 2);
    for (const std::wstring& candidate : {IncludeTrailingBackslash(windows) + L"TEMP", drive + L"\\TEMP", drive + L"\\TMP"})
        if (CreatedOrExists(candidate)) return IncludeTrailingBackslash(candidate);
    RaiseLastOSError();
}

std::wstring GetTempDirectory() {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    return PickTempDirectory(length <= MAX_PATH ? std::wstring(temp, length) : std::wstring(), GetWindowsFolder);
}

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

AppEnvironment::AppEnvironment(const std::wstring& exeFile) {
    AppFolders& f = folders_;
    f.ExePath = ExtractFilePath(exeFile);
    SetCurrentDirectoryW(f.ExePath.c_str());
    f.ExeBaseName = ChangeFileExt(ExtractFileName(exeFile), L"");

    const std::wstring own = L"\\" + std::wstring(kCompany) + L"\\" + f.ExeBaseName + L"\\";
    f.ProgramDir = Made(GetSpecialFolder(CSIDL_PROGRAM_FILES) + own);
    f.CommonDataDir = Made(GetSpecialFolder(CSIDL_COMMON_APPDATA) + own);
    f.UserDataDir = Made(GetSpecialFolder(CSIDL_APPDATA) + own);
    f.TempDir = Made(GetTempDirectory() + kCompany + L"\\" + f.ExeBaseName + L"\\");

    // Inside the development environment the layout lies under <root>\RUN\; without a root
    // the program keeps the normal layout.
    const auto root = IsDevelopmentMode() ? FindDevelopmentRoot(f.ExePath, f.ExeBaseName) : std::nullopt;
    if (root) {
        const std::wstring run = *root + L"RUN\\";
        f.DataDir = Made(run + L"Data\\");
        f.ReportsDir = Made(run + L"Reports\\");
        f.TxtDir = Made(run + L"Txt\\");
        f.ErrorLogDir = Made(run + L"Error Log\\");
        f.BinDir = Made(run + L"Bin\\");
        f.SetUpDir = Made(run + L"SetUp\\");
        f.DocDir = Made(run + L"Doc\\");
        f.DevWorkDir = Made(run + L"DevWork\\");
    } else {
        f.DataDir = Made(f.CommonDataDir + L"Data\\");
        f.ReportsDir = Made(f.CommonDataDir + L"Reports\\");
        f.TxtDir = Made(f.CommonDataDir + L"Txt\\");
        f.ErrorLogDir = Made(f.CommonDataDir + L"Error Log\\");
        f.BinDir = Made(f.ProgramDir + L"Bin\\");
        f.SetUpDir = Made(f.ProgramDir + L"SetUp\\");
        f.DocDir = Made(f.ProgramDir + L"Doc\\");
    }

    const std::wstring key = L"Software\\" + std::wstring(kCompany) + L"\\" + f.ExeBaseName;
    RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                    appRegistry_.Put(), nullptr);

    errorLog_.Open(f.ErrorLogDir);
}

AppEnvironment::~AppEnvironment() {
    appRegistry_.Reset();
    errorLog_.Save();
}

}  // namespace orvelin

#include "platform/ShellFolders.h"

#include <shlobj.h>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/Registry.h"

namespace orvelin {

namespace {

bool CreatedOrExists(const std::wstring& folder) {
    const std::wstring path = ExcludeTrailingBackslash(folder);
    return DirectoryExists(path) || CreateDirectoryW(path.c_str(), nullptr);
}

}  // namespace

std::wstring GetSpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return ExcludeTrailingBackslash(path);
}

std::wstring GetSpecialFolderLocation(HWND owner, int csidl) {
    UniqueItemIdList items;
    if (FAILED(SHGetSpecialFolderLocation(owner, csidl, items.Put()))) return {};
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(items.Get(), path)) return {};
    return path;
}

std::wstring ReadProgramFilesDir() {
    return ReadLocalMachineString(L"Software\\Microsoft\\Windows\\CurrentVersion", L"ProgramFilesDir");
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

}  // namespace orvelin

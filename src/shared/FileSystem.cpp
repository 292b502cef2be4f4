#include "shared/FileSystem.h"

#include <windows.h>

#include "shared/TextUtil.h"

namespace orvelin {

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::wstring& path) {
    const std::wstring folder = ExcludeTrailingBackslash(path);
    if (folder.empty()) return false;
    if (DirectoryExists(folder)) return true;
    const std::wstring parent = ExcludeTrailingBackslash(ExtractFilePath(folder));
    // A drive ("C:") or the root of the current drive ends the walk up.
    if (!parent.empty() && parent != folder && parent.back() != L':' && !ForceDirectories(parent)) return false;
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::wstring CurrentFolder() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    folder.resize(GetCurrentDirectoryW(size, folder.data()));
    return folder;
}

std::wstring ModuleFilePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace orvelin

#include "support/TempFolder.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace orvelin::test {

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    for (;;) {
        path_ = IncludeTrailingBackslash(temp) + L"orvelin-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(counter++) + L"\\";
        if (CreateDirectoryW(path_.c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create a scratch folder");
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void RemoveTree(const std::wstring& folder) {
    const std::wstring base = IncludeTrailingBackslash(folder);
    ForEachEntry(base, L"*", [&](const WIN32_FIND_DATAW& entry) {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") return;
        const std::wstring path = base + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (IsFolder(entry))
            RemoveTree(path);
        else
            DeleteFileW(path.c_str());
    });
    RemoveDirectoryW(ExcludeTrailingBackslash(base).c_str());
}

std::wstring CurrentFolder() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return folder;
}

void PutFile(const std::wstring& path, std::string_view bytes) {
    ForceDirectories(ExtractFilePath(path));
    WriteFileBytes(path, bytes);
}

}  // namespace orvelin::test

#include "BareFileWork.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/FileSystem.h"

namespace orvelin::bench {

namespace {

[[noreturn]] void Fail(const wchar_t* what, const std::wstring& path) {
    throw Error(std::wstring(what) + L" " + path + L": " + SystemErrorText(GetLastError()));
}

}  // namespace

void BareCopy(const FileLayout& layout) {
    if (!ForceDirectories(layout.applicationFolder)) Fail(L"Cannot create", layout.applicationFolder);
    for (const auto& folder : layout.folders) {
        if (!CreateDirectoryW(folder.path.c_str(), nullptr)) Fail(L"Cannot create", folder.path);
        for (const auto& file : folder.files)
            if (!CopyFileW(file.source.c_str(), file.destination.c_str(), FALSE)) Fail(L"Cannot copy to", file.destination);
    }
}

// Last file first, as the uninstall deletes them, then the emptied folders.
void BareDelete(const FileLayout& layout) {
    for (auto folder = layout.folders.rbegin(); folder != layout.folders.rend(); ++folder)
        for (auto file = folder->files.rbegin(); file != folder->files.rend(); ++file)
            if (!DeleteFileW(file->destination.c_str())) Fail(L"Cannot delete", file->destination);
    for (const auto& folder : layout.folders)
        if (!RemoveDirectoryW(folder.path.c_str())) Fail(L"Cannot remove", folder.path);
    if (!RemoveDirectoryW(layout.applicationFolder.c_str())) Fail(L"Cannot remove", layout.applicationFolder);
}

}  // namespace orvelin::bench

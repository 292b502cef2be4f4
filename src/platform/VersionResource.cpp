#include "platform/VersionResource.h"

#include <windows.h>

#include <cstring>

#include "platform/Handles.h"

namespace orvelin {

std::optional<std::wstring> FileVersionOf(const std::wstring& programFile) {
    const UniqueModule module(
        LoadLibraryExW(programFile.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module) return std::nullopt;
    const HRSRC found = FindResourceW(module.Get(), MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    const HGLOBAL loaded = found ? LoadResource(module.Get(), found) : nullptr;
    const auto* bytes = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes) return std::nullopt;
    const DWORD size = SizeofResource(module.Get(), found);
    // VS_FIXEDFILEINFO follows the "VS_VERSION_INFO" key, aligned to 4 bytes; find it by its signature.
    for (DWORD offset = 0; offset + sizeof(VS_FIXEDFILEINFO) <= size; offset += 4) {
        VS_FIXEDFILEINFO info;
        std::memcpy(&info, bytes + offset, sizeof(info));
        if (info.dwSignature != VS_FFI_SIGNATURE) continue;
        return std::to_wstring(HIWORD(info.dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(info.dwFileVersionMS)) +
               L"." + std::to_wstring(HIWORD(info.dwFileVersionLS)) + L"." +
               std::to_wstring(LOWORD(info.dwFileVersionLS));
    }
    return std::nullopt;
}

}  // namespace orvelin

#include "platform/DllSearch.h"

#include <windows.h>

#include <string>

#include "platform/Error.h"

namespace orvelin {

namespace {

// Declared for Windows 8 and later; found at run time, so that the programs still start where
// it is missing.
constexpr DWORD kSearchSystem32 = 0x00000800;   // LOAD_LIBRARY_SEARCH_SYSTEM32
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// Loaded by name by the common controls (themes, their drawing) and by COM for shell links.
constexpr const wchar_t* kLoadedByName[] = {L"uxtheme.dll", L"msimg32.dll", L"actxprxy.dll"};

void RestrictDllSearch() {
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault && setDefault(kSearchSystem32)) return;
    // The current folder at least is no longer searched.
    SetDllDirectoryW(L"");
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

}  // namespace

SystemDllSearch::SystemDllSearch() {
    RestrictDllSearch();
    const std::wstring system = SystemFolder();
    if (system.empty()) return;
    for (const wchar_t* name : kLoadedByName) {
        // Its own imports resolved from the system folder as well.
        UniqueModule module(LoadLibraryExW((system + L"\\" + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
        if (module) preloaded_.push_back(std::move(module));
    }
}

UniqueModule LoadSystemLibrary(const wchar_t* name) {
    UniqueModule module(LoadLibraryW(name));
    if (!module) RaiseLastOSError(GetLastError());
    return module;
}

}  // namespace orvelin

#include "platform/WindowsPlatform.h"

#include <windows.h>

#include "platform/Handles.h"

namespace orvelin {

OSVERSIONINFOW ReportedWindowsVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&info);
#pragma GCC diagnostic pop
    return info;
}

int WindowsMajorVersion() {
    // The reported version (not the kernel's) is what decides which setup programs suit.
    return static_cast<int>(ReportedWindowsVersion().dwMajorVersion);
}

bool Is64BitWindows() {
    // Looked up at run time: Windows before XP SP2 has no IsWow64Process.
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64Process = reinterpret_cast<IsWow64ProcessFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

WindowsPlatform WindowsPlatform::Detect() { return {WindowsMajorVersion(), Is64BitWindows()}; }

}  // namespace orvelin

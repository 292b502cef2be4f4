#pragma once
// The Windows this program runs on, as the platform reports it: what decides which base
// folders and which setup programs suit.
#include <windows.h>

namespace orvelin {

struct WindowsPlatform {
    // 5 for Windows XP and Server 2003, 6 for Vista to 8.1, 10 for Windows 10 and 11 (as far
    // as the program's manifest declares them).
    int majorVersion = 0;
    // This 32-bit program runs on 64-bit Windows.
    bool is64Bit = false;

    bool VistaOrLater() const noexcept { return majorVersion >= 6; }
    static WindowsPlatform Detect();
};

// The version Windows reports to this program (as far as its manifest declares it).
OSVERSIONINFOW ReportedWindowsVersion();
int WindowsMajorVersion();
bool Is64BitWindows();

}  // namespace orvelin

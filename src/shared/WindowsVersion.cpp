#include "shared/WindowsVersion.h"

#include <windows.h>

namespace orvelin {

int WindowsMajorVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    // The reported version (not the kernel's) is what decides which setup programs suit.
    GetVersionExW(&info);
#pragma GCC diagnostic pop
    return static_cast<int>(info.dwMajorVersion);
}

}  // namespace orvelin

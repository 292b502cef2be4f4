#pragma once
// What the install runs of one installer window have put on the machine so far: the content
// of the installed-file list, and the two files of it the installation record needs.
#include <string>
#include <vector>

namespace orvelin {

struct InstalledFiles {
    // Every file created, in order; a file copied twice is listed twice.
    std::vector<std::wstring> paths;
    // The copied main executable: the shortcuts' target.
    std::wstring mainExecutable;
    // uninstall.exe in the setup folder, beside the main executable's source.
    std::wstring uninstallerSource;
};

}  // namespace orvelin

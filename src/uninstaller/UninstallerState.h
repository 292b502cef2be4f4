#pragma once
// The state the uninstaller window owns and the uninstall run uses.
#include <optional>
#include <string>
#include <vector>

#include "shared/Globals.h"
#include "shared/Handles.h"

namespace orvelin {

struct UninstallerState {
    std::wstring CompName;          // "ORVELIN", set at show
    std::wstring ApplicExeName;
    std::wstring UnInstallPath;
    std::wstring DskTopShortCut;
    std::wstring ProgShortCut;
    // The GUID-named mutexes this program created; held until the program ends.
    std::vector<UniqueHandle> heldMutexes;
};

// What the window's boxes show once setup.ini has been read.
struct UninstallShownSettings {
    std::wstring guidId;
    std::wstring displayName;
    bool removeFiles = true;
};

// The show's steps on the state: CompName, then the settings in their order. Empty when
// setup.ini was not found (the boxes keep what they hold).
std::optional<UninstallShownSettings> PrepareUninstallShow(UninstallerState& state, bool setupIniFound,
                                                           const IniFile& setupIni);

}  // namespace orvelin

#pragma once
// What the uninstaller reads from the uninstall folder's setup.ini when its window is shown.
#include <string>

#include "foundation/SetupIni.h"

namespace orvelin {

struct UninstallSettings {
    std::wstring applicationExe;   // [Setup] ApplicExeName
    std::wstring guid;             // [Install] GuidId
    std::wstring displayName;      // [Install] DisplayName
    bool removeFiles = true;       // [UnInstall] Remove

    // The executable's name without extension: it names the application's folders and key.
    std::wstring ApplicationName() const;
};

UninstallSettings ReadUninstallSettings(const IniFile& setupIni);

}  // namespace orvelin

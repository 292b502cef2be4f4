#pragma once
// The setup folder as the installer reads it when its window is shown: the settings of
// setup.ini and the installation catalogue.
#include <string>

#include "foundation/SetupIni.h"
#include "installer/InstallCatalogue.h"

namespace orvelin {

struct SetupSettings {
    std::wstring applicationExe;        // [Setup] ApplicExeName: the main executable's file name
    std::wstring applicationFullName;   // [Setup] ApplicFullName
    bool offersDatabaseServer = false;  // [Setup] InstallDbServer
    std::wstring guid;                  // [Install] GuidId
    std::wstring shortcutName;          // [Install] DskTopShortCutName
    std::wstring displayName;           // [Install] DisplayName, else the full name
    bool addDesktopShortcut = true;     // [Install] AddShortCut

    // The executable's name without extension: it names the application's folders.
    std::wstring ApplicationName() const;
};

SetupSettings ReadSetupSettings(const IniFile& setupIni);

struct SetupPackage {
    std::wstring folder;   // with trailing backslash: setup.ini, data\ and FILES\ lie in it
    SetupSettings settings;
    InstallCatalogue catalogue;

    // Reads the settings, then the catalogue from folder\data\. A catalogue file that cannot be
    // loaded throws, naming the file or the field.
    void Load(const std::wstring& setupFolder, const IniFile& setupIni);
};

}  // namespace orvelin

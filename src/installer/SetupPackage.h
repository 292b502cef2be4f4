#pragma once
// The setup folder as the installer reads it when its window is shown: the settings of
// setup.ini and the installation catalogue.
#include <optional>
#include <string>
#include <utility>
#include <vector>

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
    std::wstring aboutUrl;              // [Install] URLInfoAbout, for the Windows list of programs
    std::wstring helpLink;              // [Install] HelpLink
    std::wstring contact;               // [Install] Contact
    // [QuietArguments]: a setup program's file name (letter case aside) and the arguments it is
    // started with when nobody watches the install.
    std::vector<std::pair<std::wstring, std::wstring>> quietArguments;

    // The executable's name without extension: it names the application's folders.
    std::wstring ApplicationName() const;
    // The [QuietArguments] entry of a setup program; empty when it has none.
    std::optional<std::wstring> QuietArgumentsOf(const std::wstring& programFile) const;
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

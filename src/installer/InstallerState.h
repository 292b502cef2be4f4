#pragma once
// The state the installer window owns and the install run and its steps share.
#include <optional>
#include <string>
#include <vector>

#include "installer/InstallCatalogue.h"
#include "shared/Globals.h"

namespace orvelin {

struct InstallerState {
    InstallCatalogue catalogue;                      // cdsApplics, cdsLocations, cdsFolders, cdsFiles
    bool PlatForm64 = false;
    std::vector<std::wstring> InstalledFileList;     // every path the install created, in order
    std::wstring ShortcutTarget;
    std::wstring UninstallProgPath;
    std::wstring ApplicConfigPath;
    std::wstring ApplicBasePath;
    std::wstring ApplicExeName;
    std::wstring ApplicFullName;
    bool InstallDbServer = false;
    std::vector<std::wstring> lbShortCutExe;         // only the first item is used
};

// What the window's boxes show once setup.ini has been read.
struct ShownSettings {
    std::wstring guidId;
    std::wstring displayName;
    std::wstring shortcutName;
    bool addShortcut = true;
    bool showDatabaseChoice = false;
};

// The show's steps on the state (settings, catalogue, display-name fallback). Empty when
// setup.ini was not found: nothing is read and the boxes keep their first texts.
// A catalogue that cannot be loaded throws; the installer then ends.
std::optional<ShownSettings> PrepareShow(InstallerState& state, bool setupIniFound, const IniFile& setupIni,
                                         const std::wstring& programFolder);

// ApplicConfigPath up to and including its last backslash.
std::wstring DeriveBasePath(const std::wstring& applicConfigPath);

}  // namespace orvelin

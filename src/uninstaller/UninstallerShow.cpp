#include "uninstaller/UninstallerState.h"

namespace orvelin {

std::optional<UninstallShownSettings> PrepareUninstallShow(UninstallerState& state, bool setupIniFound,
                                                           const IniFile& setupIni) {
    state.CompName = L"ORVELIN";
    if (!setupIniFound) return std::nullopt;

    UninstallShownSettings shown;
    state.ApplicExeName = setupIni.ReadString(L"Setup", L"ApplicExeName", L"");
    shown.guidId = setupIni.ReadString(L"Install", L"GuidId", L"");
    shown.removeFiles = setupIni.ReadBool(L"UnInstall", L"Remove", true);
    shown.displayName = setupIni.ReadString(L"Install", L"DisplayName", L"");
    return shown;
}

}  // namespace orvelin

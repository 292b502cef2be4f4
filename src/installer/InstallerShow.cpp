#include "installer/InstallerState.h"

#include "shared/TextUtil.h"

namespace orvelin {

std::optional<ShownSettings> PrepareShow(InstallerState& state, bool setupIniFound, const IniFile& setupIni,
                                         const std::wstring& programFolder) {
    if (!setupIniFound) return std::nullopt;

    state.ApplicConfigPath = IncludeTrailingBackslash(programFolder);
    state.ApplicBasePath = DeriveBasePath(state.ApplicConfigPath);

    state.ApplicExeName = setupIni.ReadString(L"Setup", L"ApplicExeName", L"");
    state.ApplicFullName = setupIni.ReadString(L"Setup", L"ApplicFullName", L"");
    state.InstallDbServer = setupIni.ReadBool(L"Setup", L"InstallDbServer", false);

    ShownSettings shown;
    shown.showDatabaseChoice = state.InstallDbServer;
    shown.guidId = setupIni.ReadString(L"Install", L"GuidId", L"");
    shown.shortcutName = setupIni.ReadString(L"Install", L"DskTopShortCutName", L"");
    shown.displayName = setupIni.ReadString(L"Install", L"DisplayName", L"");
    shown.addShortcut = setupIni.ReadBool(L"Install", L"AddShortCut", true);

    state.lbShortCutExe = {state.ApplicExeName};

    state.catalogue.Load(state.ApplicBasePath);

    if (shown.displayName.empty()) shown.displayName = state.ApplicFullName;
    return shown;
}

std::wstring DeriveBasePath(const std::wstring& applicConfigPath) {
    const size_t lastBackslash = applicConfigPath.rfind(L'\\');
    if (lastBackslash == std::wstring::npos) return {};
    return applicConfigPath.substr(0, lastBackslash + 1);
}

}  // namespace orvelin

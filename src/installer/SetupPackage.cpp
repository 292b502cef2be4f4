#include "installer/SetupPackage.h"

#include "platform/Paths.h"
#include "platform/Text.h"

namespace orvelin {

std::wstring SetupSettings::ApplicationName() const { return ChangeFileExt(applicationExe, L""); }

std::optional<std::wstring> SetupSettings::QuietArgumentsOf(const std::wstring& programFile) const {
    const std::wstring name = ExtractFileName(programFile);
    for (const auto& [program, arguments] : quietArguments)
        if (EqualsIgnoreCase(program, name)) return arguments;
    return std::nullopt;
}

SetupSettings ReadSetupSettings(const IniFile& ini) {
    SetupSettings settings;
    settings.applicationExe = ini.ReadString(L"Setup", L"ApplicExeName");
    settings.applicationFullName = ini.ReadString(L"Setup", L"ApplicFullName");
    settings.offersDatabaseServer = ini.ReadBool(L"Setup", L"InstallDbServer", false);
    settings.guid = ini.ReadString(L"Install", L"GuidId");
    settings.shortcutName = ini.ReadString(L"Install", L"DskTopShortCutName");
    settings.displayName = ini.ReadString(L"Install", L"DisplayName");
    settings.addDesktopShortcut = ini.ReadBool(L"Install", L"AddShortCut", true);
    settings.aboutUrl = ini.ReadString(L"Install", L"URLInfoAbout");
    settings.helpLink = ini.ReadString(L"Install", L"HelpLink");
    settings.contact = ini.ReadString(L"Install", L"Contact");
    settings.quietArguments = ini.ReadSection(L"QuietArguments");
    if (settings.displayName.empty()) settings.displayName = settings.applicationFullName;
    return settings;
}

void SetupPackage::Load(const std::wstring& setupFolder, const IniFile& setupIni) {
    folder = IncludeTrailingBackslash(setupFolder);
    settings = ReadSetupSettings(setupIni);
    catalogue.Load(folder);
}

}  // namespace orvelin

#include "uninstaller/UninstallSettings.h"

#include "platform/Paths.h"

namespace orvelin {

std::wstring UninstallSettings::ApplicationName() const { return ChangeFileExt(applicationExe, L""); }

UninstallSettings ReadUninstallSettings(const IniFile& ini) {
    UninstallSettings settings;
    settings.applicationExe = ini.ReadString(L"Setup", L"ApplicExeName");
    settings.guid = ini.ReadString(L"Install", L"GuidId");
    settings.removeFiles = ini.ReadBool(L"UnInstall", L"Remove", true);
    settings.displayName = ini.ReadString(L"Install", L"DisplayName");
    return settings;
}

}  // namespace orvelin

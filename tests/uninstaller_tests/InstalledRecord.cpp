#include "InstalledRecord.h"

#include <objbase.h>
#include <shlobj.h>

#include "contract/InstallContract.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/ShellFolders.h"
#include "platform/Text.h"

namespace orvelin::test {

std::wstring NewGuidText() {
    GUID guid;
    CoCreateGuid(&guid);
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

bool KeyExists(HKEY root, const std::wstring& path) { return RegistryKeyExists(root, path, KEY_READ); }

void MakeFile(const std::wstring& path) { PutFile(path, "installed"); }

InstalledRecord::InstalledRecord()
    : guid(NewGuidText()),
      application(L"OrvUt" + guid.substr(1, 8)),
      displayName(L"App Suite " + guid.substr(1, 8)),
      uninstallFolder(UninstallFolder(temp_ / L"ORVELIN\\install\\", guid)),
      programFolder(CompanyFolder(GetSpecialFolder(CSIDL_PROGRAM_FILES), application)),
      dataFolder(CompanyFolder(GetSpecialFolder(CSIDL_COMMON_APPDATA), application)),
      groupParent(CompanyFolder(GetSpecialFolder(CSIDL_COMMON_PROGRAMS), L"")),
      groupFolder(ProgramGroupFolder(GetSpecialFolder(CSIDL_COMMON_PROGRAMS), displayName)),
      desktopFolder(GetSpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY)) {}

InstalledRecord::~InstalledRecord() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, UninstallKey().c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, UserKey().c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, UserKey().c_str());
    RemoveTree(programFolder);
    RemoveTree(dataFolder);
    RemoveTree(groupFolder);
    for (const auto& file : listed)
        if (file.starts_with(desktopFolder + L"\\")) DeleteFileW(file.c_str());
}

std::wstring InstalledRecord::Install(const std::wstring& path) {
    MakeFile(path);
    listed.push_back(path);
    return path;
}

void InstalledRecord::Save(TextEncoding encoding) {
    ForceDirectories(uninstallFolder);
    PutFile(Uninstaller(), "MZ");
    PutFile(SetupIniCopy(), "[Setup]\r\nApplicExeName=" + ToUtf8(application) + ".exe\r\n[Install]\r\nGuidId=" +
                                ToUtf8(guid) + "\r\nDisplayName=" + ToUtf8(displayName) + "\r\n");
    std::vector<std::wstring> lines = listed;
    lines.push_back(SetupIniCopy());
    WriteTextFile(ListFile(), lines, encoding);

    const auto uninstallKey = RegistryKey::Create(HKEY_LOCAL_MACHINE, UninstallKey(), KEY_ALL_ACCESS);
    uninstallKey.WriteString(L"DisplayName", displayName);
    uninstallKey.WriteString(L"UninstallString", Uninstaller());
    uninstallKey.WriteString(kInstallLocationValue, uninstallFolder);
    uninstallKey.WriteString(L"Publisher", kPublisher);

    RegistryKey::Create(HKEY_CURRENT_USER, UserKey(), KEY_ALL_ACCESS).WriteString(L"Language", L"Arabic");
    RegistryKey::Create(HKEY_CURRENT_USER, UserKey() + L"\\Grids", KEY_ALL_ACCESS).WriteString(L"Width", L"80");
}

std::wstring InstalledRecord::UninstallKey() const { return UninstallKeyPath(guid); }
std::wstring InstalledRecord::UserKey() const { return ProgramSettingsKeyPath(application); }
std::wstring InstalledRecord::ListFile() const { return uninstallFolder + L"\\" + kInstalledFileList; }
std::wstring InstalledRecord::SetupIniCopy() const { return uninstallFolder + L"\\" + kSetupIniCopy; }
std::wstring InstalledRecord::Uninstaller() const { return uninstallFolder + L"\\" + kUninstallerFile; }

UninstallSettings InstalledRecord::Settings() const {
    UninstallSettings settings;
    settings.applicationExe = application + L".exe";
    settings.guid = guid;
    settings.displayName = displayName;
    return settings;
}

}  // namespace orvelin::test

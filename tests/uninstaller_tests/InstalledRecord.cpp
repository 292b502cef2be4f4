#include "InstalledRecord.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "shared/FileSystem.h"
#include "shared/GenUtil.h"
#include "shared/Registry.h"
#include "shared/TextUtil.h"

namespace orvelin::test {

namespace {

const wchar_t* const kApplicationName = L"App";

std::wstring CompanyFolder(int csidl, const std::wstring& company) {
    return GetSpecialFolder(csidl) + L"\\" + company;
}

}  // namespace

std::wstring NewGuidText() {
    GUID guid;
    CoCreateGuid(&guid);
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

bool KeyExists(HKEY root, const std::wstring& path) { return RegistryKeyExists(root, path, KEY_READ); }

void MakeFile(const std::wstring& path) { WriteFileBytes(path, "installed"); }

InstalledRecord::InstalledRecord()
    : guid(NewGuidText()),
      company(L"OrvelinTest" + guid.substr(1, 8)),
      uninstallFolder(temp_ / (L"ORVELIN\\install\\" + guid)),
      programFolder(CompanyFolder(CSIDL_PROGRAM_FILES, company) + L"\\" + kApplicationName),
      dataFolder(CompanyFolder(CSIDL_COMMON_APPDATA, company) + L"\\" + kApplicationName),
      groupParent(temp_ / (L"Start Menu\\Programs\\" + company)),
      groupFolder(groupParent + L"\\App Suite"),
      desktopFolder(temp_ / L"Public\\Desktop") {}

InstalledRecord::~InstalledRecord() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, UninstallKey().c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, CompanyKey().c_str());
    RemoveTree(CompanyFolder(CSIDL_PROGRAM_FILES, company));
    RemoveTree(CompanyFolder(CSIDL_COMMON_APPDATA, company));
}

std::wstring InstalledRecord::Install(const std::wstring& path) {
    MakeFile(path);
    listed.push_back(path);
    return path;
}

void InstalledRecord::Save(TextEncoding encoding) {
    ForceDirectories(uninstallFolder);
    WriteFileBytes(Uninstaller(), "MZ");
    WriteFileBytes(SetupIniCopy(), "[Setup]\r\nApplicExeName=" + ToUtf8(exeName) + "\r\n[Install]\r\nGuidId=" +
                                       ToUtf8(guid) + "\r\n");
    std::vector<std::wstring> lines = listed;
    lines.push_back(SetupIniCopy());
    WriteTextFile(ListFile(), lines, encoding);

    const auto uninstallKey = RegistryKey::Create(HKEY_LOCAL_MACHINE, UninstallKey(), KEY_ALL_ACCESS);
    uninstallKey.WriteString(L"DisplayName", L"App Suite");
    uninstallKey.WriteString(L"UninstallString", Uninstaller());
    uninstallKey.WriteString(L"InstallLocation", uninstallFolder);
    uninstallKey.WriteString(L"Language", L"409");
    uninstallKey.WriteString(L"NoModify", L"1");
    uninstallKey.WriteString(L"NoRemove", L"1");
    uninstallKey.WriteString(L"NoRepair", L"1");
    uninstallKey.WriteString(L"Publisher", L"ORVELIN EST KSA");

    RegistryKey::Create(HKEY_CURRENT_USER, UserKey(), KEY_ALL_ACCESS).WriteString(L"Language", L"Arabic");
    RegistryKey::Create(HKEY_CURRENT_USER, UserKey() + L"\\Grids", KEY_ALL_ACCESS).WriteString(L"Width", L"80");
}

std::wstring InstalledRecord::UninstallKey() const {
    return L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + guid;
}

std::wstring InstalledRecord::CompanyKey() const { return L"Software\\" + company; }

std::wstring InstalledRecord::UserKey() const { return CompanyKey() + L"\\" + kApplicationName; }

UninstallerState InstalledRecord::State() const {
    UninstallerState state;
    state.CompName = company;
    state.ApplicExeName = exeName;
    return state;
}

}  // namespace orvelin::test

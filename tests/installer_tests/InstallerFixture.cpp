#include "installer_tests/InstallerFixture.h"

#include <shlobj.h>

#include <atomic>

#include "contract/InstallContract.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace orvelin::test {

std::wstring NewGuidText() {
    GUID guid{};
    CoCreateGuid(&guid);
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring UniqueApplicationName() {
    static std::atomic<int> counter{0};
    return L"ORVTEST" + std::to_wstring(GetCurrentProcessId()) + L"N" + std::to_wstring(counter++);
}

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return ExcludeTrailingBackslash(path);
}

std::wstring NativeProgramFilesFolder() {
    const auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion",
                                       KEY_READ | KEY_WOW64_64KEY);
    return key ? key->ReadString(L"ProgramFilesDir").value_or(L"") : L"";
}

std::wstring ExpectedBaseFolder(int kind, const std::wstring& applicationName) {
    std::wstring folder;
    switch (kind) {
        case 1: folder = ShellFolder(CSIDL_PROGRAM_FILESX86); break;
        case 2: folder = NativeProgramFilesFolder(); break;
        case 3: folder = ShellFolder(CSIDL_COMMON_APPDATA); break;
        case 4: folder = ShellFolder(CSIDL_APPDATA); break;
        default: return {};
    }
    return CompanyFolder(folder, applicationName) + L"\\";
}

bool OnA64BitWindows() { return sizeof(void*) == 8 || Is64BitWindows(); }

bool RegistryKeyPresent(const std::wstring& path, REGSAM view) {
    return RegistryKeyExists(HKEY_LOCAL_MACHINE, path, KEY_READ | view);
}

std::wstring UninstallValue(const std::wstring& guid, const std::wstring& name, REGSAM view) {
    const auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid), KEY_READ | view);
    return key ? key->ReadString(name).value_or(L"") : L"";
}

InstallerTest::InstallerTest() {
    package.folder = setup.Path();
    package.settings.applicationExe = exeName;
    package.settings.guid = guid;
    package.settings.displayName = L"Orvelin Test " + application;
    package.settings.shortcutName = application;
    choices.shortcutName = application;
    choices.addDesktopShortcut = false;
}

InstallerTest::~InstallerTest() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid).c_str());
    for (int kind = 1; kind <= 4; ++kind) RemoveTree(BaseFolder(kind));
    RemoveTree(ProgramGroupFolder());
    // A nameless shortcut would be ".LNK" on the shared desktop: no test makes one there.
    if (!choices.shortcutName.empty()) DeleteFileW(DesktopLink().c_str());
}

void InstallerTest::LoadCatalogue() {
    catalogue.Save(setup.Path());
    package.catalogue.Load(setup.Path());
}

std::wstring InstallerTest::CategoryFolder(const std::wstring& category) const {
    return setup.Path() + L"FILES\\" + category;
}

std::wstring InstallerTest::Source(const std::wstring& category, const std::wstring& relative) const {
    return CategoryFolder(category) + L"\\" + relative;
}

std::wstring InstallerTest::PutSource(const std::wstring& category, const std::wstring& relative) {
    const std::wstring path = Source(category, relative);
    PutFile(path, ToUtf8(path));
    return path;
}

std::wstring InstallerTest::ProgramGroupFolder() const {
    return orvelin::ProgramGroupFolder(ShellFolder(CSIDL_COMMON_PROGRAMS), package.settings.displayName);
}

std::wstring InstallerTest::DesktopLink() const {
    return ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + choices.shortcutName + kShortcutExtension;
}

std::wstring InstallerTest::GroupLink() const {
    return ProgramGroupFolder() + L"\\" + choices.shortcutName + kShortcutExtension;
}

void InstallerTest::StandOnApplication(int majorId) {
    DataPacketTable& applications = package.catalogue.applications;
    for (applications.First(); !applications.Eof(); applications.Next())
        if (applications.AsInteger(L"MAJOR_ID") == majorId) return;
    FAIL() << "no application " << majorId;
}

InstallRun::Outcome InstallerTest::Install() {
    return InstallRun(package, installed, changes, view, context).Execute(choices);
}

Lines InstallerTest::LogLines() const { return LogEvents(log.Path()); }

CopyEngine InstallerTest::Engine(const WindowsPlatform& windows) {
    return CopyEngine(package.catalogue, installed, changes, view, windows, exeName, context.translate);
}

}  // namespace orvelin::test

#include "installer_tests/InstallerFixture.h"

#include <shlobj.h>

#include <atomic>

#include "shared/CommonHelpers.h"
#include "shared/FileSystem.h"
#include "shared/Handles.h"
#include "shared/TextUtil.h"

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
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return {};
    const UniqueRegKey owner(key);
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    if (RegQueryValueExW(key, L"ProgramFilesDir", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) !=
        ERROR_SUCCESS)
        return {};
    return value;
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
    return folder + L"\\ORVELIN\\" + applicationName + L"\\";
}

bool OnA64BitWindows() { return sizeof(void*) == 8 || Is64BitWindows(); }

bool RegistryKeyPresent(const std::wstring& path, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::wstring UninstallValue(const std::wstring& guid, const std::wstring& name, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid).c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return {};
    const UniqueRegKey owner(key);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return {};
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size);
    value.resize(wcslen(value.c_str()));
    return value;
}

std::string FileText(const std::wstring& path) { return ReadFileBytes(path); }

bool IsWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

InstallerTest::InstallerTest() {
    state.ApplicExeName = exeName;
    state.lbShortCutExe = {exeName};
    state.ApplicBasePath = setup.Path();
    state.ApplicConfigPath = setup.Path();
    view.guid = guid;
    view.displayName = L"Orvelin Test " + application;
    view.shortcutName = application;
    view.addShortcut = false;
}

InstallerTest::~InstallerTest() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid).c_str());
    for (int kind = 1; kind <= 4; ++kind) RemoveTree(BaseFolder(kind));
    RemoveTree(ProgramGroupFolder());
    // A nameless shortcut would be ".LNK" on the shared desktop: no test makes one there.
    if (!view.shortcutName.empty()) DeleteFileW(DesktopLink().c_str());
}

void InstallerTest::LoadCatalogue() {
    catalogue.Save(setup.Path());
    state.catalogue.Load(setup.Path());
}

std::wstring InstallerTest::CategoryFolder(const std::wstring& category) const {
    return setup.Path() + L"FILES\\" + category;
}

std::wstring InstallerTest::Source(const std::wstring& category, const std::wstring& relative) const {
    return CategoryFolder(category) + L"\\" + relative;
}

std::wstring InstallerTest::PutSource(const std::wstring& category, const std::wstring& relative) {
    const std::wstring path = Source(category, relative);
    WriteFileBytes(path, ToUtf8(path));
    return path;
}

std::wstring InstallerTest::ProgramGroupFolder() const {
    return ShellFolder(CSIDL_COMMON_PROGRAMS) + L"\\ORVELIN\\" + view.displayName;
}

std::wstring InstallerTest::DesktopLink() const {
    return ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + view.shortcutName + L".LNK";
}

void InstallerTest::StandOnApplication(int majorId) {
    DataPacketTable& applics = state.catalogue.cdsApplics;
    for (applics.First(); !applics.Eof(); applics.Next())
        if (applics.AsInteger(L"MAJOR_ID") == majorId) return;
    FAIL() << "no application " << majorId;
}

}  // namespace orvelin::test

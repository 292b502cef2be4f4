#include "SampleProduct.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <stdexcept>

#include "contract/InstallContract.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace orvelin::test {

namespace {

std::wstring BuildFolder() {
    // The test program lies in <build>\bin\.
    return ExtractFilePath(ExcludeTrailingBackslash(ExtractFilePath(ModuleFilePath())));
}

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        throw std::runtime_error("no shell folder " + std::to_string(csidl));
    return path;
}

std::wstring SetupValue(const std::wstring& section, const std::wstring& key) {
    wchar_t value[2048] = {};
    GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", value, static_cast<DWORD>(std::size(value)),
                             (BuiltSampleSetup() + L"setup.ini").c_str());
    return value;
}

void CopyTree(const std::wstring& from, const std::wstring& to) {
    if (!ForceDirectories(to)) throw std::runtime_error("cannot create " + ToUtf8(to));
    ForEachEntry(from, L"*", [&](const WIN32_FIND_DATAW& entry) {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") return;
        const std::wstring source = IncludeTrailingBackslash(from) + name;
        const std::wstring target = IncludeTrailingBackslash(to) + name;
        if (IsFolder(entry))
            CopyTree(source, target);
        else if (!CopyFileW(source.c_str(), target.c_str(), FALSE))
            throw std::runtime_error("cannot copy " + ToUtf8(source));
    });
}

}  // namespace

std::wstring NativeProgramFiles() {
    UniqueRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_READ | KEY_WOW64_64KEY, key.Put()) != ERROR_SUCCESS)
        throw std::runtime_error("cannot open CurrentVersion in the 64-bit view");
    wchar_t path[MAX_PATH] = {};
    DWORD size = sizeof(path);
    if (RegQueryValueExW(key.Get(), L"ProgramFilesDir", nullptr, nullptr, reinterpret_cast<BYTE*>(path), &size) !=
        ERROR_SUCCESS)
        throw std::runtime_error("no ProgramFilesDir in the 64-bit view");
    return path;
}

std::wstring BuiltSampleSetup() { return BuildFolder() + L"sample-setup\\"; }
std::wstring BuiltMessageDictionary() { return BuildFolder() + L"sample-dictionary\\MsgFile.XML"; }
std::wstring BuiltSampleDescription() { return BuildFolder() + L"sample-description\\setup.catalog"; }
std::wstring BuiltProgram(const std::wstring& name) { return BuildFolder() + L"bin\\" + name; }

bool RunsUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

ReportedWindowsVersion::ReportedWindowsVersion(const std::wstring& programName, const std::wstring& version)
    : key_(L"Software\\Wine\\AppDefaults\\" + programName) {
    RegistryKey::Create(HKEY_CURRENT_USER, key_, KEY_SET_VALUE).WriteString(L"Version", version);
}

ReportedWindowsVersion::~ReportedWindowsVersion() {
    RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str());
}

SampleSetupCopy::SampleSetupCopy() : folder_(temp_ / L"setup\\") {
    if (!FileExists(BuiltSampleSetup() + L"install.exe"))
        throw std::runtime_error("the sample setup folder has not been built: " + ToUtf8(BuiltSampleSetup()));
    CopyTree(BuiltSampleSetup(), folder_);
}

SampleInstallation::SampleInstallation()
    : guid(SetupValue(L"Install", L"GuidId")),
      exeName(SetupValue(L"Setup", L"ApplicExeName")),
      displayName(SetupValue(L"Install", L"DisplayName")),
      shortcutName(SetupValue(L"Install", L"DskTopShortCutName")) {
    if (guid.empty() || exeName.empty()) throw std::runtime_error("the sample's setup.ini names no GUID or program");
    const std::wstring application = ChangeFileExt(exeName, L"");
    programFolder = CompanyFolder(ShellFolder(CSIDL_PROGRAM_FILESX86), application);
    nativeProgramFolder = CompanyFolder(NativeProgramFiles(), application);
    dataFolder = CompanyFolder(ShellFolder(CSIDL_COMMON_APPDATA), application);
    userDataFolder = CompanyFolder(ShellFolder(CSIDL_APPDATA), application);
    uninstallFolder = UninstallFolder(CompanyFolder(ShellFolder(CSIDL_COMMON_APPDATA), L"install") + L"\\", guid);
    groupFolder = ProgramGroupFolder(ShellFolder(CSIDL_COMMON_PROGRAMS), displayName);
    groupShortcut = groupFolder + L"\\" + shortcutName + kShortcutExtension;
    desktopShortcut = ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + shortcutName + kShortcutExtension;
    uninstallKey = UninstallKeyPath(guid);
    userKey = ProgramSettingsKeyPath(application);
}

std::vector<InstalledFile> SampleInstallation::CopiedFiles() const {
    // Applications in the description's order, each node's files by name; the database server's
    // client settings go into the first used folder ending with "BIN", the application's own.
    return {
        {L"FILES\\INSTALLED APPLIC\\OrvelinDemo.cfg", programFolder + L"\\BIN\\OrvelinDemo.cfg"},
        {L"FILES\\INSTALLED APPLIC\\OrvelinDemo.exe", programFolder + L"\\BIN\\OrvelinDemo.exe"},
        {L"FILES\\INSTALLED APPLIC\\License.txt", programFolder + L"\\DOC\\License.txt"},
        {L"FILES\\INSTALLED APPLIC\\ReadMe.txt", programFolder + L"\\DOC\\ReadMe.txt"},
        {L"FILES\\INSTALLED APPLIC\\Accounts.dat", dataFolder + L"\\DATA\\Accounts.dat"},
        {L"FILES\\INSTALLED APPLIC\\Company.dat", dataFolder + L"\\DATA\\Company.dat"},
        {L"FILES\\COMMON APPLIC\\Preferences.ini", userDataFolder + L"\\COMMON\\Preferences.ini"},
        {L"FILES\\WINDOWS\\OrvelinPrint.cfg", nativeProgramFolder + L"\\SYSTEM\\OrvelinPrint.cfg"},
        {L"FILES\\DATABASE SERVERS\\FIREBIRD25\\BIN\\firebird.conf", programFolder + L"\\BIN\\firebird.conf"},
    };
}

void SampleInstallation::RemoveAll() const {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, uninstallKey.c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, uninstallKey.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, userKey.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, userKey.c_str());
    for (const auto& folder : {programFolder, nativeProgramFolder, dataFolder, userDataFolder, uninstallFolder, groupFolder})
        RemoveTree(folder);
    SetFileAttributesW(desktopShortcut.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(desktopShortcut.c_str());
}

void ExpectSampleInstalled(const SampleInstallation& installation, const SampleSetupCopy& setup) {
    std::vector<std::wstring> expectedList;
    for (const auto& file : installation.CopiedFiles()) {
        SCOPED_TRACE(ToUtf8(file.destination));
        ASSERT_TRUE(FileExists(file.destination));
        EXPECT_EQ(ReadFileBytes(file.destination), ReadFileBytes(setup / file.source));
        expectedList.push_back(file.destination);
    }

    // The Uninstall key, in the registry view this test shares with the programs (the 32-bit
    // one for the shipped programs).
    const std::wstring uninstaller = installation.uninstallFolder + L"\\" + kUninstallerFile;
    SYSTEMTIME today;
    GetLocalTime(&today);
    wchar_t date[16];
    std::swprintf(date, std::size(date), L"%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
    const std::pair<const wchar_t*, std::wstring> values[] = {
        {L"DisplayName", installation.displayName},
        {L"UninstallString", uninstaller},
        {L"InstallLocation", installation.uninstallFolder},
        {L"Language", L"409"},
        {L"NoModify", L"1"},
        {L"NoRemove", L"1"},
        {L"NoRepair", L"1"},
        {L"Publisher", kPublisher},
        {L"DisplayIcon", installation.MainExecutable()},
        {L"DisplayVersion", L"" ORVELIN_VERSION_TEXT L".0"},
        {L"InstallDate", date},
        {L"QuietUninstallString", L"\"" + uninstaller + L"\" /quiet"},
    };
    std::vector<std::wstring> names = {L"EstimatedSize"};
    for (const auto& [name, data] : values) {
        EXPECT_EQ(ToUtf8(ReadStringValue(HKEY_LOCAL_MACHINE, installation.uninstallKey, name)), ToUtf8(data))
            << ToUtf8(name);
        names.push_back(name);
    }
    EXPECT_GT(ReadDwordValue(HKEY_LOCAL_MACHINE, installation.uninstallKey, L"EstimatedSize").value_or(0), 0u);
    std::vector<std::wstring> present = ValueNames(HKEY_LOCAL_MACHINE, installation.uninstallKey);
    std::sort(present.begin(), present.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(present, names);

    // Both shortcuts start the copied main executable in its folder.
    for (const auto& link : {installation.groupShortcut, installation.desktopShortcut}) {
        SCOPED_TRACE(ToUtf8(link));
        ASSERT_TRUE(FileExists(link));
        const ShortcutInfo shortcut = ReadShortcut(link);
        EXPECT_TRUE(EqualsIgnoreCase(shortcut.target, installation.MainExecutable())) << ToUtf8(shortcut.target);
        EXPECT_TRUE(EqualsIgnoreCase(ExcludeTrailingBackslash(shortcut.workingFolder), installation.programFolder + L"\\BIN"))
            << ToUtf8(shortcut.workingFolder);
    }

    // The uninstall folder: the uninstaller with its Arabic module, setup.ini and the list,
    // which names the copies, then the two shortcuts, then its own Setup.ini.
    const std::wstring applicationSource = setup / L"FILES\\INSTALLED APPLIC\\";
    EXPECT_EQ(ReadFileBytes(uninstaller), ReadFileBytes(applicationSource + kUninstallerFile));
    EXPECT_EQ(ReadFileBytes(installation.uninstallFolder + L"\\" + kUninstallerArabicModule),
              ReadFileBytes(applicationSource + kUninstallerArabicModule));
    EXPECT_EQ(ReadFileBytes(installation.uninstallFolder + L"\\" + kSetupIniCopy), ReadFileBytes(setup / L"setup.ini"));
    expectedList.push_back(installation.groupShortcut);
    expectedList.push_back(installation.desktopShortcut);
    expectedList.push_back(installation.uninstallFolder + L"\\" + kSetupIniCopy);
    bool eachLineEnded = false;
    EXPECT_EQ(ReadAnsiLines(installation.uninstallFolder + L"\\" + kInstalledFileList, &eachLineEnded), expectedList);
    EXPECT_TRUE(eachLineEnded);
}

void ExpectSampleUninstalled(const SampleInstallation& installation, const std::vector<std::wstring>& listed) {
    for (const auto& file : listed) EXPECT_FALSE(FileExists(file)) << ToUtf8(file);
    EXPECT_FALSE(FileExists(installation.uninstallFolder + L"\\" + kInstalledFileList));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, installation.uninstallKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, installation.userKey));
    EXPECT_FALSE(DirectoryExists(installation.groupFolder));
    for (const auto& folder : {installation.programFolder, installation.dataFolder})
        EXPECT_TRUE(FilesUnder(folder).empty()) << ToUtf8(folder);
    // Neither the uninstaller nor its folder is listed: both stay.
    EXPECT_TRUE(FileExists(installation.uninstallFolder + L"\\" + kUninstallerFile));
}

std::optional<DWORD> ReadDwordValue(HKEY root, const std::wstring& path, const std::wstring& name) {
    UniqueRegKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS) return std::nullopt;
    DWORD value = 0, type = 0, size = sizeof(value);
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return value;
}

std::wstring InstallerBinFolder() { return CompanyFolder(ShellFolder(CSIDL_PROGRAM_FILES), L"install") + L"\\Bin\\"; }

ShortcutInfo ReadShortcut(const std::wstring& linkFile) {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())))
        throw std::runtime_error("cannot create a shell link object");
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) || FAILED(file->Load(linkFile.c_str(), STGM_READ)))
        throw std::runtime_error("cannot load the shortcut " + ToUtf8(linkFile));
    ShortcutInfo info;
    wchar_t text[MAX_PATH] = {};
    if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) info.target = text;
    text[0] = L'\0';
    if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) info.workingFolder = text;
    return info;
}

bool KeyExists(HKEY root, const std::wstring& path) {
    UniqueRegKey key;
    return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS;
}

std::wstring ReadStringValue(HKEY root, const std::wstring& path, const std::wstring& name) {
    UniqueRegKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS) {
        ADD_FAILURE() << "no key " << ToUtf8(path);
        return {};
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ) {
        ADD_FAILURE() << "no REG_SZ value " << ToUtf8(name) << " in " << ToUtf8(path);
        return {};
    }
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size);
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

std::vector<std::wstring> ValueNames(HKEY root, const std::wstring& path) {
    std::vector<std::wstring> names;
    UniqueRegKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS) return names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = static_cast<DWORD>(std::size(name));
        if (RegEnumValueW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

std::vector<std::wstring> FilesUnder(const std::wstring& folder) {
    std::vector<std::wstring> files;
    CollectFiles(files, folder, L"*.*");
    return files;
}

std::vector<std::wstring> ReadAnsiLines(const std::wstring& path, bool* eachLineEnded) {
    const std::string bytes = ReadFileBytes(path);
    std::vector<std::wstring> lines;
    bool ended = true;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find("\r\n", start);
        const std::string line = bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::wstring text(line.size(), L'\0');
        text.resize(MultiByteToWideChar(CP_ACP, 0, line.data(), static_cast<int>(line.size()), text.data(),
                                        static_cast<int>(text.size())));
        lines.push_back(text);
        if (end == std::string::npos) {
            ended = false;
            break;
        }
        start = end + 2;
    }
    if (eachLineEnded) *eachLineEnded = ended;
    return lines;
}

MessageBoxView NextMessage(const ChildProcess& program) {
    auto box = WaitForMessageBox(program);
    if (!box) throw std::runtime_error(program.Running() ? "no message box appeared" : "the program ended without a message box");
    return *box;
}

void ExpectMessage(const ChildProcess& program, const std::wstring& text, int button) {
    const MessageBoxView box = NextMessage(program);
    EXPECT_EQ(ToUtf8(box.text), ToUtf8(text));
    EXPECT_TRUE(box.Offers(button)) << "the box \"" << ToUtf8(box.text) << "\" has no button " << button;
    if (box.buttons.empty()) throw std::runtime_error("a message box without buttons");
    Answer(box, box.Offers(button) ? button : box.buttons.front());
}

}  // namespace orvelin::test

// An install by the installer's own run, then the uninstall of what it recorded.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include "InstalledRecord.h"
#include "installer/CatalogueWriter.h"
#include "contract/InstallContract.h"
#include "installer/InstallRun.h"
#include "installer/SetupPackage.h"
#include "platform/FileSystem.h"
#include "platform/ShellFolders.h"
#include "support/ProductTexts.h"
#include "support/ScriptedView.h"
#include "platform/Registry.h"
#include "platform/TextFile.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "support/TempFolder.h"
#include "uninstaller/UninstallRun.h"

using namespace orvelin;
using namespace orvelin::test;

namespace {

// Names of one application, unique to this run, and the places the installer gives them.
struct Application {
    Application() : guid(NewGuidText()) {}

    std::wstring Tag() const { return guid.substr(1, 8); }
    std::wstring BaseName() const { return L"Rt" + Tag(); }
    std::wstring ExeName() const { return BaseName() + L".exe"; }
    std::wstring DisplayName() const { return L"Round Trip " + Tag(); }
    std::wstring ShortcutName() const { return L"Round Trip App " + Tag(); }
    std::wstring ProgramFolder() const { return CompanyFolder(GetSpecialFolder(CSIDL_PROGRAM_FILES), BaseName()); }
    std::wstring DataFolder() const { return CompanyFolder(GetSpecialFolder(CSIDL_COMMON_APPDATA), BaseName()); }
    std::wstring GroupFolder() const {
        return ProgramGroupFolder(GetSpecialFolder(CSIDL_COMMON_PROGRAMS), DisplayName());
    }
    std::wstring ProgramShortcut() const { return GroupFolder() + L"\\" + ShortcutName() + kShortcutExtension; }
    std::wstring DesktopShortcut() const {
        return GetSpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + ShortcutName() + kShortcutExtension;
    }
    std::wstring UninstallKey() const { return UninstallKeyPath(guid); }
    std::wstring UserKey() const { return ProgramSettingsKeyPath(BaseName()); }

    const std::wstring guid;
};

// Whatever a failing run leaves, removed; the company's shared folders and key stay.
class ApplicationCleanup {
public:
    explicit ApplicationCleanup(const Application& application) : application_(application) {}
    ~ApplicationCleanup() {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, application_.UninstallKey().c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, application_.UserKey().c_str());
        RemoveTree(application_.ProgramFolder());
        RemoveTree(application_.DataFolder());
        RemoveTree(application_.GroupFolder());
        DeleteFileW(application_.DesktopShortcut().c_str());
    }
    ApplicationCleanup(const ApplicationCleanup&) = delete;
    ApplicationCleanup& operator=(const ApplicationCleanup&) = delete;

private:
    const Application& application_;
};

// The location kind whose base is the program-files folder the uninstaller empties: the
// 32-bit one (kind 1) for a 32-bit build, the native one (kind 2) for a 64-bit build.
int ProgramFilesKind() {
    return GetSpecialFolder(CSIDL_PROGRAM_FILESX86) == GetSpecialFolder(CSIDL_PROGRAM_FILES) ? 1 : 2;
}

// A setup folder: setup.ini, the catalogue, and the sources under FILES\. The program-files
// location takes the files straight into the application folder; the data location puts its
// file in a sub-folder.
void WriteSetupFolder(const std::wstring& setupFolder, const Application& application) {
    PutFile(setupFolder + L"setup.ini",
                   ToUtf8(L"[Setup]\r\nApplicExeName=" + application.ExeName() + L"\r\n[Install]\r\nGuidId=" +
                          application.guid + L"\r\nDisplayName=" + application.DisplayName() +
                          L"\r\nDskTopShortCutName=" + application.ShortcutName() + L"\r\nAddShortCut=1\r\n"));
    const std::wstring sources = setupFolder + L"FILES\\INSTALLED APPLIC\\";
    for (const auto& name : {application.ExeName(), std::wstring(L"Engine.dll"), std::wstring(L"uninstall.exe"),
                             std::wstring(L"settings.dat")})
        PutFile(sources + name, "MZ " + ToUtf8(name));

    CatalogueWriter catalogue;
    catalogue.Add(CatalogueApplication{.majorId = 1, .title = L"Application", .accountType = 1})
        .Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"", .functionId = ProgramFilesKind()})
        .Add(CatalogueLocation{.minorId = 20, .parentId = 1, .title = L"DATA", .functionId = 3})
        .Add(CatalogueFolder{.detailId = 200, .parentId = 20, .title = L"Settings"})
        .AddLocationFile(10, application.ExeName())
        .AddLocationFile(10, L"Engine.dll")
        .AddFolderFile(200, L"settings.dat");
    catalogue.Save(setupFolder);
}

TEST(UninstallRoundTripTest, RemovesWhatTheInstallerRecorded) {
    const Application application;
    const ApplicationCleanup cleanup(application);
    TempFolder setupFolder, installerData;
    WriteSetupFolder(setupFolder.Path(), application);

    SetupPackage package;
    package.Load(setupFolder.Path(), IniFile(setupFolder / L"setup.ini"));
    InstalledFiles installed;
    ScriptedView installView;
    const InstallContext context{installerData.Path(), WindowsPlatform::Detect(), Translator()};
    const InstallChoices choices{package.settings.shortcutName, package.settings.addDesktopShortcut, std::nullopt};
    TempFolder logFolder;
    RunLog log(logFolder / L"run.log");
    InstallChanges changes(UninstallFolder(installerData.Path(), application.guid), log);
    InstallRun(package, installed, changes, installView, context).Execute(choices);
    ASSERT_EQ(installView.messages, std::vector<std::wstring>{text::Installed});

    // What the application itself would have left: settings of its user, a file made in use.
    RegistryKey::Create(HKEY_CURRENT_USER, application.UserKey() + L"\\Grids", KEY_ALL_ACCESS)
        .WriteString(L"Width", L"80");
    MakeFile(application.DataFolder() + L"\\made while in use.db");

    const std::wstring uninstallFolder = UninstallFolder(installerData.Path(), application.guid);
    const std::vector<std::wstring> listed = ReadInstalledFileList(uninstallFolder + L"\\" + kInstalledFileList);
    ASSERT_EQ(listed.size(), 6u);
    for (const auto& file : listed) ASSERT_TRUE(FileExists(file)) << ToUtf8(file);
    ASSERT_TRUE(FileExists(application.ProgramShortcut()));
    ASSERT_TRUE(FileExists(application.DesktopShortcut()));

    const UninstallSettings settings = ReadUninstallSettings(IniFile(uninstallFolder + L"\\" + kSetupIniCopy));
    std::vector<UniqueHandle> heldMutexes;
    ScriptedView view;
    UninstallRun uninstall(settings, heldMutexes, view, log);
    EXPECT_EQ(uninstall.Execute(settings.removeFiles), UninstallRun::Outcome::Uninstalled);

    EXPECT_EQ(view.messages, std::vector<std::wstring>{text::Uninstalled});
    EXPECT_TRUE(view.errors.empty());
    EXPECT_EQ(view.progressPosition, 80);
    for (const auto& file : listed) EXPECT_FALSE(FileExists(file)) << ToUtf8(file);
    EXPECT_FALSE(FileExists(uninstallFolder + L"\\" + kInstalledFileList));
    EXPECT_TRUE(FileExists(uninstallFolder + L"\\" + kUninstallerFile));
    EXPECT_EQ(uninstall.Trace().programShortcut, application.ProgramShortcut());
    EXPECT_EQ(uninstall.Trace().desktopShortcut, application.DesktopShortcut());
    EXPECT_FALSE(DirectoryExists(application.ProgramFolder()));
    EXPECT_TRUE(FileExists(application.DataFolder() + L"\\made while in use.db"));
    EXPECT_FALSE(DirectoryExists(application.GroupFolder()));
    EXPECT_TRUE(DirectoryExists(ExtractFilePath(application.GroupFolder()))) << "the company's group stays";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, application.UninstallKey()));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, application.UserKey()));
}

}  // namespace

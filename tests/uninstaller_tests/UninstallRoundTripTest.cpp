// An install by the installer's own run, then the uninstall of what it recorded.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include "InstalledRecord.h"
#include "ScriptedUninstallView.h"
#include "installer/CatalogueWriter.h"
#include "installer/InstallRun.h"
#include "shared/FileSystem.h"
#include "shared/GenUtil.h"
#include "shared/Registry.h"
#include "shared/TextFile.h"
#include "shared/TextUtil.h"
#include "support/TempFolder.h"
#include "uninstaller/UninstallRun.h"

using namespace orvelin;
using namespace orvelin::test;

namespace {

class ScriptedInstallView : public InstallView {
public:
    std::wstring guid, displayName, shortcutName;
    bool addShortcut = true;
    int closeRequests = 0;
    ScriptedView script;

    std::wstring GuidId() const override { return guid; }
    std::wstring DisplayName() const override { return displayName; }
    std::wstring ShortcutName() const override { return shortcutName; }
    bool AddShortcut() const override { return addShortcut; }
    bool DatabaseChoiceShown() const override { return false; }
    int DatabaseIndex() const override { return -1; }
    void SelectDatabase(int) override {}
    void CloseWindow() override { ++closeRequests; }

    void SetStatus(const std::wstring& text) override { script.SetStatus(text); }
    void SetProgressMax(int maximum) override { script.SetProgressMax(maximum); }
    void SetProgressPosition(int position) override { script.SetProgressPosition(position); }
    void StepProgress(int delta) override { script.StepProgress(delta); }
    int ProgressPosition() const override { return script.ProgressPosition(); }
    void ShowMessage(const std::wstring& text) override { script.ShowMessage(text); }
    void ShowError(const std::wstring& text) override { script.ShowError(text); }
    bool Ask(const std::wstring& question) override { return script.Ask(question); }
    bool ProcessMessages() override { return script.ProcessMessages(); }
    HWND Owner() const override { return script.Owner(); }
};

// Names of one application, unique to this run, and the places the installer gives them.
struct Application {
    Application() : guid(NewGuidText()) {}

    std::wstring Tag() const { return guid.substr(1, 8); }
    std::wstring BaseName() const { return L"Rt" + Tag(); }
    std::wstring ExeName() const { return BaseName() + L".exe"; }
    std::wstring DisplayName() const { return L"Round Trip " + Tag(); }
    std::wstring ShortcutName() const { return L"Round Trip App " + Tag(); }
    std::wstring ProgramFolder() const { return GetSpecialFolder(CSIDL_PROGRAM_FILES) + L"\\ORVELIN\\" + BaseName(); }
    std::wstring DataFolder() const { return GetSpecialFolder(CSIDL_COMMON_APPDATA) + L"\\ORVELIN\\" + BaseName(); }
    std::wstring GroupParent() const { return GetSpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\ORVELIN"; }
    std::wstring GroupFolder() const { return GroupParent() + L"\\" + DisplayName(); }
    std::wstring ProgramShortcut() const { return GroupFolder() + L"\\" + ShortcutName() + L".LNK"; }
    std::wstring DesktopShortcut() const {
        return GetSpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + ShortcutName() + L".LNK";
    }
    std::wstring UninstallKey() const { return L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + guid; }
    std::wstring UserKey() const { return L"Software\\ORVELIN\\" + BaseName(); }

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
    WriteFileBytes(setupFolder + L"setup.ini",
                   ToUtf8(L"[Setup]\r\nApplicExeName=" + application.ExeName() + L"\r\n[Install]\r\nGuidId=" +
                          application.guid + L"\r\nDisplayName=" + application.DisplayName() +
                          L"\r\nDskTopShortCutName=" + application.ShortcutName() + L"\r\nAddShortCut=1\r\n"));
    const std::wstring sources = setupFolder + L"FILES\\INSTALLED APPLIC\\";
    for (const auto& name : {application.ExeName(), std::wstring(L"Engine.dll"), std::wstring(L"uninstall.exe"),
                             std::wstring(L"settings.dat")})
        WriteFileBytes(sources + name, "MZ " + ToUtf8(name));

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

    InstallerState installer;
    const auto installShown =
        PrepareShow(installer, true, IniFile(setupFolder / L"setup.ini"), ExcludeTrailingBackslash(setupFolder.Path()));
    ASSERT_TRUE(installShown);
    ScriptedInstallView installView;
    installView.guid = installShown->guidId;
    installView.displayName = installShown->displayName;
    installView.shortcutName = installShown->shortcutName;
    installView.addShortcut = installShown->addShortcut;
    InstallRun(installer, installView, setupFolder.Path(), installerData.Path()).Execute();
    ASSERT_EQ(installView.script.messages, std::vector<std::wstring>{L"Program was installed successfully"});

    // What the application itself would have left: settings of its user, a file made in use.
    RegistryKey::Create(HKEY_CURRENT_USER, application.UserKey() + L"\\Grids", KEY_ALL_ACCESS)
        .WriteString(L"Width", L"80");
    MakeFile(application.DataFolder() + L"\\made while in use.db");

    const std::wstring uninstallFolder = installerData / application.guid;
    const std::vector<std::wstring> listed = ReadTextFile(uninstallFolder + L"\\uninstallfilelist.txt").lines;
    ASSERT_EQ(listed.size(), 6u);
    for (const auto& file : listed) ASSERT_TRUE(FileExists(file)) << ToUtf8(file);
    ASSERT_TRUE(FileExists(application.ProgramShortcut()));
    ASSERT_TRUE(FileExists(application.DesktopShortcut()));

    UninstallerState uninstaller;
    const auto shown = PrepareUninstallShow(uninstaller, true, IniFile(uninstallFolder + L"\\Setup.ini"));
    ASSERT_TRUE(shown);
    ScriptedUninstallView view;
    view.guid = shown->guidId;
    view.removeFiles = shown->removeFiles;
    UninstallRun(uninstaller, view).Execute();

    EXPECT_EQ(view.script.messages, std::vector<std::wstring>{L"Program was uninstalled"});
    EXPECT_TRUE(view.script.errors.empty());
    EXPECT_EQ(view.closeRequests, 1);
    EXPECT_EQ(view.ProgressPosition(), 80);
    for (const auto& file : listed) EXPECT_FALSE(FileExists(file)) << ToUtf8(file);
    EXPECT_FALSE(FileExists(uninstallFolder + L"\\uninstallfilelist.txt"));
    EXPECT_TRUE(FileExists(uninstallFolder + L"\\uninstall.exe"));
    EXPECT_EQ(uninstaller.ProgShortCut, application.ProgramShortcut());
    EXPECT_EQ(uninstaller.DskTopShortCut, application.DesktopShortcut());
    EXPECT_FALSE(DirectoryExists(application.ProgramFolder()));
    EXPECT_TRUE(FileExists(application.DataFolder() + L"\\made while in use.db"));
    EXPECT_FALSE(DirectoryExists(application.GroupFolder()));
    EXPECT_TRUE(DirectoryExists(application.GroupParent()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, application.UninstallKey()));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, application.UserKey()));
}

}  // namespace

// An install by the installer's own run, then the uninstall of what it recorded.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <functional>

#include "InstalledRecord.h"
#include "installer/CatalogueWriter.h"
#include "contract/InstallContract.h"
#include "installer/InstallRun.h"
#include "installer/SetupPackage.h"
#include "platform/FileSystem.h"
#include "platform/ShellFolders.h"
#include "platform/Error.h"
#include "support/MachineState.h"
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

// What a kill leaves: the run stops where it is.
struct Killed {};

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

class UninstallRoundTripTest : public testing::Test {
public:
    UninstallRoundTripTest() { WriteSetupFolder(setupFolder.Path(), application); }

    // The installer's own run over the setup folder.
    void Install() {
        SetupPackage package;
        package.Load(setupFolder.Path(), IniFile(setupFolder / L"setup.ini"));
        InstalledFiles installed;
        ScriptedView installView;
        const InstallContext context{installerData.Path(), WindowsPlatform::Detect(), Translator()};
        const InstallChoices choices{package.settings.shortcutName, package.settings.addDesktopShortcut, std::nullopt};
        InstallChanges changes(uninstallFolder, log);
        InstallRun(package, installed, changes, installView, context).Execute(choices);
        ASSERT_EQ(installView.messages, std::vector<std::wstring>{text::Installed});
        // Settings the application keeps for its user.
        RegistryKey::Create(HKEY_CURRENT_USER, application.UserKey() + L"\\Grids", KEY_ALL_ACCESS)
            .WriteString(L"Width", L"80");
    }

    // One start of the uninstaller and its press of "Start UnInstall"; the error it ends with.
    std::wstring Uninstall(ScriptedView& view) {
        const UninstallSettings settings = ReadUninstallSettings(IniFile(uninstallFolder + L"\\" + kSetupIniCopy));
        std::vector<UniqueHandle> heldMutexes;
        UninstallRun uninstall(settings, heldMutexes, view, log);
        try {
            uninstall.Execute(settings.removeFiles);
            trace = uninstall.Trace();
        } catch (const Error& e) {
            return e.Text();
        } catch (const Killed&) {
            return L"killed";
        }
        return {};
    }

    // Everything the install touched, but the uninstall folder, which keeps the uninstaller.
    MachineState Capture() const {
        return MachineState::Capture({application.ProgramFolder(), application.DataFolder(), application.GroupFolder()},
                                     {application.UninstallKey()});
    }

    const Application application;
    const ApplicationCleanup cleanup{application};
    TempFolder setupFolder, installerData, logFolder;
    RunLog log{logFolder / L"run.log"};
    const std::wstring uninstallFolder = UninstallFolder(installerData.Path(), application.guid);
    UninstallTrace trace;
};

TEST_F(UninstallRoundTripTest, RemovesWhatTheInstallerRecorded) {
    ASSERT_NO_FATAL_FAILURE(Install());
    MakeFile(application.DataFolder() + L"\\made while in use.db");
    const std::vector<std::wstring> listed = ReadInstalledFileList(uninstallFolder + L"\\" + kInstalledFileList);
    ASSERT_EQ(listed.size(), 6u);
    for (const auto& file : listed) ASSERT_TRUE(FileExists(file)) << ToUtf8(file);
    ASSERT_TRUE(FileExists(application.ProgramShortcut()));
    ASSERT_TRUE(FileExists(application.DesktopShortcut()));

    ScriptedView view;
    EXPECT_EQ(Uninstall(view), L"");

    EXPECT_EQ(view.messages, std::vector<std::wstring>{text::Uninstalled});
    EXPECT_TRUE(view.errors.empty());
    EXPECT_EQ(view.progressPosition, 80);
    for (const auto& file : listed) EXPECT_FALSE(FileExists(file)) << ToUtf8(file);
    EXPECT_FALSE(FileExists(uninstallFolder + L"\\" + kInstalledFileList));
    EXPECT_TRUE(FileExists(uninstallFolder + L"\\" + kUninstallerFile));
    EXPECT_EQ(trace.programShortcut, application.ProgramShortcut());
    EXPECT_EQ(trace.desktopShortcut, application.DesktopShortcut());
    EXPECT_FALSE(DirectoryExists(application.ProgramFolder()));
    EXPECT_TRUE(FileExists(application.DataFolder() + L"\\made while in use.db"));
    EXPECT_FALSE(DirectoryExists(application.GroupFolder()));
    EXPECT_TRUE(DirectoryExists(ExtractFilePath(application.GroupFolder()))) << "the company's group stays";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, application.UninstallKey()));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, application.UserKey()));
}

struct UninstallFaultCase {
    const char* name;
    // Steps into the first run (through its view) or stands for what it left.
    std::function<void(UninstallRoundTripTest&, ScriptedView&)> arrange;
    const wchar_t* error;   // how the first run ends: the start of its error
};

void PrintTo(const UninstallFaultCase& c, std::ostream* out) { *out << c.name; }

class UninstallFaultTest : public UninstallRoundTripTest, public testing::WithParamInterface<UninstallFaultCase> {
public:
    UniqueFile held;
};

// The view stops the run at the nth status of that text.
void KillAt(ScriptedView& view, const std::wstring& status, int nth = 1) {
    view.onStatus = [status, nth, seen = 0](const std::wstring& text) mutable {
        if (text == status && ++seen == nth) throw Killed{};
    };
}

// Whatever stopped the first run, a second one finishes: the machine is as it was before the
// install, and nothing is reported removed while a file remains.
TEST_P(UninstallFaultTest, ARerunFinishes) {
    const MachineState beforeInstall = Capture();
    ASSERT_NO_FATAL_FAILURE(Install());

    ScriptedView first;
    GetParam().arrange(*this, first);
    const std::wstring error = Uninstall(first);
    EXPECT_TRUE(error.starts_with(GetParam().error)) << ToUtf8(error);
    EXPECT_TRUE(first.messages.empty());
    EXPECT_NE(Capture(), beforeInstall) << "the first run left nothing to finish";
    held.Reset();

    ScriptedView second;
    EXPECT_EQ(Uninstall(second), L"");
    EXPECT_EQ(second.messages, std::vector<std::wstring>{text::Uninstalled});
    EXPECT_EQ(Capture(), beforeInstall) << Differences(beforeInstall, Capture());
    EXPECT_FALSE(FileExists(application.DesktopShortcut()));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, application.UserKey()));
    EXPECT_FALSE(FileExists(uninstallFolder + L"\\" + kInstalledFileList));
    EXPECT_FALSE(FileExists(uninstallFolder + L"\\" + kSetupIniCopy));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UninstallFaultTest,
    testing::Values(
        UninstallFaultCase{"KilledHalfwayThroughTheFiles",
                           [](UninstallRoundTripTest& t, ScriptedView& view) {
                               // What a kill amid the deletions leaves: the last lines' files gone.
                               const auto listed =
                                   ReadInstalledFileList(t.uninstallFolder + L"\\" + kInstalledFileList);
                               for (size_t i = listed.size() / 2; i + 1 < listed.size(); ++i)
                                   DeleteFileW(listed[i].c_str());
                               KillAt(view, text::DeletingFiles);
                           },
                           L"killed"},
        UninstallFaultCase{"KilledAfterTheFiles",
                           [](UninstallRoundTripTest&, ScriptedView& view) { KillAt(view, text::DeletingDatabase); },
                           L"killed"},
        UninstallFaultCase{"KilledAfterTheShortcuts",
                           [](UninstallRoundTripTest&, ScriptedView& view) {
                               KillAt(view, text::RemovingFromControlPanel, 1);
                           },
                           L"killed"},
        UninstallFaultCase{"KilledAmidTheKeys",
                           [](UninstallRoundTripTest&, ScriptedView& view) {
                               KillAt(view, text::RemovingFromControlPanel, 2);
                           },
                           L"killed"},
        UninstallFaultCase{"FileHeldOpen",
                           [](UninstallRoundTripTest& t, ScriptedView&) {
                               auto& test = static_cast<UninstallFaultTest&>(t);
                               const std::wstring file = test.application.ProgramFolder() + L"\\Engine.dll";
                               test.held.Reset(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                           OPEN_EXISTING, 0, nullptr));
                               ASSERT_TRUE(test.held);
                           },
                           text::FilesNotDeleted}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

// Both programs as deployment tools start them: no window at all (/quiet), a window nobody
// needs to watch (/passive), the exit codes deployment tools read, and the logs kept.
#include <gtest/gtest.h>

#include <functional>

#include "SampleProduct.h"
#include "contract/InstallContract.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/ShellFolders.h"
#include "platform/Text.h"
#include "support/LogFile.h"
#include "support/ProgramSessions.h"
#include "ui/ExitCodes.h"

namespace orvelin::test {
namespace {

bool HasDisplay() { return GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) > 0; }

class UnattendedTest : public testing::Test {
protected:
    void SetUp() override { installation.RemoveAll(); }
    void TearDown() override { installation.RemoveAll(); }

    // Starts the program of the folder with the arguments and answers its exit code; fails the
    // test when a message box shows meanwhile.
    DWORD Run(const std::wstring& folder, const wchar_t* program, const std::wstring& arguments) {
        ChildProcess started(folder + program, folder, arguments);
        const auto box = WaitForMessageBox(started);
        EXPECT_FALSE(box) << "a message box showed: " << (box ? ToUtf8(box->text) : "");
        return started.WaitForExit().value_or(STILL_ACTIVE);
    }
    std::wstring UninstallFolder() const { return installation.uninstallFolder + L"\\"; }

    SampleInstallation installation;
    SampleSetupCopy setup;
    TempFolder logs;
};

// Runs in its own CTest entry, e2e_quiet_tests, started without a display: nothing in a quiet
// run may need one.
TEST_F(UnattendedTest, QuietInstallAndUninstallNeedNoDisplayAndLogEverything) {
    if (HasDisplay()) GTEST_SKIP() << "runs without a display: e2e_quiet_tests";
    const std::wstring installLog = logs / L"install.log";
    ASSERT_EQ(Run(setup.Folder(), L"install.exe", L"/quiet /log \"" + installLog + L"\""), 0u);

    ASSERT_NO_FATAL_FAILURE(ExpectSampleInstalled(installation, setup));
    // Other vendors' setup programs got their quiet arguments.
    EXPECT_EQ(ReadFileBytes(setup / L"FILES\\DATABASE SERVERS\\FIREBIRD25\\Setup\\setup-runs.log"),
              "FirebirdSetup.exe ran /VERYSILENT /SUPPRESSMSGBOXES\r\n");
    EXPECT_EQ(ReadFileBytes(setup / L"FILES\\THIRED PARTY APP\\REPORTVIEWER\\Report Viewer\\setup-runs.log"),
              "ReportViewerSetup.exe ran /quiet /norestart\r\n");
    const std::vector<std::wstring> events = LogEvents(installLog);
    for (const std::wstring& line : std::vector<std::wstring>{
             L"install.exe " ORVELIN_VERSION_TEXT L" started: ", L"Windows ",
          L"Folder created: " + installation.programFolder,
          L"File copied: " + (setup / L"FILES\\INSTALLED APPLIC\\OrvelinDemo.exe") + L" -> " +
              installation.MainExecutable(),
          L"Question: " + std::wstring(text::RunSetupQuestion) + L" -> Yes (unattended)",
          L"Setup program started: " + (setup / L"FILES\\DATABASE SERVERS\\FIREBIRD25\\Setup\\FirebirdSetup.exe") +
              L" /VERYSILENT /SUPPRESSMSGBOXES",
          L"Setup program ended: FirebirdSetup.exe, exit code 0",
          L"Registry value set: HKEY_LOCAL_MACHINE\\" + installation.uninstallKey + L" DisplayName = " +
              installation.displayName,
          L"Message: " + std::wstring(text::Installed), L"install.exe ended with exit code 0"})
        EXPECT_TRUE(HasEventStartingWith(events, line)) << ToUtf8(line);
    // Support staff find a copy where the product is recorded.
    EXPECT_TRUE(LogEvents(UninstallFolder() + kInstallLog).front().starts_with(L"install.exe "));

    const std::vector<std::wstring> listed = ReadAnsiLines(UninstallFolder() + kInstalledFileList);
    const std::wstring uninstallLog = logs / L"uninstall.log";
    ASSERT_EQ(Run(UninstallFolder(), L"uninstall.exe", L"/quiet /log \"" + uninstallLog + L"\""), 0u);

    ExpectSampleUninstalled(installation, listed);
    const std::vector<std::wstring> removal = LogEvents(uninstallLog);
    for (const std::wstring& line : std::vector<std::wstring>{
             L"Question: " + std::wstring(text::UninstallConfirmation) + L" -> Yes (unattended)",
          L"File deleted: " + installation.MainExecutable(),
          L"Registry key removed: HKEY_LOCAL_MACHINE\\" + installation.uninstallKey,
          L"Message: " + std::wstring(text::Uninstalled), L"uninstall.exe ended with exit code 0"})
        EXPECT_TRUE(HasEventStartingWith(removal, line)) << ToUtf8(line);
}

TEST_F(UnattendedTest, PassiveRunsShowTheirProgressAndCloseByThemselves) {
    // The setup programs take their time: the window is up meanwhile.
    InstallerSession installer(setup.Folder(), L"/passive /db INTERBASE /desktop no");
    ASSERT_TRUE(installer.FindWindow(text::InstallerCaption)) << "the window shows the progress";
    EXPECT_FALSE(WaitForMessageBox(installer.Program())) << "nothing waits for a person";
    ASSERT_EQ(installer.Program().WaitForExit(), 0u);
    EXPECT_TRUE(FileExists(installation.MainExecutable()));
    EXPECT_FALSE(FileExists(installation.desktopShortcut)) << "/desktop no";
    EXPECT_EQ(ReadFileBytes(setup / L"FILES\\DATABASE SERVERS\\FIREBIRD25\\Setup\\setup-runs.log"),
              "FirebirdSetup.exe ran /VERYSILENT /SUPPRESSMSGBOXES\r\n") << "Firebird in place of Interbase";

    // Done in a moment, maybe before its window can be seen.
    ChildProcess uninstaller(UninstallFolder() + L"uninstall.exe", UninstallFolder(), L"/passive /keepfiles");
    EXPECT_FALSE(WaitForMessageBox(uninstaller)) << "nothing waits for a person";
    ASSERT_EQ(uninstaller.WaitForExit(), 0u);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, installation.uninstallKey));
    EXPECT_TRUE(FileExists(installation.MainExecutable())) << "/keepfiles";
}

// ---- the exit codes, one case each ----

class ExitCodeTest;

struct ExitCodeCase {
    const char* name;
    ExitCode expected;
    // Brings the machine into the case's state; the fixture's setup folder is fresh.
    std::function<void(ExitCodeTest&)> arrange;
    // Starts the program and plays whatever person there is; answers its exit code.
    std::function<DWORD(ExitCodeTest&)> act;
};

class ExitCodeTest : public UnattendedTest, public testing::WithParamInterface<ExitCodeCase> {
public:
    void InstallQuietly() { ASSERT_EQ(Run(setup.Folder(), L"install.exe", L"/quiet /setups no"), 0u); }
    DWORD Start(const std::wstring& folder, const wchar_t* program, const std::wstring& arguments) {
        return Run(folder, program, arguments);
    }
    DWORD StartAnswering(const std::wstring& folder, const wchar_t* program, const std::wstring& arguments,
                         int button) {
        ChildProcess started(folder + program, folder, arguments);
        const MessageBoxView box = NextMessage(started);
        Answer(box, button);
        return started.WaitForExit().value_or(STILL_ACTIVE);
    }
    // The sample's uninstaller beside a copy of its setup.ini, as an uninstall folder holds them.
    std::wstring UninstallFolderWithoutRecord() {
        const std::wstring folder = logs / L"uninstall folder\\";
        ForceDirectories(folder);
        CopyFileW((setup / L"FILES\\INSTALLED APPLIC\\uninstall.exe").c_str(), (folder + L"uninstall.exe").c_str(), FALSE);
        CopyFileW((setup / L"setup.ini").c_str(), (folder + L"Setup.ini").c_str(), FALSE);
        return folder;
    }
    SampleSetupCopy& SetupFolder() { return setup; }
    const SampleInstallation& Installation() const { return installation; }
    std::wstring Uninstalls() const { return UninstallFolder(); }
};

TEST_P(ExitCodeTest, TellsDeploymentToolsHowTheRunEnded) {
    if (GetParam().arrange) {
        ASSERT_NO_FATAL_FAILURE(GetParam().arrange(*this));
    }
    EXPECT_EQ(GetParam().act(*this), static_cast<DWORD>(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExitCodeTest,
    testing::Values(
        ExitCodeCase{"InstalledQuietly", kSucceeded, nullptr,
                     [](ExitCodeTest& t) { return t.Start(t.SetupFolder().Folder(), L"install.exe", L"/quiet /setups no"); }},
        ExitCodeCase{"HelpShown", kSucceeded, nullptr,
                     [](ExitCodeTest& t) { return t.StartAnswering(t.SetupFolder().Folder(), L"install.exe", L"/?", IDOK); }},
        ExitCodeCase{"WindowClosedBeforeInstalling", kCancelled, nullptr,
                     [](ExitCodeTest& t) {
                         InstallerSession installer(t.SetupFolder().Folder());
                         EXPECT_TRUE(installer.FindWindow(text::InstallerCaption));
                         installer.PressExit();
                         return installer.Program().WaitForExit().value_or(STILL_ACTIVE);
                     }},
        ExitCodeCase{"UninstallNotConfirmed", kCancelled, [](ExitCodeTest& t) { t.InstallQuietly(); },
                     [](ExitCodeTest& t) {
                         UninstallerSession uninstaller(t.Uninstalls());
                         EXPECT_TRUE(uninstaller.FindWindow(text::UninstallerCaption));
                         uninstaller.PressStart();
                         ExpectMessage(uninstaller.Program(), text::UninstallConfirmation, IDNO);
                         uninstaller.Close();
                         return uninstaller.Program().WaitForExit().value_or(STILL_ACTIVE);
                     }},
        ExitCodeCase{"SourceFileMissing", kFailed,
                     [](ExitCodeTest& t) {
                         ASSERT_TRUE(DeleteFileW((t.SetupFolder() / L"FILES\\COMMON APPLIC\\Preferences.ini").c_str()));
                     },
                     [](ExitCodeTest& t) { return t.Start(t.SetupFolder().Folder(), L"install.exe", L"/quiet /setups no"); }},
        ExitCodeCase{"ApplicationRunning", kFailed, [](ExitCodeTest& t) { t.InstallQuietly(); },
                     [](ExitCodeTest& t) {
                         ChildProcess application(t.Installation().MainExecutable(),
                                                  ExtractFilePath(t.Installation().MainExecutable()));
                         EXPECT_TRUE(WaitForWindow(application, SampleApplicationCaption));
                         return t.Start(t.Uninstalls(), L"uninstall.exe", L"/quiet");
                     }},
        ExitCodeCase{"NotInstalled", kNotInstalled, nullptr,
                     [](ExitCodeTest& t) { return t.Start(t.UninstallFolderWithoutRecord(), L"uninstall.exe", L"/quiet"); }},
        ExitCodeCase{"AnotherRunning", kAnotherRunActive, nullptr,
                     [](ExitCodeTest& t) {
                         InstallerSession first(t.SetupFolder().Folder());
                         EXPECT_TRUE(first.FindWindow(text::InstallerCaption));
                         return t.Start(t.SetupFolder().Folder(), L"install.exe", L"/quiet");
                     }},
        ExitCodeCase{"AlreadyInstalled", kAlreadyInstalled, [](ExitCodeTest& t) { t.InstallQuietly(); },
                     [](ExitCodeTest& t) { return t.Start(t.SetupFolder().Folder(), L"install.exe", L"/quiet"); }},
        ExitCodeCase{"UnknownOptionQuietly", kBadCommandLine, nullptr,
                     [](ExitCodeTest& t) { return t.Start(t.SetupFolder().Folder(), L"install.exe", L"/quiet /silent"); }},
        ExitCodeCase{"TwoModes", kBadCommandLine, nullptr,
                     [](ExitCodeTest& t) {
                         return t.Start(t.SetupFolder() / L"FILES\\INSTALLED APPLIC\\", L"uninstall.exe",
                                        L"/quiet /passive");
                     }},
        ExitCodeCase{"UnknownOptionShown", kBadCommandLine, nullptr,
                     [](ExitCodeTest& t) {
                         ChildProcess started(t.SetupFolder() / L"install.exe", t.SetupFolder().Folder(), L"/db");
                         const MessageBoxView box = NextMessage(started);
                         EXPECT_NE(box.text.find(L"[/db NAME] [/desktop yes|no] [/setups yes|no]"), std::wstring::npos)
                             << ToUtf8(box.text);
                         Answer(box, IDOK);
                         return started.WaitForExit().value_or(STILL_ACTIVE);
                     }}),
    [](const testing::TestParamInfo<ExitCodeCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvelin::test

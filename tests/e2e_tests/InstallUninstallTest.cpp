// The sample installed and uninstalled through the programs' own windows, as a user does it.
#include <gtest/gtest.h>

#include <algorithm>

#include "SampleProduct.h"
#include "contract/InstallContract.h"
#include "ui/ExitCodes.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "support/ProgramSessions.h"

namespace orvelin::test {
namespace {

constexpr int FirebirdIndex = 1;
constexpr int OracleIndex = 3;

// Every test starts and ends without any trace of the sample on the machine (the prefix is
// shared with the other test programs and the demo).
class SampleTest : public testing::Test {
protected:
    void SetUp() override { installation.RemoveAll(); }
    void TearDown() override { installation.RemoveAll(); }

    // The shortest way through the installer: Firebird, no setup program run.
    void InstallQuietly() {
        InstallerSession installer(setup.Folder());
        ASSERT_TRUE(installer.FindWindow(text::InstallerCaption));
        installer.SelectDatabase(FirebirdIndex);
        installer.PressInstall();
        DeclineTheSetupProgramsToTheEnd(installer);
    }

    // Both setup programs announced and declined, then the success; the installer ends.
    static void DeclineTheSetupProgramsToTheEnd(const InstallerSession& installer) {
        for (const wchar_t* name : {L"FIREBIRD", L"Report Viewer"}) {
            ExpectMessage(installer.Program(), text::WillRunSetupFor + std::wstring(name));
            ExpectMessage(installer.Program(), text::RunSetupQuestion, IDNO);
        }
        ExpectMessage(installer.Program(), text::Installed);
        ASSERT_EQ(installer.Program().WaitForExit(), 0u);
    }

    std::wstring ListFile() const { return installation.uninstallFolder + L"\\uninstallfilelist.txt"; }

    SampleInstallation installation;
    SampleSetupCopy setup;
};

TEST_F(SampleTest, InstallsAfterTheDatabaseChoiceAndRunsOnlyTheAcceptedSetupProgram) {
    InstallerSession installer(setup.Folder());
    const ChildProcess& program = installer.Program();
    ASSERT_TRUE(installer.FindWindow(text::InstallerCaption));
    EXPECT_FALSE(IsLaidOutRightToLeft(installer.Window()));
    EXPECT_EQ(ClientAreaSize(installer.Window()), (PixelSize{344, 252})) << "at the prefix's 96 DPI";
    EXPECT_EQ(installer.Guid(), installation.guid);
    EXPECT_EQ(installer.DisplayName(), installation.displayName);
    EXPECT_EQ(installer.ShortcutName(), installation.shortcutName);
    EXPECT_TRUE(installer.AddShortcutTicked());
    ASSERT_TRUE(installer.DatabaseChoiceShown());
    EXPECT_EQ(installer.DatabaseIndex(), -1);
    EXPECT_EQ(ToUtf8(installer.DatabaseText()), "Select a databses");

    installer.PressInstall();
    ExpectMessage(program, L"A database server has to be selected. ");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, installation.uninstallKey));
    EXPECT_FALSE(DirectoryExists(installation.programFolder)) << "refused, yet something was installed";

    installer.SelectDatabase(OracleIndex);
    installer.PressInstall();
    ExpectMessage(program, L"Currently only Firebird database is supported. It will be used");
    const MessageBoxView announcement = NextMessage(program);
    EXPECT_EQ(installer.DatabaseIndex(), FirebirdIndex) << "Firebird is used instead";
    EXPECT_EQ(ToUtf8(announcement.text), "Installer will run the setup program for: FIREBIRD");
    Answer(announcement, IDOK);
    const MessageBoxView question = NextMessage(program);
    EXPECT_EQ(ToUtf8(question.text), ToUtf8(text::RunSetupQuestion));
    EXPECT_EQ(question.caption, L"install");
    std::vector<int> buttons = question.buttons;
    std::sort(buttons.begin(), buttons.end());
    EXPECT_EQ(buttons, (std::vector<int>{IDCANCEL, IDYES, IDNO}));
    Answer(question, IDYES);
    ExpectMessage(program, L"Installer will run the setup program for: Report Viewer");
    ExpectMessage(program, text::RunSetupQuestion, IDNO);
    ExpectMessage(program, L"Program was installed successfully");
    EXPECT_EQ(program.WaitForExit(), 0u);

    ASSERT_NO_FATAL_FAILURE(ExpectSampleInstalled(installation, setup));
    EXPECT_NE(installation.nativeProgramFolder, installation.programFolder) << "not a 64-bit prefix";

    // Only the accepted setup program ran, from the setup folder, as it is: a person watches.
    EXPECT_EQ(ReadFileBytes(setup / L"FILES\\DATABASE SERVERS\\FIREBIRD25\\Setup\\setup-runs.log"),
              "FirebirdSetup.exe ran\r\n");
    EXPECT_FALSE(FileExists(setup / L"FILES\\THIRED PARTY APP\\REPORTVIEWER\\Report Viewer\\setup-runs.log"));
}

TEST_F(SampleTest, SecondInstallIsRefusedAndChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(InstallQuietly());
    const std::string listBefore = ReadFileBytes(ListFile());

    InstallerSession again(setup.Folder());
    ASSERT_TRUE(again.FindWindow(text::InstallerCaption));
    again.SelectDatabase(FirebirdIndex);
    again.PressInstall();
    ExpectMessage(again.Program(), L"The program is already installed.");
    EXPECT_TRUE(again.WaitUntilInstallEnabled()) << "the window stays open for another try";
    EXPECT_TRUE(again.Program().Running());
    EXPECT_EQ(ReadFileBytes(ListFile()), listBefore);

    again.PressExit();
    EXPECT_EQ(again.Program().WaitForExit(), static_cast<DWORD>(kAlreadyInstalled)) << "the refusal is the exit code";
}

TEST_F(SampleTest, UninstallerWaitsForTheApplicationToEndThenRemovesEverythingListed) {
    ASSERT_NO_FATAL_FAILURE(InstallQuietly());
    const std::vector<std::wstring> listed = ReadAnsiLines(ListFile());
    ASSERT_FALSE(listed.empty());

    // The application, started the way its shortcut starts it, holds its GUID's mutex.
    const ShortcutInfo shortcut = ReadShortcut(installation.groupShortcut);
    ChildProcess application(shortcut.target, shortcut.workingFolder);
    const HWND applicationWindow = WaitForWindow(application, SampleApplicationCaption);
    ASSERT_NE(applicationWindow, nullptr);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, installation.userKey)) << "the application keeps its settings there";

    const std::wstring uninstallFolder = installation.uninstallFolder + L"\\";
    {
        UninstallerSession refused(uninstallFolder);
        ASSERT_TRUE(refused.FindWindow(text::UninstallerCaption));
        EXPECT_FALSE(IsLaidOutRightToLeft(refused.Window()));
        EXPECT_EQ(ClientAreaSize(refused.Window()), (PixelSize{325, 239})) << "at the prefix's 96 DPI";
        EXPECT_EQ(refused.Guid(), installation.guid);
        EXPECT_EQ(refused.DisplayName(), installation.displayName);
        EXPECT_TRUE(refused.RemoveFilesTicked());
        refused.PressStart();
        ExpectMessage(refused.Program(), text::UninstallConfirmation, IDYES);
        ExpectMessage(refused.Program(), L"The application is running. Quite the application before uninstalling.");
        EXPECT_TRUE(refused.WaitUntilStartEnabled());
        EXPECT_TRUE(FileExists(installation.MainExecutable()));
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, installation.uninstallKey));
        refused.Close();
        EXPECT_EQ(refused.Program().WaitForExit(), static_cast<DWORD>(kFailed));
    }

    PostMessageW(applicationWindow, WM_CLOSE, 0, 0);
    ASSERT_EQ(application.WaitForExit(), 0u);

    UninstallerSession uninstaller(uninstallFolder);
    ASSERT_TRUE(uninstaller.FindWindow(text::UninstallerCaption));
    uninstaller.PressStart();
    ExpectMessage(uninstaller.Program(), text::UninstallConfirmation, IDYES);
    ExpectMessage(uninstaller.Program(), L"Program was uninstalled");
    EXPECT_EQ(uninstaller.Program().WaitForExit(), 0u);

    ExpectSampleUninstalled(installation, listed);
}

// A listed file missing from the setup folder: the check when Install is pressed stops the run
// with its finding before anything is copied.
TEST_F(SampleTest, ASetupFolderErrorStopsTheInstallBeforeAnythingChanges) {
    ASSERT_TRUE(DeleteFileW((setup / L"FILES\\COMMON APPLIC\\Preferences.ini").c_str()));

    InstallerSession installer(setup.Folder());
    ASSERT_TRUE(installer.FindWindow(text::InstallerCaption));
    installer.SelectDatabase(FirebirdIndex);
    installer.PressInstall();
    const MessageBoxView error = NextMessage(installer.Program());
    EXPECT_EQ(ToUtf8(error.text).rfind("The setup folder has errors, so nothing was installed:\r\n\r\n"
                                       "error source-missing: data\\tblFiles.xml, FILE_ID 7 \"Preferences.ini\": ",
                                       0),
              0u)
        << ToUtf8(error.text);
    Answer(error, IDOK);

    ASSERT_TRUE(installer.WaitUntilInstallEnabled());
    for (const auto& folder : {installation.programFolder, installation.dataFolder, installation.userDataFolder,
                               installation.uninstallFolder, installation.groupFolder})
        EXPECT_FALSE(DirectoryExists(folder)) << ToUtf8(folder);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, installation.uninstallKey));
    installer.PressExit();
    EXPECT_EQ(installer.Program().WaitForExit(), static_cast<DWORD>(kFailed));
}

// A destination that cannot be written: a folder already bears the name of a file to copy.
TEST_F(SampleTest, FailedCopyLeavesTheWindowOpenAndInstallMayBePressedAgain) {
    const std::vector<InstalledFile> copies = installation.CopiedFiles();
    const InstalledFile& blocked = copies[4];   // the first file of the second location
    ASSERT_TRUE(ForceDirectories(blocked.destination));

    InstallerSession installer(setup.Folder());
    ASSERT_TRUE(installer.FindWindow(text::InstallerCaption));
    installer.SelectDatabase(FirebirdIndex);
    installer.PressInstall();
    ExpectMessage(installer.Program(), (setup / blocked.source) + L"\n\r" + ExcludeTrailingBackslash(ExtractFilePath(blocked.destination)));
    const MessageBoxView error = NextMessage(installer.Program());
    EXPECT_EQ(ToUtf8(error.text).rfind("Error executing copyFile System Error.  Code: ", 0), 0u) << ToUtf8(error.text);
    Answer(error, IDOK);

    ASSERT_TRUE(installer.WaitUntilInstallEnabled());
    EXPECT_TRUE(installer.Program().Running());
    EXPECT_EQ(ToUtf8(installer.Status()), ToUtf8(L"Copying: " + (setup / copies[3].source))) << "the last copy made";
    for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(FileExists(copies[i].destination)) << "copied before the error";
    EXPECT_FALSE(FileExists(copies[5].destination));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, installation.uninstallKey));

    RemoveTree(blocked.destination);
    installer.PressInstall();
    ASSERT_NO_FATAL_FAILURE(DeclineTheSetupProgramsToTheEnd(installer));

    // The second run appends to the first run's list: its four copies come first.
    std::vector<std::wstring> expectedList;
    for (size_t i = 0; i < 4; ++i) expectedList.push_back(copies[i].destination);
    for (const auto& file : copies) expectedList.push_back(file.destination);
    expectedList.push_back(installation.groupShortcut);
    expectedList.push_back(installation.desktopShortcut);
    expectedList.push_back(installation.uninstallFolder + L"\\Setup.ini");
    EXPECT_EQ(ReadAnsiLines(ListFile()), expectedList);
}

}  // namespace
}  // namespace orvelin::test

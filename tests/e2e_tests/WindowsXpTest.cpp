// The Windows generation is read from the system for real: the installer, told by Wine's
// per-program setting that it runs on Windows XP, takes the sample's older database server.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "SampleProduct.h"
#include "contract/InstallContract.h"
#include "platform/FileSystem.h"
#include "platform/ShellFolders.h"
#include "platform/Text.h"
#include "support/ProgramSessions.h"

namespace orvelin::test {
namespace {

// The installer under a name of its own, so that Wine's setting reaches no other program.
constexpr const wchar_t* XpInstaller = L"install_xp.exe";

class WindowsXpTest : public testing::Test {
protected:
    void SetUp() override {
        installation.RemoveAll();
        RemoveTree(XpUninstallFolder());
    }
    void TearDown() override {
        installation.RemoveAll();
        RemoveTree(XpUninstallFolder());
    }
    std::wstring XpUninstallFolder() const {
        return UninstallFolder(CompanyFolder(GetSpecialFolder(CSIDL_COMMON_APPDATA), L"install_xp") + L"\\",
                               installation.guid);
    }

    SampleInstallation installation;
    SampleSetupCopy setup;
};

TEST_F(WindowsXpTest, TheInstallerToldItRunsOnXpTakesTheOlderServer) {
    if (!RunsUnderWine()) GTEST_SKIP() << "the reported version is set per program through Wine's settings";
    ASSERT_TRUE(CopyFileW((setup / L"install.exe").c_str(), (setup / XpInstaller).c_str(), FALSE));
    const ReportedWindowsVersion xp(XpInstaller, L"winxp64");

    InstallerSession installer(setup.Folder(), L"", XpInstaller);
    ASSERT_TRUE(installer.FindWindow(text::InstallerCaption));
    installer.SelectDatabase(1);
    installer.PressInstall();
    // The server for Windows before Vista; the report viewer is offered for Vista and later only.
    ExpectMessage(installer.Program(), std::wstring(text::WillRunSetupFor) + L"FIREBIRD");
    ExpectMessage(installer.Program(), text::RunSetupQuestion, IDYES);
    ExpectMessage(installer.Program(), text::Installed);
    ASSERT_EQ(installer.Program().WaitForExit(), 0u);

    const std::wstring older = setup / L"FILES\\DATABASE SERVERS\\FIREBIRD15\\";
    EXPECT_EQ(ReadFileBytes(older + L"Setup\\setup-runs.log"), "FirebirdSetup.exe ran\r\n");
    EXPECT_FALSE(FileExists(setup / L"FILES\\DATABASE SERVERS\\FIREBIRD25\\Setup\\setup-runs.log"));
    // Kind 1 on Windows XP: the program-files folder of the shell's CSIDL_PROGRAM_FILES.
    const std::wstring programFolder = CompanyFolder(GetSpecialFolder(CSIDL_PROGRAM_FILES), L"OrvelinDemo");
    EXPECT_EQ(ReadFileBytes(programFolder + L"\\BIN\\firebird.conf"), ReadFileBytes(older + L"BIN\\firebird.conf"));
    EXPECT_TRUE(FileExists(XpUninstallFolder() + L"\\" + kInstalledFileList));
}

}  // namespace
}  // namespace orvelin::test

// Installs that are killed, given up or fail unattended leave the machine as it was, and the
// next start of the installer undoes what a killed one left.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <chrono>
#include <thread>

#include "SampleProduct.h"
#include "contract/InstallContract.h"
#include "installer/InstallJournal.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "support/LogFile.h"
#include "support/MachineState.h"
#include "support/ProgramSessions.h"
#include "ui/ExitCodes.h"

namespace orvelin::test {
namespace {

constexpr wchar_t kEarlierUndone[] =
    L"An earlier install of this product did not finish. What it had changed was undone: ";
constexpr wchar_t kGivenUp[] = L"The install did not finish, and what it had changed was undone: ";

class RecoveryTest : public testing::Test {
protected:
    void SetUp() override { installation.RemoveAll(); }
    void TearDown() override { installation.RemoveAll(); }

    MachineState Capture() const {
        return MachineState::Capture({installation.programFolder, installation.nativeProgramFolder,
                                      installation.dataFolder, installation.userDataFolder,
                                      installation.uninstallFolder, installation.groupFolder},
                                     {installation.uninstallKey});
    }
    void ExpectAsBefore(const MachineState& before) const {
        EXPECT_EQ(before, Capture()) << Differences(before, Capture());
        EXPECT_FALSE(FileExists(installation.desktopShortcut));
    }

    SampleInstallation installation;
    SampleSetupCopy setup;
    TempFolder logs;
};

// The programs named so that `parent` started, by their process ids. Other test programs share
// the wineserver and may run the same setup programs at the same time.
std::vector<DWORD> ChildrenNamed(DWORD parent, const std::wstring& exeName) {
    std::vector<DWORD> found;
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry))
        if (entry.th32ParentProcessID == parent && EqualsIgnoreCase(entry.szExeFile, exeName))
            found.push_back(entry.th32ProcessID);
    return found;
}

void WaitForProcessesToEnd(const std::vector<DWORD>& ids) {
    for (const DWORD id : ids) {
        const UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
        if (process) WaitForSingleObject(process.Get(), 30000);
    }
}

// Where install.exe is killed: amid the copies, while a setup program of another vendor runs
// (which goes on by itself), and after the last setup program, before the shortcuts and the
// record.
enum class KillPoint { AmidTheCopies, WhileASetupProgramRuns, AfterTheSetupPrograms };

class KilledInstallTest : public RecoveryTest, public testing::WithParamInterface<KillPoint> {
protected:
    bool Reached(const ChildProcess& install, const std::wstring& log) const {
        switch (GetParam()) {
            case KillPoint::AmidTheCopies:
                return FileExists(log) && HasEventStartingWith(LogEvents(log), L"File copied: ");
            case KillPoint::WhileASetupProgramRuns:
                return !ChildrenNamed(install.Id(), L"FirebirdSetup.exe").empty();
            case KillPoint::AfterTheSetupPrograms:
                return FileExists(log) &&
                       HasEventStartingWith(LogEvents(log), L"Setup program ended: ReportViewerSetup.exe");
        }
        return false;
    }
};

// install.exe killed at the point; the next start finds the journal, undoes what the killed
// run changed (the machine is as before while it says so), and installs anew.
TEST_P(KilledInstallTest, TheNextStartUndoesItThenInstalls) {
    // What the machine held before: an older copy of a file the install replaces.
    const InstalledFile replaced = installation.CopiedFiles().front();
    PutFile(replaced.destination, "an older copy");
    const MachineState before = Capture();

    const std::wstring log = logs / L"killed.log";
    {
        ChildProcess killed(setup.Installer(), setup.Folder(), L"/quiet /log \"" + log + L"\"");
        const auto deadline = std::chrono::steady_clock::now() + UiTimeout;
        while (!Reached(killed, log) && killed.Running() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(killed.Running()) << "the install ended before the kill";
        // A setup program the killed install started runs on; it is no part of the machine's state.
        const std::vector<DWORD> orphans = ChildrenNamed(killed.Id(), L"FirebirdSetup.exe");
        killed.Kill();
        WaitForProcessesToEnd(orphans);
    }
    ASSERT_TRUE(FileExists(installation.uninstallFolder + L"\\" + kInstallJournal)) << "the kill left no journal";
    EXPECT_NE(before, Capture());

    InstallerSession next(setup.Folder());
    const MessageBoxView undone = NextMessage(next.Program());
    EXPECT_TRUE(undone.text.starts_with(kEarlierUndone)) << ToUtf8(undone.text);
    ExpectAsBefore(before);
    Answer(undone, IDOK);
    ASSERT_TRUE(next.FindWindow(text::InstallerCaption));
    next.PressExit();
    EXPECT_EQ(next.Program().WaitForExit(), static_cast<DWORD>(kCancelled));
    ExpectAsBefore(before);

    ChildProcess again(setup.Installer(), setup.Folder(), L"/quiet /setups no");
    EXPECT_EQ(again.WaitForExit(), 0u);
    ExpectSampleInstalled(installation, setup);
}

INSTANTIATE_TEST_SUITE_P(Points, KilledInstallTest,
                         testing::Values(KillPoint::AmidTheCopies, KillPoint::WhileASetupProgramRuns,
                                         KillPoint::AfterTheSetupPrograms),
                         [](const auto& info) {
                             switch (info.param) {
                                 case KillPoint::AmidTheCopies: return "AmidTheCopies";
                                 case KillPoint::WhileASetupProgramRuns: return "WhileASetupProgramRuns";
                                 case KillPoint::AfterTheSetupPrograms: return "AfterTheSetupPrograms";
                             }
                             return "";
                         });

// A person who gives up after a failed run (Exit) gets the machine back as it was.
TEST_F(RecoveryTest, GivingUpAfterAFailedRunUndoesIt) {
    const std::vector<InstalledFile> copies = installation.CopiedFiles();
    PutFile(copies[0].destination, "an older copy");
    ASSERT_TRUE(ForceDirectories(copies[4].destination));   // a folder where a file goes
    const MachineState before = Capture();

    InstallerSession installer(setup.Folder());
    ASSERT_TRUE(installer.FindWindow(text::InstallerCaption));
    installer.SelectDatabase(1);
    installer.PressInstall();
    // The failed copy's notice, then its error.
    for (MessageBoxView box = NextMessage(installer.Program());; box = NextMessage(installer.Program())) {
        Answer(box, IDOK);
        if (box.text.starts_with(L"Error executing copyFile ")) break;
    }
    ASSERT_TRUE(installer.WaitUntilInstallEnabled());

    installer.PressExit();
    const MessageBoxView undone = NextMessage(installer.Program());
    EXPECT_TRUE(undone.text.starts_with(kGivenUp)) << ToUtf8(undone.text);
    Answer(undone, IDOK);
    EXPECT_EQ(installer.Program().WaitForExit(), static_cast<DWORD>(kFailed));
    ExpectAsBefore(before);
}

// Nobody is there to try again: an unattended run that fails undoes its changes at once.
TEST_F(RecoveryTest, AnUnattendedRunThatFailsUndoesAtOnce) {
    const std::vector<InstalledFile> copies = installation.CopiedFiles();
    PutFile(copies[0].destination, "an older copy");
    ASSERT_TRUE(ForceDirectories(copies[4].destination));
    const MachineState before = Capture();
    const std::wstring log = logs / L"failed.log";

    ChildProcess failed(setup.Installer(), setup.Folder(), L"/quiet /log \"" + log + L"\"");
    EXPECT_EQ(failed.WaitForExit(), static_cast<DWORD>(kFailed));

    ExpectAsBefore(before);
    EXPECT_TRUE(HasEventStartingWith(LogEvents(log), L"Message: " + std::wstring(kGivenUp)));
    EXPECT_TRUE(HasEventStartingWith(LogEvents(log), L"Undone: file restored: " + copies[0].destination));
}

}  // namespace
}  // namespace orvelin::test

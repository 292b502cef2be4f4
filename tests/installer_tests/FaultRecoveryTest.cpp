// Installs that fail, are given up or are killed leave the machine as it was: nothing of the
// run remains, and what was there before is byte for byte what it was.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "contract/InstallContract.h"
#include "installer/InstallJournal.h"
#include "installer_tests/InstallerFixture.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "support/MachineState.h"
#include "support/ProductTexts.h"

namespace orvelin::test {
namespace {

// What a kill leaves: the run stops where it is, and nothing of it is undone.
struct Killed {};

constexpr wchar_t kRecordStatus[] = L"Adding application to windows control panael";
constexpr wchar_t kCopyFailed[] = L"Error executing copyFile ";

class FaultRecoveryTest;

struct FaultCase {
    const char* name;
    // Sets the fault up before the run; may step into the run through the view.
    std::function<void(FaultRecoveryTest&)> arrange;
    bool killed;           // the run is killed rather than failing
    const wchar_t* error;  // how the run ends: the start of its error
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

class FaultRecoveryTest : public InstallerTest, public ::testing::WithParamInterface<FaultCase> {
public:
    using InstallerTest::BaseFolder;
    using InstallerTest::guid;
    using InstallerTest::Source;
    using InstallerTest::view;

    FaultRecoveryTest() {
        PutFile(setup / L"Setup.ini", "[Install]\r\nGuidId=" + ToUtf8(guid) + "\r\n");
        catalogue.Add(CatalogueApplication{.majorId = 10, .title = L"Application", .accountType = 1})
            .Add(CatalogueLocation{.minorId = 100, .parentId = 10, .title = L"BIN", .functionId = 1})
            .Add(CatalogueLocation{.minorId = 101, .parentId = 10, .title = L"DATA", .functionId = 3});
        for (const std::wstring& name : {exeName, std::wstring(L"A.DLL"), std::wstring(L"B.DLL"), std::wstring(L"C.DLL")}) {
            catalogue.AddLocationFile(100, name);
            PutSource(kInstalledApplic, name);
        }
        catalogue.AddLocationFile(101, L"SETTINGS.DAT");
        PutSource(kInstalledApplic, L"SETTINGS.DAT");
        PutSource(kInstalledApplic, L"uninstall.exe");
        choices.addDesktopShortcut = true;
        // What the machine held before: an older copy of a file the install replaces, read-only
        // as some vendors ship them, and a file of the user's beside it.
        PutFile(OlderDll(), "the older A.DLL");
        SetFileAttributesW(OlderDll().c_str(), FILE_ATTRIBUTE_READONLY);
        PutFile(BaseFolder(1) + L"BIN\\notes.txt", "the user's notes");
    }

    std::wstring OlderDll() const { return BaseFolder(1) + L"BIN\\A.DLL"; }

    MachineState Capture() const {
        return MachineState::Capture({BaseFolder(1), BaseFolder(3), ProgramGroupFolder(), common.Path()},
                                     {UninstallKeyPath(guid)});
    }

    // One press of Install with changes of its own, as one start of the installer makes them.
    // Answers the error text, empty when none; a kill leaves the changes as they are.
    std::wstring Run(InstallChanges& changes) {
        try {
            InstallRun(package, installed, changes, view, context).Execute(choices);
        } catch (const Error& e) {
            return e.Text();
        } catch (const Killed&) {
            return L"killed";
        }
        return {};
    }

    void ExpectAsBefore(const MachineState& before) const {
        EXPECT_EQ(before, Capture()) << Differences(before, Capture());
        EXPECT_FALSE(FileExists(DesktopLink()));
        EXPECT_FALSE(RegistryKeyPresent(UninstallKeyPath(guid), 0));
    }

    // The view stops the run at the nth status that starts with the text.
    void KillAt(const std::wstring& status, int nth = 1) {
        view.onStatus = [status, nth, seen = 0](const std::wstring& text) mutable {
            if (text.starts_with(status) && ++seen == nth) throw Killed{};
        };
    }

    ~FaultRecoveryTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\OrvelinTests\\" + guid).c_str()); }

    UniqueFile lock;
    UniqueRegKey volatileKey;
};

TEST_P(FaultRecoveryTest, TheMachineIsLeftAsItWas) {
    LoadCatalogue();
    GetParam().arrange(*this);
    const MachineState before = Capture();
    ASSERT_FALSE(before.files.empty());

    {
        InstallChanges changes(UninstallFolder(), log);
        const std::wstring error = Run(changes);
        ASSERT_TRUE(error.starts_with(GetParam().error)) << ToUtf8(error);
        EXPECT_NE(before, Capture()) << "the run failed before it changed anything";
        lock.Reset();
        if (RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr) != ERROR_SUCCESS) ADD_FAILURE();
        if (!GetParam().killed) {
            const UndoReport undone = changes.Undo();
            EXPECT_TRUE(undone.notUndone.empty()) << ToUtf8(undone.Describe());
            EXPECT_FALSE(undone.Nothing());
        }
    }
    if (GetParam().killed) {
        // The next start finds the journal the killed run left.
        const auto undone = FinishEarlierInstall(UninstallFolder(), log);
        ASSERT_TRUE(undone.has_value());
        EXPECT_TRUE(undone->notUndone.empty()) << ToUtf8(undone->Describe());
    }
    ExpectAsBefore(before);

    // And carries on as a fresh start: the fault gone, the install completes.
    view = {};
    installed = {};
    PutSource(kInstalledApplic, L"C.DLL");
    PutSource(kInstalledApplic, L"uninstall.exe");
    DeleteFileW((BaseFolder(3) + L"DATA").c_str());
    InstallChanges changes(UninstallFolder(), log);
    EXPECT_EQ(Run(changes), L"");
    EXPECT_EQ(view.messages, Lines{text::Installed});
    EXPECT_FALSE(FileExists(UninstallFolder() + L"\\" + kInstallJournal));
    EXPECT_EQ(ReadFileBytes(OlderDll()), ReadFileBytes(Source(kInstalledApplic, L"A.DLL")));
    EXPECT_FALSE(FileExists(OlderDll() + L".orvelin-saved"));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultRecoveryTest,
    ::testing::Values(
        FaultCase{"KilledAfterTheFirstCopy", [](FaultRecoveryTest& t) { t.KillAt(L"Copying: ", 1); }, true, L"killed"},
        FaultCase{"KilledAfterTheReplacingCopy", [](FaultRecoveryTest& t) { t.KillAt(L"Copying: ", 2); }, true, L"killed"},
        FaultCase{"KilledAfterEveryCopy", [](FaultRecoveryTest& t) { t.KillAt(L"Copying: ", 5); }, true, L"killed"},
        FaultCase{"KilledBeforeTheRecord", [](FaultRecoveryTest& t) { t.KillAt(kRecordStatus); }, true, L"killed"},
        FaultCase{"LockedDestination",
                  [](FaultRecoveryTest& t) {
                      // An older B.DLL, held by a program that runs it.
                      const std::wstring held = t.BaseFolder(1) + L"BIN\\B.DLL";
                      PutFile(held, "the older B.DLL");
                      t.lock.Reset(CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                               nullptr));
                      ASSERT_TRUE(t.lock);
                  },
                  false, kCopyFailed},
        FaultCase{"MissingSource",
                  [](FaultRecoveryTest& t) {
                      // Gone once the copying has begun, as from a share that dropped: the check
                      // before the run found it.
                      t.view.onStatus = [&t](const std::wstring& text) {
                          if (text.starts_with(L"Copying: ")) DeleteFileW(t.Source(kInstalledApplic, L"C.DLL").c_str());
                      };
                  },
                  false, kCopyFailed},
        FaultCase{"FolderCannotBeCreated",
                  [](FaultRecoveryTest& t) {
                      // A file where the data folder goes; it was there before and stays.
                      PutFile(t.BaseFolder(3) + L"DATA", "a file, not a folder");
                  },
                  false, L"Cannot create the folder "},
        FaultCase{"RegistryWriteFails",
                  [](FaultRecoveryTest& t) {
                      // Once the files are in place, HKEY_LOCAL_MACHINE is a volatile key of the
                      // test's, under which no lasting key can be made.
                      HKEY key = nullptr;
                      ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (L"Software\\OrvelinTests\\" + t.guid).c_str(), 0,
                                                nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                                ERROR_SUCCESS);
                      t.volatileKey.Reset(key);
                      t.view.onStatus = [&t](const std::wstring& text) {
                          if (text == kRecordStatus) RegOverridePredefKey(HKEY_LOCAL_MACHINE, t.volatileKey.Get());
                      };
                  },
                  false, L"Failed to create key "},
        FaultCase{"UninstallerPlacementFails",
                  [](FaultRecoveryTest& t) {
                      t.view.onStatus = [&t](const std::wstring& text) {
                          if (text == kRecordStatus) DeleteFileW(t.Source(kInstalledApplic, L"uninstall.exe").c_str());
                      };
                  },
                  false, kCopyFailed}),
    [](const auto& info) { return std::string(info.param.name); });

// A run killed after it completed leaves a complete install: the next start only clears what
// the journal still held.
TEST_F(FaultRecoveryTest, AKillAfterTheInstallCompletedKeepsTheInstall) {
    LoadCatalogue();
    InstallChanges changes(UninstallFolder(), log);
    ASSERT_EQ(Run(changes), L"");
    const MachineState installed = Capture();
    {
        InstallJournal journal(UninstallFolder());
        journal.Record({JournalEntry::Kind::File, BaseFolder(1) + L"BIN\\A.DLL", {}});
        journal.Record({JournalEntry::Kind::Complete, {}, {}});
    }

    EXPECT_FALSE(FinishEarlierInstall(UninstallFolder(), log).has_value());

    EXPECT_EQ(installed, Capture()) << Differences(installed, Capture());
    EXPECT_TRUE(RegistryKeyPresent(UninstallKeyPath(guid), 0));
}

}  // namespace
}  // namespace orvelin::test

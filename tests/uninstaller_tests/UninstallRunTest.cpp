#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <shlobj.h>

#include "InstalledRecord.h"
#include "RunningApplication.h"
#include "support/ProductTexts.h"
#include "support/ScriptedView.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "ui/ExitCodes.h"
#include "uninstaller/FileRemoval.h"
#include "uninstaller/UninstallRun.h"

using namespace orvelin;
using namespace orvelin::test;

namespace {

const std::wstring kConfirmation = text::UninstallConfirmation;
const std::wstring kRunning = text::ApplicationRunning;
const std::wstring kRecordNotFound = text::RecordNotFound;
const std::wstring kFilesStatus = text::DeletingFiles;
const std::wstring kDatabaseStatus = text::DeletingDatabase;
const std::wstring kShortcutStatus = text::RemovingShortcuts;
const std::wstring kControlPanelStatus = text::RemovingFromControlPanel;

// "Start UnInstall" pressed once: the text of the error the run ended with (empty when none),
// what it found, and how it ended.
struct Pressed {
    std::wstring error;
    ExitCode exitCode = kSucceeded;
    UninstallTrace trace;
    std::optional<UninstallRun::Outcome> outcome;
};

Pressed Press(const UninstallSettings& settings, std::vector<UniqueHandle>& heldMutexes, ScriptedView& view,
              RunLog& log, bool removeFiles) {
    UninstallRun run(settings, heldMutexes, view, log);
    Pressed pressed;
    try {
        pressed.outcome = run.Execute(removeFiles);
    } catch (const Error& error) {
        pressed.error = error.Text();
        pressed.exitCode = ExitCodeOf(error);
    }
    pressed.trace = run.Trace();
    return pressed;
}

std::wstring ParentOf(const std::wstring& path) { return ExcludeTrailingBackslash(ExtractFilePath(path)); }

class UninstallRunTest : public testing::Test {
protected:
    std::wstring Press() {
        last = ::Press(settings, heldMutexes, view, log, removeFiles);
        return last.error;
    }

    // What an install typically leaves: files of the program folder, a data file beside one the
    // application made while in use, a program shortcut beside an unlisted file, and a desktop
    // shortcut.
    void InstallTypical() {
        record.Install(record.programFolder + L"\\App.exe");
        record.Install(record.programFolder + L"\\App.dll");
        record.Install(record.dataFolder + L"\\settings.dat");
        MakeFile(foreignFile = record.dataFolder + L"\\made while in use.db");
        programShortcut = record.Install(record.groupFolder + L"\\App.LNK");
        MakeFile(unlistedInGroup = record.groupFolder + L"\\Read me.url");
        desktopShortcut = record.Install(record.desktopFolder + L"\\" + record.application + L".LNK");
        record.Save();
    }

    void ExpectNothingChanged() const {
        for (const auto& file : record.listed) {
            if (!file.empty()) {
                EXPECT_TRUE(FileExists(file)) << ToUtf8(file);
            }
        }
        EXPECT_TRUE(FileExists(record.ListFile()));
        EXPECT_TRUE(FileExists(record.SetupIniCopy()));
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, record.UninstallKey()));
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, record.UserKey()));
        EXPECT_EQ(view.progressPosition, 0);
        EXPECT_TRUE(view.statuses.empty());
        EXPECT_TRUE(view.messages.empty());
        EXPECT_NE(last.outcome, UninstallRun::Outcome::Uninstalled);
    }

    void ExpectFinished(int bar) const {
        EXPECT_EQ(view.progressPosition, bar);
        EXPECT_EQ(view.messages, std::vector<std::wstring>{text::Uninstalled});
        EXPECT_EQ(last.outcome, UninstallRun::Outcome::Uninstalled);
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, record.UninstallKey()));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, record.UserKey()));
    }

    InstalledRecord record;
    UninstallSettings settings = record.Settings();
    std::vector<UniqueHandle> heldMutexes;
    ScriptedView view;
    TempFolder logFolder;
    RunLog log{logFolder / L"run.log"};
    bool removeFiles = true;
    Pressed last;
    std::wstring foreignFile, programShortcut, unlistedInGroup, desktopShortcut;
};

TEST_F(UninstallRunTest, RemovesWhatTheInstallerLeft) {
    InstallTypical();

    EXPECT_EQ(Press(), L"");

    EXPECT_EQ(view.questions, std::vector<std::wstring>{kConfirmation});
    EXPECT_TRUE(view.errors.empty());
    for (const auto& file : record.listed) EXPECT_FALSE(FileExists(file)) << ToUtf8(file);
    EXPECT_FALSE(FileExists(record.SetupIniCopy()));
    EXPECT_FALSE(FileExists(record.ListFile()));
    EXPECT_TRUE(FileExists(record.Uninstaller()));
    EXPECT_FALSE(DirectoryExists(record.programFolder));
    EXPECT_TRUE(FileExists(foreignFile));
    EXPECT_FALSE(FileExists(unlistedInGroup));
    EXPECT_FALSE(DirectoryExists(record.groupFolder));
    EXPECT_TRUE(DirectoryExists(record.groupParent));
    EXPECT_EQ(last.trace.uninstallFolder, record.uninstallFolder);
    EXPECT_EQ(last.trace.programShortcut, programShortcut);
    EXPECT_EQ(last.trace.desktopShortcut, desktopShortcut);
    EXPECT_EQ(view.statuses, (std::vector<std::wstring>{kFilesStatus, kDatabaseStatus, kShortcutStatus,
                                                                kControlPanelStatus, kControlPanelStatus}));
    ExpectFinished(80);
}

TEST_F(UninstallRunTest, WithRemoveFilesClearedOnlyTheKeysGo) {
    InstallTypical();
    removeFiles = false;

    EXPECT_EQ(Press(), L"");

    EXPECT_TRUE(view.questions.empty());
    EXPECT_TRUE(heldMutexes.empty());
    for (const auto& file : record.listed) EXPECT_TRUE(FileExists(file)) << ToUtf8(file);
    EXPECT_TRUE(FileExists(record.ListFile()));
    EXPECT_TRUE(FileExists(unlistedInGroup));
    EXPECT_EQ(last.trace.programShortcut, L"");
    EXPECT_EQ(last.trace.desktopShortcut, L"");
    EXPECT_EQ(view.statuses,
              (std::vector<std::wstring>{kShortcutStatus, kControlPanelStatus, kControlPanelStatus}));
    ExpectFinished(60);
}

TEST_F(UninstallRunTest, ConfirmationNotGivenChangesNothing) {
    InstallTypical();
    view.answers = {false};

    EXPECT_EQ(Press(), L"");

    EXPECT_EQ(view.questions.size(), 1u);
    EXPECT_TRUE(heldMutexes.empty());
    ExpectNothingChanged();
}

TEST_F(UninstallRunTest, RunningApplicationStopsTheRunAgainAndAgain) {
    InstallTypical();
    RunningApplication application(record.guid);

    EXPECT_EQ(Press(), kRunning);
    ExpectNothingChanged();

    // The uninstaller still holds the application's mutex, so its name outlives the application.
    application.Quit();
    EXPECT_EQ(Press(), kRunning);
    EXPECT_EQ(view.questions.size(), 2u);
    ExpectNothingChanged();
}

TEST_F(UninstallRunTest, SecondPressAfterAnErrorFindsItsOwnMutex) {
    InstallTypical();
    const std::wstring held = record.listed.front();
    UniqueFile open(CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(open);

    const std::wstring error = Press();
    EXPECT_TRUE(error.starts_with(text::FilesNotDeleted)) << ToUtf8(error);
    EXPECT_EQ(view.statuses, (std::vector<std::wstring>{kFilesStatus, kDatabaseStatus, kShortcutStatus}));

    EXPECT_EQ(Press(), kRunning);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, record.UninstallKey()));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, record.UserKey()));
}

// A file that cannot go is named; the rest goes; the record stays for a rerun, which finishes
// once the file is free and passes over what is already gone.
TEST_F(UninstallRunTest, AFileThatCannotGoKeepsTheRecordForARerun) {
    InstallTypical();
    const std::wstring held = record.listed[1];
    UniqueFile open(CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(open);

    const std::wstring error = Press();

    EXPECT_TRUE(error.starts_with(text::FilesNotDeleted)) << ToUtf8(error);
    EXPECT_NE(error.find(L"\r\n" + held + L" ("), std::wstring::npos) << ToUtf8(error);
    EXPECT_EQ(last.exitCode, kFailed);
    EXPECT_TRUE(view.messages.empty());
    for (const auto& file : record.listed) EXPECT_EQ(FileExists(file), file == held) << ToUtf8(file);
    EXPECT_TRUE(FileExists(record.ListFile()));
    EXPECT_TRUE(FileExists(record.SetupIniCopy()));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, record.UninstallKey()));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, record.UserKey()));

    open.Reset();
    heldMutexes.clear();   // a new start of the uninstaller
    view = {};
    EXPECT_EQ(Press(), L"");
    EXPECT_FALSE(FileExists(held));
    EXPECT_FALSE(FileExists(record.ListFile()));
    EXPECT_FALSE(FileExists(record.SetupIniCopy()));
    ExpectFinished(80);
}

TEST_F(UninstallRunTest, ReadOnlyAndMissingFilesAreNoObstacle) {
    const std::wstring readOnly = record.Install(record.programFolder + L"\\Locked.dat");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    record.listed.push_back(L"");
    record.listed.push_back(record.programFolder + L"\\Never copied.dll");
    const std::wstring removed = record.Install(record.programFolder + L"\\App.exe");
    record.listed.push_back(L"");
    record.Save();

    EXPECT_EQ(Press(), L"");

    EXPECT_TRUE(view.errors.empty());
    EXPECT_FALSE(FileExists(readOnly));
    EXPECT_FALSE(FileExists(removed));
    EXPECT_FALSE(DirectoryExists(record.programFolder));
    ExpectFinished(80);
}

enum class ListFault { Missing, Utf16WithoutMark, RelativeLine, ControlCharacter };

struct ListFaultCase {
    const char* name;
    ListFault fault;
    const wchar_t* says;
};

void PrintTo(const ListFaultCase& c, std::ostream* out) { *out << c.name; }

class UnusableListTest : public UninstallRunTest, public testing::WithParamInterface<ListFaultCase> {};

// Nothing is asked, removed or reported removed: the record stays as it was.
TEST_P(UnusableListTest, StopsBeforeAnythingIsRemoved) {
    InstallTypical();
    switch (GetParam().fault) {
        case ListFault::Missing: DeleteFileW(record.ListFile().c_str()); break;
        case ListFault::Utf16WithoutMark: {
            std::wstring text;
            for (const auto& line : record.listed) text += line + L"\r\n";
            PutFile(record.ListFile(), std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2));
            break;
        }
        case ListFault::RelativeLine:
            PutFile(record.ListFile(), ToUtf8(record.listed[0] + L"\r\nApp\\App.exe\r\n"));
            break;
        case ListFault::ControlCharacter:
            PutFile(record.ListFile(), ToUtf8(record.listed[0] + L"\r\n" + record.listed[1] + L"\x01\r\n"));
            break;
    }

    const std::wstring error = Press();

    EXPECT_NE(error.find(GetParam().says), std::wstring::npos) << ToUtf8(error);
    EXPECT_TRUE(error.ends_with(L"Nothing was removed.")) << ToUtf8(error);
    EXPECT_EQ(last.exitCode, kFailed);
    EXPECT_TRUE(view.questions.empty());
    for (const auto& file : record.listed) EXPECT_TRUE(FileExists(file)) << ToUtf8(file);
    EXPECT_TRUE(FileExists(record.SetupIniCopy()));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, record.UninstallKey()));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, record.UserKey()));
    EXPECT_TRUE(view.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UnusableListTest,
    testing::Values(ListFaultCase{"Missing", ListFault::Missing, L"cannot be read. Cannot open file"},
                    ListFaultCase{"Utf16WithoutMark", ListFault::Utf16WithoutMark, L"line 1 is no full file path"},
                    ListFaultCase{"RelativeLine", ListFault::RelativeLine, L"line 2 is no full file path"},
                    ListFaultCase{"ControlCharacter", ListFault::ControlCharacter, L"line 2 is no full file path"}),
    [](const auto& info) { return std::string(info.param.name); });

// A file of the application that merely ends in ".lnk" is no programs-menu shortcut: its
// folder, with the user's own files, is no folder to sweep.
TEST_F(UninstallRunTest, AShippedLnkFileDoesNotSweepItsFolder) {
    const std::wstring shipped = record.Install(record.dataFolder + L"\\Getting started.lnk");
    const std::wstring database = record.dataFolder + L"\\customers.db";
    MakeFile(database);
    MakeFile(database + L".bak");
    record.Save();

    EXPECT_EQ(Press(), L"");

    EXPECT_FALSE(FileExists(shipped));
    EXPECT_TRUE(FileExists(database));
    EXPECT_TRUE(FileExists(database + L".bak"));
    EXPECT_EQ(last.trace.programShortcut, L"");
    ExpectFinished(80);
}

// A list that names paths outside the product: they are named and left alone, links and
// junctions are not followed, and the product itself is still removed.
TEST_F(UninstallRunTest, ATamperedListIsNotObeyed) {
    InstallTypical();
    TempFolder victim;
    const std::wstring important = victim / L"important.txt";
    MakeFile(important);
    const std::wstring outside[] = {important, victim / L"nothing-here.lnk",
                                    record.programFolder + L"\\..\\..\\..\\victim.txt",
                                    record.groupParent + L"Other Suite.LNK"};
    for (const auto& path : outside) record.listed.push_back(path);
    record.Save();

    EXPECT_EQ(Press(), L"");

    EXPECT_TRUE(FileExists(important));
    EXPECT_TRUE(DirectoryExists(victim.Path()));
    ASSERT_EQ(view.messages.size(), 2u);
    for (const auto& path : outside) EXPECT_NE(view.messages[0].find(L"\r\n" + path), std::wstring::npos) << ToUtf8(path);
    EXPECT_EQ(view.messages[1], text::Uninstalled);
    EXPECT_FALSE(FileExists(programShortcut));
    EXPECT_FALSE(FileExists(desktopShortcut));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, record.UninstallKey()));
}

struct EncodingCase {
    const char* name;
    TextEncoding encoding;
    std::wstring fileName;
};

void PrintTo(const EncodingCase& encodingCase, std::ostream* out) { *out << encodingCase.name; }

class ListEncodingTest : public testing::TestWithParam<EncodingCase> {};

TEST_P(ListEncodingTest, ListIsReadAsTheInstallerWroteIt) {
    const EncodingCase& param = GetParam();
    if (param.encoding == TextEncoding::Ansi && !FitsAnsiCodePage({param.fileName}))
        GTEST_SKIP() << "the ANSI code page cannot hold the name";
    InstalledRecord record;
    const std::wstring file = record.Install(record.programFolder + L"\\" + param.fileName);
    record.Save(param.encoding);
    std::vector<UniqueHandle> heldMutexes;
    ScriptedView view;
    TempFolder logFolder;
    RunLog log(logFolder / L"run.log");

    EXPECT_EQ(Press(record.Settings(), heldMutexes, view, log, true).error, L"");

    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(DirectoryExists(record.programFolder));
    EXPECT_TRUE(view.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, ListEncodingTest,
    testing::Values(EncodingCase{"Utf8WithMarkArabic", TextEncoding::Utf8Bom,
                                 L"\x062a\x0642\x0631\x064a\x0631 "
                                 L"\x0627\x0644\x0645\x0628\x064a\x0639\x0627\x062a.txt"},
                    EncodingCase{"AnsiAccented", TextEncoding::Ansi, L"Caf\x00e9 Men\x00fc.txt"}),
    [](const testing::TestParamInfo<EncodingCase>& info) { return std::string(info.param.name); });

enum class MissingPart { UninstallKey, InstallLocation, Guid };

struct MissingRecordCase {
    const char* name;
    MissingPart part;
    bool removeFiles;
    ExitCode exitCode;
    const wchar_t* named;   // what the message names
};

void PrintTo(const MissingRecordCase& c, std::ostream* out) { *out << c.name; }

class MissingRecordTest : public UninstallRunTest, public testing::WithParamInterface<MissingRecordCase> {};

// Without the record the list would be read from the root of the current drive, an empty GUID
// would name the Uninstall key itself, and a run with nothing to remove is no uninstall.
TEST_P(MissingRecordTest, StopsBeforeAskingOrRemovingAnything) {
    const MissingRecordCase& c = GetParam();
    InstallTypical();
    switch (c.part) {
        case MissingPart::UninstallKey:
            RegDeleteTreeW(HKEY_LOCAL_MACHINE, record.UninstallKey().c_str());
            break;
        case MissingPart::InstallLocation:
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, record.UninstallKey().c_str(), L"InstallLocation");
            break;
        case MissingPart::Guid:
            settings.guid.clear();
            break;
    }
    removeFiles = c.removeFiles;

    const std::wstring error = Press();

    EXPECT_EQ(error.rfind(kRecordNotFound, 0), 0u) << ToUtf8(error);
    EXPECT_NE(error.find(c.named), std::wstring::npos) << ToUtf8(error);
    EXPECT_EQ(last.exitCode, c.exitCode);
    EXPECT_TRUE(view.questions.empty());
    EXPECT_EQ(view.progressPosition, 0);
    EXPECT_TRUE(view.statuses.empty());
    EXPECT_TRUE(view.messages.empty());
    for (const auto& file : record.listed) EXPECT_TRUE(FileExists(file)) << ToUtf8(file);
    EXPECT_TRUE(FileExists(record.ListFile()));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, record.UserKey()));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, ParentOf(record.UninstallKey())));
    EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, record.UninstallKey()), c.part != MissingPart::UninstallKey);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, MissingRecordTest,
    testing::Values(
        MissingRecordCase{"UninstallKey", MissingPart::UninstallKey, true, kNotInstalled, L"Uninstall\\{"},
        MissingRecordCase{"UninstallKeyKeepingFiles", MissingPart::UninstallKey, false, kNotInstalled, L"Uninstall\\{"},
        MissingRecordCase{"InstallLocation", MissingPart::InstallLocation, true, kFailed, L"InstallLocation"},
        MissingRecordCase{"Guid", MissingPart::Guid, true, kFailed, L"GUID"},
        MissingRecordCase{"GuidKeepingFiles", MissingPart::Guid, false, kFailed, L"GUID"}),
    [](const testing::TestParamInfo<MissingRecordCase>& info) { return std::string(info.param.name); });

TEST_F(UninstallRunTest, KeepingTheFilesWithoutInstallLocationStillRemovesTheRecord) {
    InstallTypical();
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, record.UninstallKey().c_str(), L"InstallLocation");
    removeFiles = false;

    EXPECT_EQ(Press(), L"");

    EXPECT_TRUE(FileExists(programShortcut));
    ExpectFinished(60);
}

struct SettingsCase {
    const char* name;
    std::wstring UninstallSettings::*field;
    std::wstring value;
    const wchar_t* says;
};

void PrintTo(const SettingsCase& c, std::ostream* out) { *out << c.name; }

class CraftedSettingsTest : public UninstallRunTest, public testing::WithParamInterface<SettingsCase> {};

// The GUID names the key deleted, the names the folders and the per-user key: a value that is
// not of its form stops the run before anything is asked or changed, whether the files go or not.
TEST_P(CraftedSettingsTest, StopBeforeAnythingChanges) {
    InstallTypical();
    settings.*GetParam().field = GetParam().value;
    const std::wstring uninstallKeys = ParentOf(record.UninstallKey());

    for (const bool files : {true, false}) {
        removeFiles = files;
        const std::wstring error = Press();

        EXPECT_NE(error.find(GetParam().says), std::wstring::npos) << ToUtf8(error);
        EXPECT_TRUE(error.ends_with(L"Nothing was changed.")) << ToUtf8(error);
        EXPECT_EQ(last.exitCode, kFailed);
        ExpectNothingChanged();
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, uninstallKeys));
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, ParentOf(record.UserKey())));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, CraftedSettingsTest,
    testing::Values(
        SettingsCase{"GuidClimbingOut", &UninstallSettings::guid, L"..\\..\\..\\victim", L"GuidId"},
        SettingsCase{"GuidWithAPathAfterIt", &UninstallSettings::guid, L"{X}\\..\\..\\..\\..\\windows", L"GuidId"},
        SettingsCase{"GuidABackslash", &UninstallSettings::guid, L"\\", L"GuidId"},
        SettingsCase{"GuidWithoutBraces", &UninstallSettings::guid, L"0A1B2C3D-0000-4000-8000-00000000000A", L"GuidId"},
        SettingsCase{"ExeNameClimbingOut", &UninstallSettings::applicationExe, L"..\\victim.exe", L"ApplicExeName"},
        SettingsCase{"ExeNameOnlyAnExtension", &UninstallSettings::applicationExe, L".exe", L"ApplicExeName"},
        SettingsCase{"ExeNameEmpty", &UninstallSettings::applicationExe, L"", L"ApplicExeName"},
        SettingsCase{"DisplayNameClimbingOut", &UninstallSettings::displayName, L"..\\..\\Startup", L"DisplayName"},
        SettingsCase{"DisplayNameEmpty", &UninstallSettings::displayName, L"", L"DisplayName"}),
    [](const auto& info) { return std::string(info.param.name); });

enum class Target { Missing, Folder, ReadOnly, InUse, Normal };

struct DeleteFileCase {
    const char* name;
    Target target;
    bool done;      // nothing of that name is left to delete
    bool deleted;   // and a file was there
};

void PrintTo(const DeleteFileCase& c, std::ostream* out) { *out << c.name; }

class DeleteFileIfExistsTest : public testing::TestWithParam<DeleteFileCase> {};

TEST_P(DeleteFileIfExistsTest, DeletesOnlyAnExistingFileAndGivesTheReasonItCouldNot) {
    const auto& c = GetParam();
    TempFolder folder;
    const std::wstring file = folder / L"listed.txt";
    UniqueFile openFile;
    switch (c.target) {
        case Target::Missing: break;
        case Target::Folder: CreateDirectoryW(file.c_str(), nullptr); break;
        case Target::ReadOnly:
            PutFile(file, "x");
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
            break;
        case Target::InUse:
            PutFile(file, "x");
            openFile.Reset(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(openFile);
            break;
        case Target::Normal: PutFile(file, "x"); break;
    }

    RunLog log(folder / L"run.log");
    std::wstring reason;
    EXPECT_EQ(DeleteFileIfExists(log, file, reason), c.done);
    EXPECT_EQ(reason.empty(), c.done) << ToUtf8(reason);
    openFile.Reset();
    EXPECT_EQ(FileExists(file), c.target != Target::Missing && c.target != Target::Folder && !c.deleted);
    EXPECT_EQ(DirectoryExists(file), c.target == Target::Folder);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, DeleteFileIfExistsTest,
    testing::Values(DeleteFileCase{"Missing", Target::Missing, true, false},
                    DeleteFileCase{"FolderOfThatName", Target::Folder, true, false},
                    DeleteFileCase{"ReadOnlyFile", Target::ReadOnly, true, true},
                    DeleteFileCase{"FileInUse", Target::InUse, false, false},
                    DeleteFileCase{"NormalFile", Target::Normal, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

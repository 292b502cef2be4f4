// The whole install run over small catalogues: what it leaves on disk, in the registry and in
// the window, in what order, and where it stops.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "installer_tests/InstallerFixture.h"
#include "installer_tests/RecorderLog.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/TextFile.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "contract/InstallContract.h"
#include "support/LogFile.h"
#include "support/ProductTexts.h"

namespace orvelin::test {
namespace {

std::wstring Announced(const std::wstring& name) { return text::WillRunSetupFor + name; }

class InstallRunTest : public InstallerTest {
protected:
    InstallRunTest() {
        PutFile(setup / L"Setup.ini", "[Install]\r\nGuidId=" + ToUtf8(guid) + "\r\n");
        PutSource(kInstalledApplic, L"uninstall.exe");
        choices.addDesktopShortcut = true;
    }

    // An installed application whose only location (32-bit program files, "BIN") holds the
    // main executable.
    void AddApplication(int majorId) {
        catalogue.Add(CatalogueApplication{.majorId = majorId, .title = L"Application", .accountType = 1})
            .Add(CatalogueLocation{.minorId = majorId * 10, .parentId = majorId, .title = L"BIN", .functionId = 1})
            .AddLocationFile(majorId * 10, exeName);
        PutSource(kInstalledApplic, exeName);
    }

    // A third-party location for this Windows with one setup program, the recorder.
    void AddVendor(int majorId, const std::wstring& program) {
        catalogue.Add(CatalogueApplication{.majorId = majorId, .title = L"Vendors", .accountType = 3})
            .Add(CatalogueLocation{.minorId = majorId * 10, .parentId = majorId, .title = L"VENDOR", .functionId = 1})
            .Add(CatalogueFolder{.detailId = majorId * 100, .parentId = majorId * 10, .title = L"Vendor Setup",
                                 .functionId = 5})
            .AddFolderFile(majorId * 100, program);
        PlaceRecorderProgram(Source(kThirdParty, L"VENDOR\\Vendor Setup\\" + program));
    }

    std::wstring ListFile() const { return UninstallFolder() + L"\\" + kInstalledFileList; }

    TempFolder recorderFolder;
    RecorderLog recorded{recorderFolder / L"recorded.log"};
};

TEST_F(InstallRunTest, InstallsEveryCategoryInApplicationOrder) {
    // The main executable's name is matched with a to z in either case.
    std::wstring lowerExe = exeName;
    for (auto& c : lowerExe) c = static_cast<wchar_t>(towlower(c));
    catalogue.Add(CatalogueApplication{.majorId = 40, .title = L"Windows", .accountType = 4})
        .Add(CatalogueApplication{.majorId = 10, .title = L"Application", .accountType = 1})
        .Add(CatalogueApplication{.majorId = 60, .title = L"Unknown", .accountType = 7})
        .Add(CatalogueApplication{.majorId = 30, .title = L"Servers", .accountType = 0})
        .Add(CatalogueApplication{.majorId = 20, .title = L"Common", .accountType = 2})
        .Add(CatalogueApplication{.majorId = 50, .title = L"Vendors", .accountType = 3})
        .Add(CatalogueLocation{.minorId = 400, .parentId = 40, .title = L"SYSTEM", .functionId = 4})
        .Add(CatalogueLocation{.minorId = 100, .parentId = 10, .title = L"PROGRAM", .functionId = 1})
        .Add(CatalogueLocation{.minorId = 600, .parentId = 60, .title = L"UNKNOWN", .functionId = 3})
        .Add(CatalogueLocation{.minorId = 300, .parentId = 30, .title = L"FIREBIRD25", .functionId = 1})
        .Add(CatalogueLocation{.minorId = 200, .parentId = 20, .title = L"COMMON", .functionId = 3})
        .Add(CatalogueLocation{.minorId = 500, .parentId = 50, .title = L"VENDOR", .functionId = 1})
        .Add(CatalogueFolder{.detailId = 1000, .parentId = 100, .title = L"BIN"})
        .Add(CatalogueFolder{.detailId = 1001, .parentId = 100, .title = L"REPORTS"})
        .Add(CatalogueFolder{.detailId = 3000, .parentId = 300, .title = L"BIN", .functionId = 0})
        .Add(CatalogueFolder{.detailId = 3001, .parentId = 300, .title = L"SETUP", .functionId = 5})
        .Add(CatalogueFolder{.detailId = 5000, .parentId = 500, .title = L"Vendor Setup", .functionId = 5})
        .AddLocationFile(400, L"win.dll")
        .AddLocationFile(600, L"unknown.txt")
        .AddLocationFile(200, L"common.dat")
        .AddFolderFile(1000, lowerExe)
        .AddFolderFile(1000, L"app.dll")
        .AddFolderFile(1001, L"r.rpt")
        .AddFolderFile(3000, L"fbclient.dll")
        .AddFolderFile(3001, L"fbsetup.exe")
        .AddFolderFile(5000, L"vendor.exe");
    PutSource(kInstalledApplic, lowerExe);
    PutSource(kInstalledApplic, L"app.dll");
    PutSource(kInstalledApplic, L"r.rpt");
    PutSource(kCommonApplic, L"common.dat");
    PutSource(kWindowsFiles, L"win.dll");
    PutSource(kThirdParty, L"unknown.txt");
    PutSource(kDatabaseServers, L"FIREBIRD25\\BIN\\fbclient.dll");
    PlaceRecorderProgram(Source(kDatabaseServers, L"FIREBIRD25\\SETUP\\fbsetup.exe"));
    PlaceRecorderProgram(Source(kThirdParty, L"VENDOR\\Vendor Setup\\vendor.exe"));
    LoadCatalogue();
    choices.database = 1;

    EXPECT_EQ(Install(), InstallRun::Outcome::Installed);

    const std::wstring program = BaseFolder(1);   // a location with folders uses only theirs
    const Lines copied = {program + L"BIN\\" + lowerExe,          program + L"BIN\\app.dll",
                          program + L"REPORTS\\r.rpt",            BaseFolder(3) + L"COMMON\\common.dat",
                          program + L"BIN\\fbclient.dll",         BaseFolder(4) + L"SYSTEM\\win.dll"};
    for (const auto& file : copied) EXPECT_TRUE(FileExists(file)) << ToUtf8(file);
    EXPECT_FALSE(DirectoryExists(BaseFolder(3) + L"UNKNOWN"));

    Lines listed = copied;
    listed.insert(listed.end(), {GroupLink(), DesktopLink(), UninstallFolder() + L"\\Setup.ini"});
    EXPECT_EQ(installed.paths, listed);
    EXPECT_EQ(ReadTextFile(ListFile()).lines, listed);
    EXPECT_TRUE(FileExists(GroupLink()));
    EXPECT_TRUE(FileExists(DesktopLink()));
    EXPECT_EQ(installed.mainExecutable, program + L"BIN\\" + lowerExe);
    EXPECT_EQ(ReadFileBytes(UninstallFolder() + L"\\uninstall.exe"), ReadFileBytes(Source(kInstalledApplic, L"uninstall.exe")));
    EXPECT_EQ(UninstallValue(guid, L"InstallLocation", 0), UninstallFolder());
    EXPECT_EQ(UninstallValue(guid, L"Publisher", 0), kPublisher);

    EXPECT_EQ(view.statuses,
              (Lines{L"Creating program folders", L"Copying: " + Source(kInstalledApplic, lowerExe),
                     L"Copying: " + Source(kInstalledApplic, L"app.dll"), L"Copying: " + Source(kInstalledApplic, L"r.rpt"),
                     L"Copying: " + Source(kCommonApplic, L"common.dat"),
                     L"Copying: " + Source(kDatabaseServers, L"FIREBIRD25\\BIN\\fbclient.dll"),
                     L"Copying: " + Source(kWindowsFiles, L"win.dll"), L"Installing thired party programs",
                     L"Adding application to windows control panael"}));
    EXPECT_EQ(view.messages,
              (Lines{Announced(L"FIREBIRD"), Announced(L"Vendor Setup"), text::Installed}));
    EXPECT_EQ(recorded.Events(), (Lines{L"start fbsetup.exe", L"end fbsetup.exe", L"start vendor.exe", L"end vendor.exe"}));
    EXPECT_EQ(view.progressMax, 4);   // the application's files and its uninstaller
    EXPECT_EQ(view.progressPosition, 4);
}

TEST_F(InstallRunTest, AThirdPartyApplicationWithTheSmallestIdRunsFirst) {
    AddApplication(2);
    AddVendor(1, L"vendor.exe");
    LoadCatalogue();

    EXPECT_EQ(Install(), InstallRun::Outcome::Installed);

    const auto& events = view.events;
    const auto firstCopy = std::find_if(events.begin(), events.end(),
                                        [](const std::wstring& e) { return e.starts_with(L"status: Copying: "); });
    const auto announced = std::find(events.begin(), events.end(), L"message: " + Announced(L"Vendor Setup"));
    ASSERT_NE(firstCopy, events.end());
    ASSERT_NE(announced, events.end());
    EXPECT_LT(announced, firstCopy);
    EXPECT_EQ(view.statuses[1], L"Installing thired party programs");
    EXPECT_EQ(recorded.Events(), (Lines{L"start vendor.exe", L"end vendor.exe"}));
}

struct DatabaseChoiceCase {
    const char* name;
    bool shown;
    int index;
    Lines firstMessages;   // the choice's own messages
    bool runs;
};

class InstallRunDatabaseChoiceTest : public InstallRunTest, public ::testing::WithParamInterface<DatabaseChoiceCase> {};

TEST_P(InstallRunDatabaseChoiceTest, ChecksTheChoiceBeforeAnythingElse) {
    const DatabaseChoiceCase& choice = GetParam();
    AddApplication(1);
    catalogue.Add(CatalogueApplication{.majorId = 2, .title = L"Servers", .accountType = 0})
        .Add(CatalogueLocation{.minorId = 20, .parentId = 2, .title = L"FIREBIRD", .functionId = 1})
        .Add(CatalogueLocation{.minorId = 21, .parentId = 2, .title = L"ORACLE", .functionId = 3})
        .Add(CatalogueFolder{.detailId = 200, .parentId = 20, .title = L"SETUP", .functionId = 5})
        .Add(CatalogueFolder{.detailId = 210, .parentId = 21, .title = L"SETUP", .functionId = 5});
    LoadCatalogue();
    if (choice.shown) choices.database = choice.index;
    view.answers = {false};

    const InstallRun::Outcome outcome = Install();

    Lines messages = choice.firstMessages;
    if (choice.runs) {
        if (choice.shown) messages.push_back(Announced(L"FIREBIRD"));
        messages.push_back(text::Installed);
    }
    EXPECT_EQ(view.messages, messages);
    EXPECT_EQ(outcome, choice.runs ? InstallRun::Outcome::Installed : InstallRun::Outcome::Refused);
    EXPECT_EQ(RegistryKeyPresent(UninstallKeyPath(guid), 0), choice.runs);
    if (!choice.runs) {
        EXPECT_TRUE(view.statuses.empty());
        EXPECT_FALSE(DirectoryExists(BaseFolder(1)));
    }
    EXPECT_EQ(view.selectedDatabases, choice.shown && choice.index > 1 ? std::vector<int>{1} : std::vector<int>{});
}

const std::wstring kNoServer = text::ChooseDatabase;
const std::wstring kOnlyFirebird = text::OnlyFirebird;

INSTANTIATE_TEST_SUITE_P(Cases, InstallRunDatabaseChoiceTest,
                         ::testing::Values(DatabaseChoiceCase{"NothingSelected", true, -1, {kNoServer}, false},
                                           DatabaseChoiceCase{"FirstItemSelected", true, 0, {kNoServer}, false},
                                           DatabaseChoiceCase{"Firebird", true, 1, {}, true},
                                           DatabaseChoiceCase{"Interbase", true, 2, {kOnlyFirebird}, true},
                                           DatabaseChoiceCase{"Oracle", true, 3, {kOnlyFirebird}, true},
                                           DatabaseChoiceCase{"MySql", true, 4, {kOnlyFirebird}, true},
                                           DatabaseChoiceCase{"Msq", true, 5, {kOnlyFirebird}, true},
                                           DatabaseChoiceCase{"Hidden", false, -1, {}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InstallRunTest, AnInstalledApplicationStopsTheRunBeforeAnyFolderIsMade) {
    AddApplication(1);
    LoadCatalogue();
    RegistryKey::Create(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid), KEY_ALL_ACCESS);

    try {
        Install();
        FAIL() << "the run went on";
    } catch (const Error& e) {
        EXPECT_EQ(e.Text(), text::AlreadyInstalled);
    }
    EXPECT_FALSE(DirectoryExists(BaseFolder(1)));
    EXPECT_FALSE(DirectoryExists(UninstallFolder()));
    EXPECT_TRUE(view.events.empty());
}

TEST_F(InstallRunTest, AFailedCopyKeepsWhatWasDoneAndASecondRunStartsAgain) {
    AddApplication(1);
    catalogue.Add(CatalogueApplication{.majorId = 2, .title = L"Common", .accountType = 2})
        .Add(CatalogueLocation{.minorId = 20, .parentId = 2, .title = L"COMMON", .functionId = 3})
        .AddLocationFile(20, L"common.dat");
    PutSource(kCommonApplic, L"common.dat");
    LoadCatalogue();
    const std::wstring installedExe = BaseFolder(1) + L"BIN\\" + exeName;
    // A folder in the file's way: nothing the setup folder says foretells it.
    const std::wstring blocked = BaseFolder(3) + L"COMMON\\common.dat";
    ASSERT_TRUE(ForceDirectories(blocked));

    EXPECT_THROW(Install(), Error);

    EXPECT_TRUE(FileExists(installedExe));
    EXPECT_EQ(installed.paths, Lines{installedExe});
    EXPECT_EQ(view.messages, (Lines{Source(kCommonApplic, L"common.dat") + L"\n\r" + BaseFolder(3) + L"COMMON"}));
    EXPECT_FALSE(RegistryKeyPresent(UninstallKeyPath(guid), 0));
    EXPECT_FALSE(FileExists(GroupLink()));
    EXPECT_EQ(view.progressPosition, 1);

    ASSERT_TRUE(RemoveDirectoryW(blocked.c_str()));
    EXPECT_EQ(Install(), InstallRun::Outcome::Installed);

    const Lines listed = {installedExe, installedExe, BaseFolder(3) + L"COMMON\\common.dat", GroupLink(),
                          DesktopLink(), UninstallFolder() + L"\\Setup.ini"};
    EXPECT_EQ(ReadTextFile(ListFile()).lines, listed);
    EXPECT_EQ(view.messages.back(), text::Installed);
    EXPECT_THROW(Install(), Error);   // now the Uninstall key is there
}

// Faults of the setup folder that would stop an install part-way or misplace files are found
// before anything changes; what it passes over only goes to the log.
struct SetupFaultCase {
    const char* name;
    // On the catalogue, the settings and the setup folder (with its trailing backslash).
    std::function<void(CatalogueWriter&, SetupSettings&, const std::wstring&)> fault;
    const wchar_t* finding;   // FindingText's start: class, code, packet and record
};

class InstallRunSetupFaultTest : public InstallRunTest, public ::testing::WithParamInterface<SetupFaultCase> {};

TEST_P(InstallRunSetupFaultTest, StopsTheRunBeforeAnythingChanges) {
    AddApplication(1);
    catalogue.Add(CatalogueApplication{.majorId = 2, .title = L"Servers", .accountType = 0})
        .Add(CatalogueLocation{.minorId = 20, .parentId = 2, .title = L"FIREBIRD", .functionId = 1})
        .Add(CatalogueFolder{.detailId = 200, .parentId = 20, .title = L"BIN", .functionId = 0})
        .AddFolderFile(200, L"fbclient.dll");
    PutSource(kDatabaseServers, L"FIREBIRD\\BIN\\fbclient.dll");
    GetParam().fault(catalogue, package.settings, setup.Path());
    LoadCatalogue();
    choices.database = 1;

    try {
        Install();
        FAIL() << "the run went on";
    } catch (const Error& e) {
        EXPECT_TRUE(e.Text().starts_with(L"The setup folder has errors, so nothing was installed:\r\n\r\n" +
                                         std::wstring(GetParam().finding)))
            << e.what();
    }
    EXPECT_TRUE(view.events.empty());
    EXPECT_FALSE(DirectoryExists(BaseFolder(1)));
    EXPECT_FALSE(RegistryKeyPresent(UninstallKeyPath(guid), 0));
    EXPECT_TRUE(HasEventStartingWith(LogLines(), L"Setup check: " + std::wstring(GetParam().finding)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallRunSetupFaultTest,
    ::testing::Values(
        SetupFaultCase{"ListedFileMissing",
                       [](CatalogueWriter&, SetupSettings&, const std::wstring& folder) {
                           DeleteFileW((folder + L"FILES\\DATABASE SERVERS\\FIREBIRD\\BIN\\fbclient.dll").c_str());
                       },
                       L"error source-missing: data\\tblFiles.xml, FILE_ID 2 \"fbclient.dll\""},
        SetupFaultCase{"CapitalsTitleMatchingNothing",
                       [](CatalogueWriter& catalogue, SetupSettings&, const std::wstring&) {
                           catalogue.Add(CatalogueFolder{.detailId = 201, .parentId = 20, .title = L"LIB", .functionId = 0});
                       },
                       L"error capitals-title-unmatched: data\\tblFolders.xml, DETAIL_ID 201 \"LIB\""},
        SetupFaultCase{"TitleLeavingItsFolder",
                       [](CatalogueWriter& catalogue, SetupSettings&, const std::wstring&) {
                           catalogue.Add(
                               CatalogueLocation{.minorId = 11, .parentId = 1, .title = L"..\\..\\DATA", .functionId = 3});
                       },
                       L"error name-leaves-folder: data\\tblLocations.xml, MINOR_ID 11 \"..\\..\\DATA\""},
        SetupFaultCase{"UninstallerNotBesideTheMainExecutable",
                       [](CatalogueWriter&, SetupSettings&, const std::wstring& folder) {
                           DeleteFileW((folder + L"FILES\\INSTALLED APPLIC\\uninstall.exe").c_str());
                       },
                       L"error uninstaller-not-beside: FILES, FILES\\INSTALLED APPLIC\\uninstall.exe"},
        SetupFaultCase{"GuidWithoutBraces",
                       [](CatalogueWriter&, SetupSettings& settings, const std::wstring&) {
                           settings.guid = settings.guid.substr(1, settings.guid.size() - 2);
                       },
                       L"error guid-malformed: setup.ini, [Install] GuidId"},
        // The GUID names the uninstall folder and the Uninstall key.
        SetupFaultCase{"GuidClimbingOut",
                       [](CatalogueWriter&, SetupSettings& settings, const std::wstring&) {
                           settings.guid = L"..\\..\\..\\victim";
                       },
                       L"error guid-malformed: setup.ini, [Install] GuidId"},
        SetupFaultCase{"GuidFollowedByAPath",
                       [](CatalogueWriter&, SetupSettings& settings, const std::wstring&) {
                           settings.guid = L"{X}\\..\\..\\..\\..\\windows";
                       },
                       L"error guid-malformed: setup.ini, [Install] GuidId"},
        SetupFaultCase{"ExeNameClimbingOut",
                       [](CatalogueWriter&, SetupSettings& settings, const std::wstring&) {
                           settings.applicationExe = L"..\\" + settings.applicationExe;
                       },
                       L"error name-not-plain: setup.ini, [Setup] ApplicExeName"},
        SetupFaultCase{"ExeNameOnlyAnExtension",
                       [](CatalogueWriter&, SetupSettings& settings, const std::wstring&) {
                           settings.applicationExe = L".EXE";
                       },
                       L"error name-not-plain: setup.ini, [Setup] ApplicExeName"},
        SetupFaultCase{"FolderTitleClimbingOut",
                       [](CatalogueWriter& catalogue, SetupSettings&, const std::wstring&) {
                           catalogue.Add(CatalogueFolder{.detailId = 202, .parentId = 20,
                                                         .title = L"..\\..\\..\\..\\windows\\x", .functionId = 0});
                       },
                       L"error name-leaves-folder: data\\tblFolders.xml, DETAIL_ID 202"},
        SetupFaultCase{"FileNameClimbingOut",
                       [](CatalogueWriter& catalogue, SetupSettings&, const std::wstring&) {
                           catalogue.AddLocationFile(10, L"..\\..\\..\\file");
                       },
                       L"error name-leaves-folder: data\\tblFiles.xml, FILE_ID 3"}),
    [](const auto& info) { return std::string(info.param.name); });

// A shortcut name typed into the window would otherwise place the shortcuts wherever it leads.
TEST_F(InstallRunTest, ATypedShortcutNameMustBeAPlainName) {
    AddApplication(1);
    LoadCatalogue();
    for (const std::wstring typed : {L"..\\..\\..\\..\\..\\..\\..\\victim\\x", L"a:b", L""}) {
        choices.shortcutName = typed;
        try {
            Install();
            FAIL() << "the run went on with " << ToUtf8(typed);
        } catch (const Error& e) {
            EXPECT_TRUE(e.Text().starts_with(L"The shortcut name \"" + typed + L"\" is not a plain file name")) << e.what();
        }
    }
    EXPECT_TRUE(view.events.empty());
    EXPECT_FALSE(DirectoryExists(BaseFolder(1)));
}

TEST_F(InstallRunTest, WhatTheInstallPassesOverIsLoggedAndInstalledAsEver) {
    AddApplication(1);
    AddVendor(2, L"vendor.exe");   // a setup program without [QuietArguments]
    LoadCatalogue();

    EXPECT_EQ(Install(), InstallRun::Outcome::Installed);
    EXPECT_TRUE(HasEventStartingWith(
        LogLines(), L"Setup check: warning no-quiet-arguments: setup.ini, [QuietArguments] vendor.exe"));
    EXPECT_EQ(recorded.Events(), (Lines{L"start vendor.exe", L"end vendor.exe"}));
}

}  // namespace
}  // namespace orvelin::test

// Database servers and other vendors' programs: which locations serve on which Windows, what is
// announced and asked, copy folders and the setup programs started one after the other.
#include <gtest/gtest.h>

#include "installer/SetupPrograms.h"
#include "installer_tests/InstallerFixture.h"
#include "installer_tests/RecorderLog.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "support/ProductTexts.h"

namespace orvelin::test {
namespace {

std::wstring Announced(const std::wstring& name) { return text::WillRunSetupFor + name; }

class SetupProgramsTest : public InstallerTest {
protected:
    // Destinations that earlier copies of the same run went to.
    void UseFolders(const Lines& folders) {
        for (const auto& folder : folders) {
            ForceDirectories(folder);
            engine.CopyNodeFiles(L"", folder, kFolderLevel, -1);
        }
    }
    SetupPrograms Programs(const WindowsPlatform& windows) {
        return SetupPrograms(package.catalogue, engine, view, log, windows, context.translate, nullptr);
    }

    CopyEngine engine = Engine(kWindows7);
    TempFolder recorderFolder;
    RecorderLog recorded{recorderFolder / L"recorded.log"};
};

class DatabaseServersTest : public SetupProgramsTest {
protected:
    DatabaseServersTest() { catalogue.Add(CatalogueApplication{.majorId = 1, .title = L"Servers", .accountType = 0}); }

    // A location with a run folder of each Windows generation holding a setup program named
    // after the location and the run code, and, when asked, a copy folder into the folder that
    // ends with "CLIENT".
    void AddServer(int minorId, const std::wstring& title, int functionId, bool withClient = false) {
        catalogue.Add(CatalogueLocation{.minorId = minorId, .parentId = 1, .title = title, .functionId = functionId});
        for (const int runCode : {5, 10}) {
            const int detailId = minorId * 10 + runCode / 5;
            const std::wstring folder = L"SETUP" + std::to_wstring(runCode);
            const std::wstring program = title + L"_" + std::to_wstring(runCode) + L".exe";
            catalogue.Add(CatalogueFolder{.detailId = detailId, .parentId = minorId, .title = folder, .functionId = runCode})
                .AddFolderFile(detailId, program);
            PlaceRecorderProgram(Source(kDatabaseServers, title + L"\\" + folder + L"\\" + program));
        }
        if (!withClient) return;
        catalogue.Add(CatalogueFolder{.detailId = minorId * 10, .parentId = minorId, .title = L"CLIENT", .functionId = 0})
            .AddFolderFile(minorId * 10, L"client.dll");
        PutSource(kDatabaseServers, title + L"\\CLIENT\\client.dll");
    }

    void InstallServer(const WindowsPlatform& windows, int databaseIndex) {
        Programs(windows).InstallDbServers(CategoryFolder(kDatabaseServers), databaseIndex);
    }

    std::wstring clientFolder = setup / L"installed\\CLIENT";
};

TEST_F(DatabaseServersTest, AHiddenChoiceInstallsNoServer) {
    AddServer(10, L"FIREBIRD", 1, true);
    LoadCatalogue();

    InstallServer(kWindows7, -1);

    EXPECT_TRUE(view.events.empty());
    EXPECT_TRUE(view.selectedDatabases.empty());
    EXPECT_TRUE(recorded.Events().empty());
}

TEST_F(DatabaseServersTest, NoChoiceMeansFirebirdAnnouncedWithoutItsVersion) {
    AddServer(10, L"INTERBASE7", 2);
    AddServer(11, L"FIREBIRD25", 1);
    LoadCatalogue();

    InstallServer(kWindows7, 0);

    EXPECT_EQ(view.events, (Lines{L"message: " + std::wstring(text::FirebirdByDefault),
                                  L"message: " + Announced(L"FIREBIRD"), L"ask: " + std::wstring(text::RunSetupQuestion)}));
    EXPECT_EQ(view.selectedDatabases, std::vector<int>{1});
    EXPECT_EQ(recorded.Events(), (Lines{L"start FIREBIRD25_5.exe", L"end FIREBIRD25_5.exe"}));
}

struct GenerationCase {
    const char* name;
    WindowsPlatform windows;
    int databaseIndex;
    const wchar_t* program;     // the one setup program that runs
    const wchar_t* announced;   // the server's name as the user is told it
};

class ServerGenerationTest : public DatabaseServersTest, public ::testing::WithParamInterface<GenerationCase> {};

// Only the first location of the chosen server for this Windows serves, with this Windows'
// run code; its copy folder goes where the first used folder ends with the title.
TEST_P(ServerGenerationTest, OnlyTheFirstLocationOfTheChosenServerForThisWindowsServes) {
    AddServer(10, L"FIREBIRD30", 1, true);
    AddServer(11, L"FIREBIRD15", -1, true);
    AddServer(12, L"FIREBIRD10", -1, true);
    AddServer(13, L"ORACLEOLD9", -3, true);
    AddServer(14, L"ORACLE11", 3, true);
    AddServer(15, L"ORACLENEXT12", 3, true);
    LoadCatalogue();
    UseFolders({clientFolder});

    InstallServer(GetParam().windows, GetParam().databaseIndex);

    const std::wstring program = GetParam().program;
    const std::wstring location = program.substr(0, program.find(L'_'));
    EXPECT_EQ(view.messages, Lines{Announced(GetParam().announced)});
    EXPECT_EQ(recorded.Events(), (Lines{L"start " + program, L"end " + program}));
    EXPECT_EQ(installed.paths, Lines{clientFolder + L"\\client.dll"});
    EXPECT_EQ(ReadFileBytes(clientFolder + L"\\client.dll"),
              ToUtf8(Source(kDatabaseServers, location + L"\\CLIENT\\client.dll")));
    EXPECT_TRUE(view.selectedDatabases.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ServerGenerationTest,
                         ::testing::Values(
                             GenerationCase{"FirebirdOnWindows7", kWindows7, 1, L"FIREBIRD30_5.exe", L"FIREBIRD"},
                             GenerationCase{"FirebirdOnXp", kWindowsXp, 1, L"FIREBIRD15_10.exe", L"FIREBIRD"},
                             GenerationCase{"OracleOnWindows7", kWindows7, 3, L"ORACLE11_5.exe", L"ORACLE"},
                             GenerationCase{"OracleOnXp", kWindowsXp, 3, L"ORACLEOLD9_10.exe", L"ORACLEOLD"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DatabaseServersTest, NoLocationForTheServerEndsQuietly) {
    AddServer(10, L"FIREBIRD", 1);
    AddServer(11, L"MYSQL", 4);
    LoadCatalogue();

    InstallServer(kWindowsXp, 4);

    EXPECT_TRUE(view.events.empty());
    EXPECT_TRUE(recorded.Events().empty());
}

class ThirdPartyTest : public SetupProgramsTest {
protected:
    ThirdPartyTest() { catalogue.Add(CatalogueApplication{.majorId = 3, .title = L"Vendors", .accountType = 3}); }

    void InstallVendors(const WindowsPlatform& windows = kWindows7) {
        Programs(windows).InstallThirdPartyPrograms(CategoryFolder(kThirdParty));
    }
};

struct VendorGenerationCase {
    const char* name;
    WindowsPlatform windows;
    Lines announced;
};

class VendorGenerationTest : public ThirdPartyTest, public ::testing::WithParamInterface<VendorGenerationCase> {};

TEST_P(VendorGenerationTest, EveryLocationForThisWindowsServesWithItsRunFoldersOfThisGeneration) {
    catalogue.Add(CatalogueLocation{.minorId = 20, .parentId = 3, .title = L"VENDOR A", .functionId = 1})
        .Add(CatalogueLocation{.minorId = 21, .parentId = 3, .title = L"VENDOR OLD", .functionId = -1})
        .Add(CatalogueLocation{.minorId = 22, .parentId = 3, .title = L"VENDOR B", .functionId = 2})
        .Add(CatalogueLocation{.minorId = 23, .parentId = 3, .title = L"NEVER", .functionId = 0})
        .Add(CatalogueLocation{.minorId = 24, .parentId = 3, .title = L"VENDOR OLDER", .functionId = -2})
        .Add(CatalogueFolder{.detailId = 200, .parentId = 20, .title = L"Alpha Setup", .functionId = 5})
        .Add(CatalogueFolder{.detailId = 210, .parentId = 21, .title = L"Old Setup", .functionId = 10})
        .Add(CatalogueFolder{.detailId = 211, .parentId = 21, .title = L"Old Newer", .functionId = 5})
        .Add(CatalogueFolder{.detailId = 220, .parentId = 22, .title = L"Beta Old", .functionId = 10})
        .Add(CatalogueFolder{.detailId = 221, .parentId = 22, .title = L"Beta Other", .functionId = 7})
        .Add(CatalogueFolder{.detailId = 222, .parentId = 22, .title = L"Beta Setup", .functionId = 5})
        .Add(CatalogueFolder{.detailId = 230, .parentId = 23, .title = L"Never Setup", .functionId = 5})
        .Add(CatalogueFolder{.detailId = 240, .parentId = 24, .title = L"Older Setup", .functionId = 10});
    LoadCatalogue();
    view.answers = {false, false};

    InstallVendors(GetParam().windows);

    Lines announced;
    for (const auto& name : GetParam().announced) announced.push_back(Announced(name));
    EXPECT_EQ(view.messages, announced);
    EXPECT_EQ(view.questions, (Lines{text::RunSetupQuestion, text::RunSetupQuestion}));
    EXPECT_TRUE(recorded.Events().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, VendorGenerationTest,
                         ::testing::Values(VendorGenerationCase{"Windows7", kWindows7, {L"Alpha Setup", L"Beta Setup"}},
                                           VendorGenerationCase{"Xp", kWindowsXp, {L"Old Setup", L"Older Setup"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ThirdPartyTest, ProgramsRunOneAfterTheOtherAndOneThatCannotStartIsPassedOver) {
    catalogue.Add(CatalogueLocation{.minorId = 20, .parentId = 3, .title = L"VENDOR", .functionId = 1})
        .Add(CatalogueFolder{.detailId = 200, .parentId = 20, .title = L"Setup", .functionId = 5})
        .AddFolderFile(200, L"first.exe")
        .AddFolderFile(200, L"missing.exe")
        .AddFolderFile(200, L"third.exe");
    PlaceRecorderProgram(Source(kThirdParty, L"VENDOR\\Setup\\first.exe"));
    PlaceRecorderProgram(Source(kThirdParty, L"VENDOR\\Setup\\third.exe"));
    LoadCatalogue();

    InstallVendors();

    EXPECT_EQ(recorded.Events(), (Lines{L"start first.exe", L"end first.exe", L"start third.exe", L"end third.exe"}));
    EXPECT_EQ(view.messages, (Lines{Announced(L"Setup"), text::CannotStartProgram}));
}

TEST_F(ThirdPartyTest, TheRefusalIsShownInTheInterfaceLanguage) {
    catalogue.Add(CatalogueLocation{.minorId = 20, .parentId = 3, .title = L"VENDOR", .functionId = 1})
        .Add(CatalogueFolder{.detailId = 200, .parentId = 20, .title = L"Setup", .functionId = 5})
        .AddFolderFile(200, L"missing.exe");
    LoadCatalogue();
    MessageDictionary arabic;
    arabic.Table().Append({std::wstring(text::CannotStartProgram), std::wstring(L"\x062E\x0637\x0623")});
    context.translate = Translator(arabic);

    InstallVendors();

    EXPECT_EQ(view.messages, (Lines{Announced(L"Setup"), L"\x062E\x0637\x0623"}));
}

TEST_F(ThirdPartyTest, AnsweringNoSkipsOnlyThatFoldersPrograms) {
    const std::wstring installedFolder = setup / L"installed";
    catalogue.Add(CatalogueLocation{.minorId = 20, .parentId = 3, .title = L"VENDOR", .functionId = 1})
        .Add(CatalogueFolder{.detailId = 200, .parentId = 20, .title = L"FIRST", .functionId = 0})
        .Add(CatalogueFolder{.detailId = 201, .parentId = 20, .title = L"Declined", .functionId = 5})
        .Add(CatalogueFolder{.detailId = 202, .parentId = 20, .title = L"SECOND", .functionId = 0})
        .Add(CatalogueFolder{.detailId = 203, .parentId = 20, .title = L"Accepted", .functionId = 5})
        .AddFolderFile(200, L"one.dll")
        .AddFolderFile(201, L"declined.exe")
        .AddFolderFile(202, L"two.dll")
        .AddFolderFile(203, L"accepted.exe");
    PutSource(kThirdParty, L"VENDOR\\FIRST\\one.dll");
    PutSource(kThirdParty, L"VENDOR\\SECOND\\two.dll");
    PlaceRecorderProgram(Source(kThirdParty, L"VENDOR\\Declined\\declined.exe"));
    PlaceRecorderProgram(Source(kThirdParty, L"VENDOR\\Accepted\\accepted.exe"));
    LoadCatalogue();
    UseFolders({installedFolder + L"\\FIRST", installedFolder + L"\\SECOND"});
    view.answers = {false, true};

    InstallVendors();

    EXPECT_EQ(installed.paths, (Lines{installedFolder + L"\\FIRST\\one.dll", installedFolder + L"\\SECOND\\two.dll"}));
    EXPECT_EQ(recorded.Events(), (Lines{L"start accepted.exe", L"end accepted.exe"}));
    EXPECT_EQ(view.events,
              (Lines{L"status: " + std::wstring(text::Copying) + Source(kThirdParty, L"VENDOR\\FIRST\\one.dll"),
                     L"message: " + Announced(L"Declined"), L"ask: " + std::wstring(text::RunSetupQuestion),
                     L"status: " + std::wstring(text::Copying) + Source(kThirdParty, L"VENDOR\\SECOND\\two.dll"),
                     L"message: " + Announced(L"Accepted"), L"ask: " + std::wstring(text::RunSetupQuestion)}));
}

// Restores the current folder, which a destination path without a drive is relative to.
class CurrentFolderScope {
public:
    explicit CurrentFolderScope(const std::wstring& folder) : previous_(CurrentFolder()) {
        SetCurrentDirectoryW(folder.c_str());
    }
    ~CurrentFolderScope() { SetCurrentDirectoryW(previous_.c_str()); }
    CurrentFolderScope(const CurrentFolderScope&) = delete;
    CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

private:
    std::wstring previous_;
};

TEST_F(ThirdPartyTest, CopyFoldersFindTheirDestinationAndTakeTheirOwnSourceSubfolder) {
    const std::wstring installedFolder = setup / L"installed";
    catalogue.Add(CatalogueLocation{.minorId = 20, .parentId = 3, .title = L"VENDOR", .functionId = 1})
        .Add(CatalogueLocation{.minorId = 21, .parentId = 3, .title = L"OTHER", .functionId = 4})
        .Add(CatalogueFolder{.detailId = 200, .parentId = 20, .title = L"BIN", .functionId = 0})
        .Add(CatalogueFolder{.detailId = 201, .parentId = 20, .title = L"Client Libs", .functionId = 0})
        .Add(CatalogueFolder{.detailId = 210, .parentId = 21, .title = L"BIN", .functionId = 0})
        .AddFolderFile(200, L"x.dll")
        .AddFolderFile(201, L"y.dll")
        .AddFolderFile(210, L"z.dll");
    PutSource(kThirdParty, L"VENDOR\\BIN\\x.dll");
    PutSource(kThirdParty, L"VENDOR\\Client Libs\\y.dll");
    PutSource(kThirdParty, L"OTHER\\BIN\\z.dll");
    LoadCatalogue();
    // The first entry holds the title but does not end with it; the third ends with it too.
    UseFolders({installedFolder + L"\\BIN\\DATA", installedFolder + L"\\APP\\BIN", installedFolder + L"\\LATER\\BIN"});
    const std::wstring workFolder = setup / L"work";
    ForceDirectories(workFolder + L"\\Client Libs");
    const CurrentFolderScope current(workFolder);

    InstallVendors();

    EXPECT_EQ(installed.paths,
              (Lines{installedFolder + L"\\APP\\BIN\\x.dll", L"Client Libs\\y.dll", installedFolder + L"\\APP\\BIN\\z.dll"}));
    EXPECT_EQ(ReadFileBytes(installedFolder + L"\\APP\\BIN\\z.dll"), ToUtf8(Source(kThirdParty, L"OTHER\\BIN\\z.dll")));
    EXPECT_EQ(ReadFileBytes(workFolder + L"\\Client Libs\\y.dll"),
              ToUtf8(Source(kThirdParty, L"VENDOR\\Client Libs\\y.dll")));
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(SetupProgramsTest, AUsedFolderIsTheFirstWhoseFirstOccurrenceOfTheTitleEndsIt) {
    for (const auto& folder : {L"BIN\\APP\\BIN", L"a\\bin", L"A\\XBIN", L"B\\BIN", L"C\\BIN"})
        engine.CopyNodeFiles(L"", setup / folder, kFolderLevel, -1);

    EXPECT_EQ(engine.UsedFolderEndingWith(L"BIN"), setup / L"A\\XBIN");
    EXPECT_EQ(engine.UsedFolderEndingWith(L"\\BIN"), setup / L"B\\BIN");
    EXPECT_EQ(engine.UsedFolderEndingWith(L"bin"), setup / L"a\\bin");
    EXPECT_EQ(engine.UsedFolderEndingWith(L"DATA"), L"");
    EXPECT_EQ(engine.UsedFolderEndingWith(L""), L"");
}

}  // namespace
}  // namespace orvelin::test

namespace orvelin::test {
namespace {

struct QuietCase {
    const char* name;
    bool unattended;
    const char* quietArguments;   // setup.ini's [QuietArguments] section
    Lines events;                 // what the recorder program saw
    const wchar_t* logged;        // what the log says of the start
    int exitCode;                 // the recorder exits with its number of arguments
};

class QuietArgumentsTest : public ThirdPartyTest, public ::testing::WithParamInterface<QuietCase> {};

TEST_P(QuietArgumentsTest, ProgramsGetTheirQuietArgumentsOnlyWhenNobodyWatches) {
    const QuietCase& c = GetParam();
    catalogue.Add(CatalogueLocation{.minorId = 20, .parentId = 3, .title = L"VENDOR", .functionId = 1})
        .Add(CatalogueFolder{.detailId = 200, .parentId = 20, .title = L"Setup", .functionId = 5})
        .AddFolderFile(200, L"vendor.exe");
    const std::wstring program = Source(kThirdParty, L"VENDOR\\Setup\\vendor.exe");
    PlaceRecorderProgram(program);
    LoadCatalogue();
    PutFile(setup / L"setup.ini", std::string("[QuietArguments]\r\n") + c.quietArguments);
    package.settings.quietArguments = IniFile(setup / L"setup.ini").ReadSection(L"QuietArguments");

    SetupPrograms(package.catalogue, engine, view, log, kWindows7, context.translate,
                  c.unattended ? &package.settings : nullptr)
        .InstallThirdPartyPrograms(CategoryFolder(kThirdParty));

    EXPECT_EQ(recorded.Events(), c.events);
    const Lines events = LogLines();
    EXPECT_TRUE(HasEventStartingWith(events, std::wstring(L"Setup program started: ") + program + c.logged));
    EXPECT_TRUE(HasEventStartingWith(events, L"Setup program ended: vendor.exe, exit code " + std::to_wstring(c.exitCode)));
    EXPECT_EQ(HasEventStartingWith(events, L"No [QuietArguments] entry for vendor.exe"),
              c.unattended && c.exitCode == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuietArgumentsTest,
    ::testing::Values(
        QuietCase{"Unattended", true, "VENDOR.EXE=/VERYSILENT /SUPPRESSMSGBOXES\r\n",
                  {L"start vendor.exe", L"arguments vendor.exe /VERYSILENT /SUPPRESSMSGBOXES", L"end vendor.exe"},
                  L" /VERYSILENT /SUPPRESSMSGBOXES", 2},
        QuietCase{"UnattendedWithoutEntry", true, "other.exe=/S\r\n", {L"start vendor.exe", L"end vendor.exe"}, L"", 0},
        QuietCase{"PersonAtTheWindow", false, "vendor.exe=/VERYSILENT\r\n", {L"start vendor.exe", L"end vendor.exe"},
                  L"", 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvelin::test

// Database servers and other vendors' programs: which locations serve, what is announced and
// asked, copy folders and the setup programs started one after the other.
#include <gtest/gtest.h>

#include "installer_tests/InstallerFixture.h"
#include "installer_tests/RunLog.h"
#include "shared/FileSystem.h"
#include "shared/TextUtil.h"
#include "shared/WindowsVersion.h"

namespace orvelin::test {
namespace {

using Lines = std::vector<std::wstring>;

std::wstring Announced(const std::wstring& name) { return L"Installer will run the setup program for: " + name; }

class DatabaseServersTest : public InstallerTest {
protected:
    DatabaseServersTest() {
        catalogue.Add(CatalogueApplication{.majorId = 1, .title = L"Servers", .accountType = 0});
        run.currentSourceFolder = CategoryFolder(kDatabaseServers);
    }

    // A location with a run folder for Windows 6 and later and, when asked, a copy folder
    // into the folder that ends with "CLIENT".
    void AddServer(int minorId, const std::wstring& title, int functionId, bool withClient = false) {
        catalogue.Add(CatalogueLocation{.minorId = minorId, .parentId = 1, .title = title, .functionId = functionId})
            .Add(CatalogueFolder{.detailId = minorId * 10, .parentId = minorId, .title = L"SETUP", .functionId = 5});
        if (!withClient) return;
        catalogue.Add(CatalogueFolder{.detailId = minorId * 10 + 1, .parentId = minorId, .title = L"CLIENT", .functionId = 0})
            .AddFolderFile(minorId * 10 + 1, L"client.dll");
        PutSource(kDatabaseServers, title + L"\\CLIENT\\client.dll");
    }

    std::wstring clientFolder = setup / L"installed\\CLIENT";
};

TEST_F(DatabaseServersTest, AHiddenChoiceInstallsNoServer) {
    AddServer(10, L"FIREBIRD", 1, true);
    LoadCatalogue();
    view.databaseIndex = -1;

    run.InstallDbServers();

    EXPECT_TRUE(view.script.events.empty());
    EXPECT_TRUE(view.selectedDatabases.empty());
    EXPECT_TRUE(run.usedFolders.empty());
}

TEST_F(DatabaseServersTest, NoChoiceMeansFirebirdAnnouncedWithoutItsVersion) {
    AddServer(10, L"INTERBASE7", 2);
    AddServer(11, L"FIREBIRD25", 1);
    LoadCatalogue();
    view.databaseIndex = 0;
    view.script.answers = {false};

    run.InstallDbServers();

    EXPECT_EQ(view.script.events, (Lines{L"message: Firebird server will be used since no server was selected",
                                         L"message: " + Announced(L"FIREBIRD"), L"ask: " + std::wstring(kRunQuestion)}));
    EXPECT_EQ(view.selectedDatabases, std::vector<int>{1});
    EXPECT_EQ(run.runFolder, CategoryFolder(kDatabaseServers) + L"\\FIREBIRD25\\SETUP");
}

TEST_F(DatabaseServersTest, OnlyTheFirstLocationOfTheChosenServerForThisWindowsServes) {
    ASSERT_GE(WindowsMajorVersion(), 6);
    AddServer(10, L"FIREBIRD", 1, true);
    AddServer(11, L"ORACLEOLD9", -3, true);   // the other Windows generation
    AddServer(12, L"ORACLE11", 3, true);
    AddServer(13, L"ORACLENEXT12", 3, true);
    LoadCatalogue();
    view.databaseIndex = 3;
    view.script.answers = {false, false, false};
    run.usedFolders = {clientFolder};
    ForceDirectories(clientFolder);

    run.InstallDbServers();

    EXPECT_EQ(view.script.messages, Lines{Announced(L"ORACLE")});
    EXPECT_EQ(state.InstalledFileList, Lines{clientFolder + L"\\client.dll"});
    EXPECT_EQ(FileText(clientFolder + L"\\client.dll"), ToUtf8(Source(kDatabaseServers, L"ORACLE11\\CLIENT\\client.dll")));
    EXPECT_TRUE(view.selectedDatabases.empty());
}

TEST_F(DatabaseServersTest, NoLocationForTheServerEndsQuietly) {
    AddServer(10, L"FIREBIRD", 1);
    LoadCatalogue();
    view.databaseIndex = 4;

    run.InstallDbServers();

    EXPECT_TRUE(view.script.events.empty());
    EXPECT_TRUE(run.usedFolders.empty());
}

class ThirdPartyTest : public InstallerTest {
protected:
    ThirdPartyTest() {
        catalogue.Add(CatalogueApplication{.majorId = 3, .title = L"Vendors", .accountType = 3});
        run.currentSourceFolder = CategoryFolder(kThirdParty);
    }

    TempFolder logFolder;
    RunLog log{logFolder / L"run.log"};
};

TEST_F(ThirdPartyTest, EveryLocationForThisWindowsServesWithItsRunFoldersOfThisGeneration) {
    ASSERT_GE(WindowsMajorVersion(), 6);
    catalogue.Add(CatalogueLocation{.minorId = 20, .parentId = 3, .title = L"VENDOR A", .functionId = 1})
        .Add(CatalogueLocation{.minorId = 21, .parentId = 3, .title = L"VENDOR OLD", .functionId = -1})
        .Add(CatalogueLocation{.minorId = 22, .parentId = 3, .title = L"VENDOR B", .functionId = 2})
        .Add(CatalogueLocation{.minorId = 23, .parentId = 3, .title = L"NEVER", .functionId = 0})
        .Add(CatalogueFolder{.detailId = 200, .parentId = 20, .title = L"Alpha Setup", .functionId = 5})
        .Add(CatalogueFolder{.detailId = 210, .parentId = 21, .title = L"Old Setup", .functionId = 10})
        .Add(CatalogueFolder{.detailId = 220, .parentId = 22, .title = L"Beta Old", .functionId = 10})
        .Add(CatalogueFolder{.detailId = 221, .parentId = 22, .title = L"Beta Other", .functionId = 7})
        .Add(CatalogueFolder{.detailId = 222, .parentId = 22, .title = L"Beta Setup", .functionId = 5})
        .Add(CatalogueFolder{.detailId = 230, .parentId = 23, .title = L"Never Setup", .functionId = 5});
    LoadCatalogue();
    view.script.answers = {false, false};

    run.InstallThirdPartyPrograms();

    EXPECT_EQ(view.script.messages, (Lines{Announced(L"Alpha Setup"), Announced(L"Beta Setup")}));
    EXPECT_EQ(view.script.questions, (Lines{kRunQuestion, kRunQuestion}));
    EXPECT_EQ(run.runFolder, CategoryFolder(kThirdParty) + L"\\VENDOR B\\Beta Setup");
    EXPECT_TRUE(log.Events().empty());
}

TEST_F(ThirdPartyTest, ProgramsRunOneAfterTheOtherAndOneThatCannotStartIsPassedOver) {
    catalogue.Add(CatalogueLocation{.minorId = 20, .parentId = 3, .title = L"VENDOR", .functionId = 1})
        .Add(CatalogueFolder{.detailId = 200, .parentId = 20, .title = L"Setup", .functionId = 5})
        .AddFolderFile(200, L"first.exe")
        .AddFolderFile(200, L"missing.exe")
        .AddFolderFile(200, L"third.exe");
    PlaceRecorderProgram(Source(kThirdParty, L"VENDOR\\Setup\\first.exe"));
    PlaceRecorderProgram(Source(kThirdParty, L"VENDOR\\Setup\\third.exe"));
    LoadCatalogue();

    run.InstallThirdPartyPrograms();

    EXPECT_EQ(log.Events(), (Lines{L"start first.exe", L"end first.exe", L"start third.exe", L"end third.exe"}));
    EXPECT_EQ(view.script.messages, (Lines{Announced(L"Setup"), L"Error starting the application!"}));
}

TEST_F(ThirdPartyTest, AnsweringNoSkipsOnlyThatFoldersPrograms) {
    const std::wstring installed = setup / L"installed";
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
    run.usedFolders = {installed + L"\\FIRST", installed + L"\\SECOND"};
    ForceDirectories(installed + L"\\FIRST");
    ForceDirectories(installed + L"\\SECOND");
    view.script.answers = {false, true};

    run.InstallThirdPartyPrograms();

    EXPECT_EQ(state.InstalledFileList, (Lines{installed + L"\\FIRST\\one.dll", installed + L"\\SECOND\\two.dll"}));
    EXPECT_EQ(log.Events(), (Lines{L"start accepted.exe", L"end accepted.exe"}));
    EXPECT_EQ(view.script.events,
              (Lines{L"status: Copying: " + Source(kThirdParty, L"VENDOR\\FIRST\\one.dll"),
                     L"message: " + Announced(L"Declined"), L"ask: " + std::wstring(kRunQuestion),
                     L"status: Copying: " + Source(kThirdParty, L"VENDOR\\SECOND\\two.dll"),
                     L"message: " + Announced(L"Accepted"), L"ask: " + std::wstring(kRunQuestion)}));
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
    const std::wstring installed = setup / L"installed";
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
    run.usedFolders = {installed + L"\\BIN\\DATA", installed + L"\\APP\\BIN", installed + L"\\LATER\\BIN"};
    for (const auto& folder : run.usedFolders) ForceDirectories(folder);
    const std::wstring workFolder = setup / L"work";
    ForceDirectories(workFolder + L"\\Client Libs");
    const CurrentFolderScope current(workFolder);

    run.InstallThirdPartyPrograms();

    EXPECT_EQ(state.InstalledFileList,
              (Lines{installed + L"\\APP\\BIN\\x.dll", L"Client Libs\\y.dll", installed + L"\\APP\\BIN\\z.dll"}));
    EXPECT_EQ(FileText(installed + L"\\APP\\BIN\\z.dll"), ToUtf8(Source(kThirdParty, L"OTHER\\BIN\\z.dll")));
    EXPECT_EQ(FileText(workFolder + L"\\Client Libs\\y.dll"), ToUtf8(Source(kThirdParty, L"VENDOR\\Client Libs\\y.dll")));
    EXPECT_EQ(run.currentSourceFolder, CategoryFolder(kThirdParty) + L"\\OTHER\\BIN");
    EXPECT_TRUE(view.script.messages.empty());
}

TEST(FindUsedFolder, TakesTheFirstEntryWhoseFirstOccurrenceOfTheTitleEndsIt) {
    InstallerState state;
    ScriptedInstallView view;
    InstallRun run(state, view, L"C:\\Setup\\", L"C:\\ProgramData\\ORVELIN\\install\\");
    run.usedFolders = {L"C:\\BIN\\APP\\BIN", L"C:\\a\\bin", L"C:\\A\\XBIN", L"C:\\B\\BIN", L"C:\\C\\BIN"};

    EXPECT_EQ(run.FindUsedFolder(L"BIN"), L"C:\\A\\XBIN");
    EXPECT_EQ(run.FindUsedFolder(L"\\BIN"), L"C:\\B\\BIN");
    EXPECT_EQ(run.FindUsedFolder(L"bin"), L"C:\\a\\bin");
    EXPECT_EQ(run.FindUsedFolder(L"DATA"), L"");
    EXPECT_EQ(run.FindUsedFolder(L""), L"");
}

}  // namespace
}  // namespace orvelin::test

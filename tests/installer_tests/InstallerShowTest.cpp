// The show: setup.ini read into the state and the boxes, the catalogue loaded.
#include <gtest/gtest.h>

#include "installer/CatalogueWriter.h"
#include "installer/InstallerState.h"
#include "shared/Error.h"
#include "shared/TextUtil.h"
#include "support/TempFolder.h"

namespace orvelin::test {
namespace {

class InstallerShowTest : public ::testing::Test {
protected:
    InstallerShowTest() {
        CatalogueWriter catalogue;
        catalogue.Add(CatalogueApplication{.majorId = 1, .title = L"Accounts", .accountType = 1})
            .Add(CatalogueApplication{.majorId = 2, .title = L"Common", .accountType = 2})
            .Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"BIN", .functionId = 1})
            .Add(CatalogueFolder{.detailId = 100, .parentId = 10, .title = L"REPORTS", .functionId = 0})
            .AddFolderFile(100, L"a.rpt");
        catalogue.Save(folder.Path());
    }

    std::optional<ShownSettings> Show(const std::string& ini, bool found = true) {
        WriteFileBytes(folder / L"setup.ini", ini);
        return PrepareShow(state, found, IniFile(folder / L"setup.ini"), ExcludeTrailingBackslash(folder.Path()));
    }

    TempFolder folder;
    InstallerState state;
};

TEST_F(InstallerShowTest, ReadsSettingsAndLoadsTheCatalogue) {
    const auto shown = Show(
        "[Setup]\r\nApplicExeName=Accounts.exe\r\nApplicFullName=Orvelin Accounts\r\nInstallDbServer=1\r\n"
        "[Install]\r\nGuidId={11111111-2222-3333-4444-555555555555}\r\nDisplayName=Accounts 2024\r\n"
        "DskTopShortCutName=Accounts\r\nAddShortCut=0\r\n");
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->guidId, L"{11111111-2222-3333-4444-555555555555}");
    EXPECT_EQ(shown->displayName, L"Accounts 2024");
    EXPECT_EQ(shown->shortcutName, L"Accounts");
    EXPECT_FALSE(shown->addShortcut);
    EXPECT_TRUE(shown->showDatabaseChoice);

    EXPECT_EQ(state.ApplicConfigPath, folder.Path());
    EXPECT_EQ(state.ApplicBasePath, folder.Path());
    EXPECT_EQ(state.ApplicExeName, L"Accounts.exe");
    EXPECT_EQ(state.ApplicFullName, L"Orvelin Accounts");
    EXPECT_TRUE(state.InstallDbServer);
    EXPECT_EQ(state.lbShortCutExe, std::vector<std::wstring>{L"Accounts.exe"});
    EXPECT_EQ(state.catalogue.cdsApplics.RecordCount(), 2);
    EXPECT_EQ(state.catalogue.cdsLocations.AsText(L"TITLE"), L"BIN");
    EXPECT_EQ(state.catalogue.cdsFolders.AsText(L"TITLE"), L"REPORTS");
    EXPECT_EQ(state.catalogue.cdsFiles.AsText(L"DESCRIPTION"), L"a.rpt");
}

struct IniCase {
    const char* name;
    std::string ini;
    std::wstring displayName;
    bool addShortcut;
    bool showDatabaseChoice;
    std::wstring shortcutExe;
};

class InstallerShowIniTest : public InstallerShowTest, public ::testing::WithParamInterface<IniCase> {};

TEST_P(InstallerShowIniTest, FillsTheBoxesAsTheFileSays) {
    const auto shown = Show(GetParam().ini);
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->displayName, GetParam().displayName);
    EXPECT_EQ(shown->addShortcut, GetParam().addShortcut);
    EXPECT_EQ(shown->showDatabaseChoice, GetParam().showDatabaseChoice);
    EXPECT_EQ(state.lbShortCutExe, std::vector<std::wstring>{GetParam().shortcutExe});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallerShowIniTest,
    ::testing::Values(
        IniCase{"DisplayNameFromFullName", "[Setup]\r\nApplicExeName=A.EXE\r\nApplicFullName=Full Name\r\n[Install]\r\n",
                L"Full Name", true, false, L"A.EXE"},
        IniCase{"EmptyDisplayNameFromFullName",
                "[Setup]\r\nApplicFullName=Full Name\r\nInstallDbServer=0\r\n[Install]\r\nDisplayName=\r\n", L"Full Name",
                true, false, L""},
        IniCase{"NeitherName", "[Setup]\r\nApplicExeName=A.EXE\r\n[Install]\r\nAddShortCut=1\r\n", L"", true, false,
                L"A.EXE"},
        IniCase{"DatabaseChoiceShown", "[Setup]\r\nInstallDbServer=1\r\n[Install]\r\nDisplayName=Shown\r\n", L"Shown",
                true, true, L""},
        IniCase{"DesktopChoiceCleared", "[Install]\r\nAddShortCut=0\r\n", L"", false, false, L""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InstallerShowTest, WithoutSetupIniNothingIsRead) {
    const auto shown = Show("[Setup]\r\nApplicExeName=A.EXE\r\nApplicFullName=Full\r\n", false);
    EXPECT_FALSE(shown.has_value());
    EXPECT_EQ(state.ApplicExeName, L"");
    EXPECT_EQ(state.ApplicBasePath, L"");
    EXPECT_TRUE(state.lbShortCutExe.empty());
    EXPECT_EQ(state.catalogue.cdsApplics.RecordCount(), 0);
}

TEST_F(InstallerShowTest, AMissingCatalogueFileStopsTheShowNamingTheFile) {
    DeleteFileW((folder / L"data\\tblFolders.xml").c_str());
    try {
        Show("[Setup]\r\nApplicExeName=A.EXE\r\n");
        FAIL() << "the show went on";
    } catch (const Error& e) {
        EXPECT_NE(e.Text().find(folder / L"data\\tblFolders.xml"), std::wstring::npos) << e.what();
    }
    EXPECT_EQ(state.catalogue.cdsLocations.RecordCount(), 1);   // loaded before the failing table
    EXPECT_EQ(state.catalogue.cdsFiles.RecordCount(), 0);       // not reached
}

TEST_F(InstallerShowTest, ABrokenCatalogueFileStopsTheShow) {
    WriteFileBytes(folder / L"data\\tblApplics.xml",
                   "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
                   "<FIELD attrname=\"MAJOR_ID\" fieldtype=\"i4\"/><FIELD attrname=\"TITLE\" fieldtype=\"string\"/>"
                   "<FIELD attrname=\"ACCOUNT_T\" fieldtype=\"i2\"/></FIELDS><PARAMS/></METADATA><ROWDATA/></DATAPACKET>");
    try {
        Show("[Setup]\r\nApplicExeName=A.EXE\r\n");
        FAIL() << "the show went on";
    } catch (const Error& e) {
        EXPECT_EQ(e.Text(), L"Type mismatch for field 'TITLE', expecting: WideString actual: String");
    }
    EXPECT_EQ(state.catalogue.cdsLocations.RecordCount(), 0);
}

TEST(DeriveBasePath, KeepsTheTextUpToItsLastBackslash) {
    EXPECT_EQ(DeriveBasePath(L"C:\\Setup\\Disk1\\"), L"C:\\Setup\\Disk1\\");
    EXPECT_EQ(DeriveBasePath(L"C:\\Setup\\setup.ini"), L"C:\\Setup\\");
    EXPECT_EQ(DeriveBasePath(L"setup"), L"");
    EXPECT_EQ(DeriveBasePath(L""), L"");
}

}  // namespace
}  // namespace orvelin::test

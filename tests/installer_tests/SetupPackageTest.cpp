// What the installer reads from its setup folder when its window is shown: setup.ini's
// settings and the catalogue.
#include <gtest/gtest.h>

#include "installer/CatalogueWriter.h"
#include "installer/SetupPackage.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace orvelin::test {
namespace {

class SetupPackageTest : public ::testing::Test {
protected:
    SetupPackageTest() {
        CatalogueWriter catalogue;
        catalogue.Add(CatalogueApplication{.majorId = 1, .title = L"Accounts", .accountType = 1})
            .Add(CatalogueApplication{.majorId = 2, .title = L"Common", .accountType = 2})
            .Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"BIN", .functionId = 1})
            .Add(CatalogueFolder{.detailId = 100, .parentId = 10, .title = L"REPORTS", .functionId = 0})
            .AddFolderFile(100, L"a.rpt");
        catalogue.Save(folder.Path());
    }

    void Load(const std::string& ini) {
        PutFile(folder / L"setup.ini", ini);
        package.Load(ExcludeTrailingBackslash(folder.Path()), IniFile(folder / L"setup.ini"));
    }

    TempFolder folder;
    SetupPackage package;
};

TEST_F(SetupPackageTest, ReadsSettingsAndLoadsTheCatalogue) {
    Load("[Setup]\r\nApplicExeName=Accounts.exe\r\nApplicFullName=Orvelin Accounts\r\nInstallDbServer=1\r\n"
         "[Install]\r\nGuidId={11111111-2222-3333-4444-555555555555}\r\nDisplayName=Accounts 2024\r\n"
         "DskTopShortCutName=Accounts\r\nAddShortCut=0\r\n");
    const SetupSettings& settings = package.settings;
    EXPECT_EQ(package.folder, folder.Path());
    EXPECT_EQ(settings.applicationExe, L"Accounts.exe");
    EXPECT_EQ(settings.ApplicationName(), L"Accounts");
    EXPECT_EQ(settings.applicationFullName, L"Orvelin Accounts");
    EXPECT_TRUE(settings.offersDatabaseServer);
    EXPECT_EQ(settings.guid, L"{11111111-2222-3333-4444-555555555555}");
    EXPECT_EQ(settings.displayName, L"Accounts 2024");
    EXPECT_EQ(settings.shortcutName, L"Accounts");
    EXPECT_FALSE(settings.addDesktopShortcut);
    EXPECT_EQ(package.catalogue.applications.RecordCount(), 2);
    EXPECT_EQ(package.catalogue.locations.AsText(L"TITLE"), L"BIN");
    EXPECT_EQ(package.catalogue.folders.AsText(L"TITLE"), L"REPORTS");
    EXPECT_EQ(package.catalogue.files.AsText(L"DESCRIPTION"), L"a.rpt");
}

struct IniCase {
    const char* name;
    std::string ini;
    std::wstring displayName;
    bool addShortcut;
    bool offersDatabaseServer;
};

class SetupSettingsTest : public SetupPackageTest, public ::testing::WithParamInterface<IniCase> {};

TEST_P(SetupSettingsTest, FillTheBoxesAsTheFileSays) {
    Load(GetParam().ini);
    EXPECT_EQ(package.settings.displayName, GetParam().displayName);
    EXPECT_EQ(package.settings.addDesktopShortcut, GetParam().addShortcut);
    EXPECT_EQ(package.settings.offersDatabaseServer, GetParam().offersDatabaseServer);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetupSettingsTest,
    ::testing::Values(
        IniCase{"DisplayNameFromFullName", "[Setup]\r\nApplicExeName=A.EXE\r\nApplicFullName=Full Name\r\n[Install]\r\n",
                L"Full Name", true, false},
        IniCase{"EmptyDisplayNameFromFullName",
                "[Setup]\r\nApplicFullName=Full Name\r\nInstallDbServer=0\r\n[Install]\r\nDisplayName=\r\n", L"Full Name",
                true, false},
        IniCase{"NeitherName", "[Setup]\r\nApplicExeName=A.EXE\r\n[Install]\r\nAddShortCut=1\r\n", L"", true, false},
        IniCase{"DatabaseChoiceShown", "[Setup]\r\nInstallDbServer=1\r\n[Install]\r\nDisplayName=Shown\r\n", L"Shown",
                true, true},
        IniCase{"DesktopChoiceCleared", "[Install]\r\nAddShortCut=0\r\n", L"", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupPackageTest, AMissingCatalogueFileStopsTheLoadNamingTheFile) {
    DeleteFileW((folder / L"data\\tblFolders.xml").c_str());
    try {
        Load("[Setup]\r\nApplicExeName=A.EXE\r\n");
        FAIL() << "the load went on";
    } catch (const Error& e) {
        EXPECT_NE(e.Text().find(folder / L"data\\tblFolders.xml"), std::wstring::npos) << e.what();
    }
    EXPECT_EQ(package.catalogue.locations.RecordCount(), 1);   // loaded before the failing table
    EXPECT_EQ(package.catalogue.files.RecordCount(), 0);       // not reached
}

TEST_F(SetupPackageTest, ABrokenCatalogueFileStopsTheLoad) {
    PutFile(folder / L"data\\tblApplics.xml",
            "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
            "<FIELD attrname=\"MAJOR_ID\" fieldtype=\"i4\"/><FIELD attrname=\"TITLE\" fieldtype=\"string\"/>"
            "<FIELD attrname=\"ACCOUNT_T\" fieldtype=\"i2\"/></FIELDS><PARAMS/></METADATA><ROWDATA/></DATAPACKET>");
    try {
        Load("[Setup]\r\nApplicExeName=A.EXE\r\n");
        FAIL() << "the load went on";
    } catch (const Error& e) {
        EXPECT_EQ(e.Text(), L"Type mismatch for field 'TITLE', expecting: WideString actual: String");
    }
    EXPECT_EQ(package.catalogue.locations.RecordCount(), 0);
}

}  // namespace
}  // namespace orvelin::test

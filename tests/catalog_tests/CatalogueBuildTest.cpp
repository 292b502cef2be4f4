// `catalog build`: packets written from a description and the FILES tree, and the descriptions it
// refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/CatalogCommand.h"
#include "catalog/CatalogueBuild.h"
#include "catalog/CatalogueDescription.h"
#include "installer/InstallCatalogue.h"
#include "installer/SetupCheck.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "support/EveryKindSetup.h"
#include "support/TempFolder.h"

namespace orvelin::test {
namespace {

using Rows = std::vector<std::wstring>;

// Each record of a packet as "FIELD=value ..." in file order; null fields left out.
Rows PacketRows(const std::wstring& file, std::vector<FieldDef> fields) {
    DataPacketTable table(fields);
    table.Load(file);
    Rows rows;
    for (table.First(); !table.Eof(); table.Next()) {
        std::wstring row;
        for (const auto& field : fields)
            if (!table.IsNull(field.name) && field.name != L"SELECTED" && field.name != L"CLASS" && field.name != L"NORMAL")
                row += (row.empty() ? L"" : L" ") + field.name + L"=" + table.AsText(field.name);
        rows.push_back(row);
    }
    return rows;
}

class CatalogueBuildTest : public testing::Test {
protected:
    TempFolder folder;
};

TEST_F(CatalogueBuildTest, WritesEveryCategoryLocationKindAndRunCodeFromTheDescriptionAndTheTree) {
    EveryKindSetup::WriteFolder(folder.Path());

    BuildCatalogue(ParseDescription(EveryKindSetup::Description(), L"every.catalog"), folder.Path());

    EXPECT_EQ(PacketRows(folder / L"data\\tblApplics.xml", ApplicsFields()),
              (Rows{L"MAJOR_ID=1 TITLE=Program ACCOUNT_T=1", L"MAJOR_ID=2 TITLE=Shared ACCOUNT_T=2",
                    L"MAJOR_ID=3 TITLE=System ACCOUNT_T=4", L"MAJOR_ID=4 TITLE=Servers ACCOUNT_T=0",
                    L"MAJOR_ID=5 TITLE=Tools ACCOUNT_T=3"}));
    EXPECT_EQ(PacketRows(folder / L"data\\tblLocations.xml", LocationsFields()),
              (Rows{L"MINOR_ID=1 PARENT_ID=1 TITLE=PROGRAM FUNCTION_ID=1", L"MINOR_ID=2 PARENT_ID=1 TITLE=DATA FUNCTION_ID=3",
                    L"MINOR_ID=3 PARENT_ID=2 TITLE=USER FUNCTION_ID=4", L"MINOR_ID=4 PARENT_ID=3 TITLE=NATIVE FUNCTION_ID=2",
                    L"MINOR_ID=5 PARENT_ID=4 TITLE=FB25 FUNCTION_ID=1", L"MINOR_ID=6 PARENT_ID=4 TITLE=FB15 FUNCTION_ID=-1",
                    L"MINOR_ID=7 PARENT_ID=4 TITLE=IB FUNCTION_ID=2", L"MINOR_ID=8 PARENT_ID=5 TITLE=TOOLS FUNCTION_ID=1",
                    L"MINOR_ID=9 PARENT_ID=5 TITLE=TOOLS XP FUNCTION_ID=-1"}));
    EXPECT_EQ(PacketRows(folder / L"data\\tblFolders.xml", FoldersFields()),
              (Rows{L"DETAIL_ID=1 PARENT_ID=1 TITLE=BIN", L"DETAIL_ID=2 PARENT_ID=1 TITLE=LIB",
                    L"DETAIL_ID=3 PARENT_ID=5 TITLE=BIN FUNCTION_ID=0", L"DETAIL_ID=4 PARENT_ID=5 TITLE=Setup FUNCTION_ID=5",
                    L"DETAIL_ID=5 PARENT_ID=6 TITLE=BIN FUNCTION_ID=0", L"DETAIL_ID=6 PARENT_ID=6 TITLE=Setup FUNCTION_ID=10",
                    L"DETAIL_ID=7 PARENT_ID=7 TITLE=Setup FUNCTION_ID=5",
                    L"DETAIL_ID=8 PARENT_ID=8 TITLE=Tool Setup FUNCTION_ID=5", L"DETAIL_ID=9 PARENT_ID=8 TITLE=BIN FUNCTION_ID=0",
                    L"DETAIL_ID=10 PARENT_ID=9 TITLE=Tool Setup FUNCTION_ID=10"}));
    // In the order of the patterns, then by name; the uninstaller beside the main executable is
    // not listed.
    EXPECT_EQ(PacketRows(folder / L"data\\tblFiles.xml", FilesFields()),
              (Rows{L"FILE_ID=1 PARENT_ID=1 NODE_LEVEL=3 DESCRIPTION=EveryKind.exe",
                    L"FILE_ID=2 PARENT_ID=1 NODE_LEVEL=3 DESCRIPTION=a.dll",
                    L"FILE_ID=3 PARENT_ID=1 NODE_LEVEL=3 DESCRIPTION=b.dll",
                    L"FILE_ID=4 PARENT_ID=2 NODE_LEVEL=3 DESCRIPTION=c.ocx",
                    L"FILE_ID=5 PARENT_ID=2 NODE_LEVEL=2 DESCRIPTION=data.dat",
                    L"FILE_ID=6 PARENT_ID=3 NODE_LEVEL=2 DESCRIPTION=user.ini",
                    L"FILE_ID=7 PARENT_ID=4 NODE_LEVEL=2 DESCRIPTION=native.cfg",
                    L"FILE_ID=8 PARENT_ID=3 NODE_LEVEL=3 DESCRIPTION=fb.conf",
                    L"FILE_ID=9 PARENT_ID=4 NODE_LEVEL=3 DESCRIPTION=fbsetup.exe",
                    L"FILE_ID=10 PARENT_ID=5 NODE_LEVEL=3 DESCRIPTION=fb.conf",
                    L"FILE_ID=11 PARENT_ID=6 NODE_LEVEL=3 DESCRIPTION=fbsetup.exe",
                    L"FILE_ID=12 PARENT_ID=7 NODE_LEVEL=3 DESCRIPTION=ibsetup.exe",
                    L"FILE_ID=13 PARENT_ID=8 NODE_LEVEL=3 DESCRIPTION=toolsetup.exe",
                    L"FILE_ID=14 PARENT_ID=9 NODE_LEVEL=3 DESCRIPTION=tool.cfg",
                    L"FILE_ID=15 PARENT_ID=10 NODE_LEVEL=3 DESCRIPTION=toolsetup.exe"}));
    const std::vector<Finding> findings = CheckSetupFolder(folder.Path());
    EXPECT_TRUE(findings.empty()) << ToUtf8(FindingText(findings.front()));
}

TEST_F(CatalogueBuildTest, TheCommandReportsTheCheckOfWhatItWrote) {
    EveryKindSetup::WriteFolder(folder.Path());
    PutFile(folder / L"FILES\\INSTALLED APPLIC\\notes.txt", "no pattern takes it");
    PutFile(folder / L"every.catalog", ToUtf8(EveryKindSetup::Description()));

    const CommandResult result = RunCatalogCommand({L"build", folder / L"every.catalog", folder.Path()});

    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find(L"warning file-not-listed: FILES, FILES\\INSTALLED APPLIC\\notes.txt"), std::wstring::npos)
        << ToUtf8(result.output);
    EXPECT_TRUE(FileExists(folder / L"data\\tblFiles.xml"));
}

struct RefusedCase {
    const char* name;
    const wchar_t* description;
    const wchar_t* message;
};

class RefusedDescriptionTest : public CatalogueBuildTest, public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedDescriptionTest, NamesTheLineAndWritesNothing) {
    EveryKindSetup::WriteFolder(folder.Path());
    try {
        BuildCatalogue(ParseDescription(GetParam().description, L"d.catalog"), folder.Path());
        FAIL() << "the description was taken";
    } catch (const DescriptionError& e) {
        EXPECT_EQ(ToUtf8(e.Text()), ToUtf8(GetParam().message));
    }
    EXPECT_FALSE(DirectoryExists(folder / L"data"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedDescriptionTest,
    testing::Values(
        RefusedCase{"UnknownLine", L"app Program: application files",
                    L"d.catalog(1): \"app\" begins no line: lines begin with application, location, folder or files"},
        RefusedCase{"NoColon", L"\n# the product\napplication Program application files",
                    L"d.catalog(3): expected a colon after the application's title"},
        RefusedCase{"UnknownCategory", L"application Program: programs",
                    L"d.catalog(1): give one category after the colon: application files, common files, Windows "
                    L"files, database servers, third-party programs"},
        RefusedCase{"LocationOfNoApplication", L"location DATA: ProgramData",
                    L"d.catalog(1): a location belongs to an application above it"},
        RefusedCase{"UnknownBase", L"application P: application files\n  location X: Program Files (x64)",
                    L"d.catalog(2): give one base folder after the colon: Program Files (x86), Program Files, "
                    L"ProgramData, AppData"},
        RefusedCase{"ServerNotNamed", L"application S: database servers\n  location FB: Vista and later",
                    L"d.catalog(2): give the database server (FIREBIRD, INTERBASE, ORACLE, MYSQL, MSQ) and the "
                    L"Windows generation (Vista and later, XP and earlier)"},
        RefusedCase{"VendorWithAServer", L"application T: third-party programs\n  location T: FIREBIRD, XP and earlier",
                    L"d.catalog(2): other vendors' programs have no database server: give only the Windows generation"},
        RefusedCase{"FolderBesideOwnFiles",
                    L"application P: application files\n  location X: ProgramData\n    files: *\n    folder BIN: *",
                    L"d.catalog(4): a location with its own files (a files line) has no folders"},
        RefusedCase{"ServerWithOwnFiles",
                    L"application S: database servers\n  location FB25: FIREBIRD, Vista and later\n    files: *",
                    L"d.catalog(3): database servers and other vendors' programs install only their folders' files"},
        RefusedCase{"SetupFolderWithoutAction",
                    L"application S: database servers\n  location FB25: FIREBIRD, Vista and later\n    folder Setup: *.exe",
                    L"d.catalog(3): say first what the folder does: copy (its files) or run (them as setup programs)"},
        RefusedCase{"NoApplication", L"# nothing yet\n", L"d.catalog: the description names no application"},
        RefusedCase{"SetupFolderNotInTheTree",
                    L"application S: database servers\n  location FB25: FIREBIRD, Vista and later\n    folder Setp: run",
                    L"d.catalog(3): FILES\\DATABASE SERVERS\\FB25\\Setp is not in the setup folder"},
        RefusedCase{"PatternsTakingNothing",
                    L"application P: application files\n  location PROGRAM: Program Files\n    folder BIN: *.dll\n"
                    L"    folder LIB: *.dll",
                    L"d.catalog(4): no file of FILES\\INSTALLED APPLIC that an earlier line did not take matches *.dll"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvelin::test

// The installation catalogue: four linked tables walked the way an install walks them.
#include <gtest/gtest.h>

#include <algorithm>

#include "datapacket_tests/SamplePacket.h"
#include "installer/CatalogueWriter.h"
#include "installer/InstallCatalogue.h"
#include "platform/Paths.h"
#include "platform/Text.h"

using namespace orvelin;
using namespace orvelin::testing_support;

namespace {

class InstallCatalogueTest : public testing::Test {
protected:
    InstallCatalogueTest() {
        CatalogueWriter writer;
        // Applications in file order 30, 10, 20, 10.
        writer.Add(CatalogueApplication{.majorId = 30, .title = L"Third", .accountType = 4})
            .Add(CatalogueApplication{.majorId = 10, .title = L"First", .accountType = 1})
            .Add(CatalogueApplication{.majorId = 20, .title = L"Second", .accountType = 2})
            .Add(CatalogueApplication{.majorId = 10, .title = L"First again", .accountType = 3});
        // Application 10: location 101 without FUNCTION_ID and with own files, then 100 with
        // folders (its own file is never used). Application 20: location 200, no files at all.
        writer.Add(CatalogueLocation{.minorId = 101, .parentId = 10, .title = L"DATA"})
            .Add(CatalogueLocation{.minorId = 200, .parentId = 20, .title = L"EMPTY", .functionId = 3})
            .Add(CatalogueLocation{.minorId = 100, .parentId = 10, .title = L"BIN", .functionId = 1})
            .Add(CatalogueLocation{.minorId = 300, .parentId = 30, .title = L"SYS", .functionId = 2});
        writer.Add(CatalogueFolder{.detailId = 1001, .parentId = 100, .title = L"Reports\\Arabic"})
            .Add(CatalogueFolder{.detailId = 1000, .parentId = 100, .title = L"Lib", .functionId = 0});
        writer.AddFolderFile(1000, L"a.dll")
            .AddLocationFile(101, L"d.dat")
            .AddFolderFile(1001, L"r.rpt")
            .AddLocationFile(100, L"unused.txt")
            .AddFolderFile(1000, L"b.dll")
            .Add(CatalogueFile{.fileId = 50, .parentId = 1000, .nodeLevel = 1, .description = L"level1.txt"})
            .Add(CatalogueFile{.fileId = 51, .parentId = 1000, .nodeLevel = 4, .description = L"level4.txt"})
            .AddFolderFile(9999, L"dangling.txt")
            .AddLocationFile(300, L"kernel.sys");
        writer.Save(folder.Path());
    }

    // The walk of an install: applications by MAJOR_ID, their locations, and per location its
    // folders' files, or its own files when it has no folders.
    std::vector<std::wstring> Walk() {
        std::vector<std::wstring> seen;
        auto files = [&](const std::wstring& where, int level, int node) {
            catalogue.SelectNodeFiles(level, node);
            for (; !catalogue.files.Eof(); catalogue.files.Next())
                seen.push_back(where + L"|" + catalogue.files.AsText(L"DESCRIPTION"));
        };
        for (catalogue.applications.First(); !catalogue.applications.Eof(); catalogue.applications.Next()) {
            const std::wstring application = catalogue.applications.AsText(L"TITLE");
            seen.push_back(application);
            for (catalogue.locations.First(); !catalogue.locations.Eof(); catalogue.locations.Next()) {
                const std::wstring location = application + L"|" + catalogue.locations.AsText(L"TITLE");
                if (catalogue.folders.RecordCount() == 0) {
                    files(location, kLocationLevel, catalogue.locations.AsInteger(L"MINOR_ID"));
                    continue;
                }
                for (catalogue.folders.First(); !catalogue.folders.Eof(); catalogue.folders.Next())
                    files(location + L"|" + catalogue.folders.AsText(L"TITLE"), kFolderLevel,
                          catalogue.folders.AsInteger(L"DETAIL_ID"));
            }
        }
        return seen;
    }

    TempFolder folder;
    InstallCatalogue catalogue;
};

TEST_F(InstallCatalogueTest, WalkFollowsTheLinksInKeyThenFileOrder) {
    catalogue.Load(folder.Path());
    EXPECT_EQ(Walk(), (std::vector<std::wstring>{
                          L"First",
                          L"First|DATA|d.dat",
                          L"First|BIN|Reports\\Arabic|r.rpt",
                          L"First|BIN|Lib|a.dll",
                          L"First|BIN|Lib|b.dll",
                          L"First again",
                          L"First again|DATA|d.dat",
                          L"First again|BIN|Reports\\Arabic|r.rpt",
                          L"First again|BIN|Lib|a.dll",
                          L"First again|BIN|Lib|b.dll",
                          L"Second",
                          L"Third",
                          L"Third|SYS|kernel.sys",
                      }));
}

TEST_F(InstallCatalogueTest, FilesOfOtherLevelsOrOfNoNodeAreNeverSelected) {
    catalogue.Load(folder.Path());
    const std::vector<std::wstring> walked = Walk();
    for (const wchar_t* never : {L"level1.txt", L"level4.txt", L"dangling.txt", L"unused.txt"})
        EXPECT_TRUE(std::none_of(walked.begin(), walked.end(), [&](const std::wstring& line) { return line.ends_with(never); }))
            << ToUtf8(never);
    catalogue.SelectNodeFiles(3, 9999);
    EXPECT_EQ(catalogue.files.AsText(L"DESCRIPTION"), L"dangling.txt") << "the record exists, only no node names it";
    catalogue.SelectNodeFiles(1, 1000);
    EXPECT_EQ(catalogue.files.RecordCount(), 1) << "level 1 is selected only when asked for";
}

TEST_F(InstallCatalogueTest, LocationWithoutFunctionIdReadsZero) {
    catalogue.Load(folder.Path());
    catalogue.applications.First();   // MAJOR_ID 10
    catalogue.locations.First();
    ASSERT_EQ(catalogue.locations.AsInteger(L"MINOR_ID"), 101);
    EXPECT_TRUE(catalogue.locations.IsNull(L"FUNCTION_ID"));
    EXPECT_EQ(catalogue.locations.AsInteger(L"FUNCTION_ID"), 0);
    catalogue.locations.Next();
    EXPECT_EQ(catalogue.locations.AsInteger(L"FUNCTION_ID"), 1);
}

TEST_F(InstallCatalogueTest, SelectNodeFilesSetsTheSelectionAndStandsOnTheFirstFile) {
    catalogue.Load(folder.Path());
    catalogue.files.Locate(L"DESCRIPTION", L"kernel.sys");
    catalogue.SelectNodeFiles(3, 1000);
    EXPECT_EQ(catalogue.files.SelectionText(), L"NODE_LEVEL = 3 and PARENT_ID = 1000");
    EXPECT_TRUE(catalogue.files.SelectionEnabled());
    EXPECT_EQ(catalogue.files.RecordCount(), 2);
    EXPECT_EQ(catalogue.files.AsText(L"DESCRIPTION"), L"a.dll");
}

TEST_F(InstallCatalogueTest, FilesTableKeepsItsFieldsAndDefaults) {
    catalogue.Load(folder.Path());
    catalogue.SelectNodeFiles(2, 101);
    EXPECT_EQ(catalogue.files.AsInteger(L"SELECTED"), 1);
    EXPECT_EQ(catalogue.files.AsInteger(L"CLASS"), 0);
    EXPECT_TRUE(catalogue.files.IsNull(L"NOTES"));
    EXPECT_EQ(catalogue.files.AsInteger(L"FILE_ID"), 2);
}

// ---- catalogue files written by other tools ----

std::string ApplicsPacket(const char* titleType, const char* accountType) {
    return PacketText(std::string(R"(<FIELD attrname="MAJOR_ID" fieldtype="i4" required="true"/>)"
                                  R"(<FIELD attrname="TITLE" fieldtype=")") +
                          titleType + R"(" required="true" WIDTH="800"/><FIELD attrname="ACCOUNT_T" fieldtype=")" +
                          accountType + R"(" required="true"/>)",
                      R"(<ROW MAJOR_ID="2" TITLE="Accounts" ACCOUNT_T="1"/><ROW MAJOR_ID="1" TITLE="Server" ACCOUNT_T="0"/>)");
}

TEST_F(InstallCatalogueTest, ApplicationCategoryDeclaredAsI4Loads) {
    WriteFile(folder, ApplicsPacket("string.uni", "i4"), L"data\\tblApplics.xml");
    catalogue.Load(folder.Path());
    catalogue.applications.First();
    EXPECT_EQ(catalogue.applications.AsText(L"TITLE"), L"Server");
    EXPECT_EQ(catalogue.applications.AsInteger(L"ACCOUNT_T"), 0);
    catalogue.applications.Next();
    EXPECT_EQ(catalogue.applications.AsInteger(L"ACCOUNT_T"), 1);
}

TEST_F(InstallCatalogueTest, ApplicationTitleDeclaredAsStringIsRefused) {
    WriteFile(folder, ApplicsPacket("string", "i2"), L"data\\tblApplics.xml");
    EXPECT_EQ(ErrorTextOf([&] { catalogue.Load(folder.Path()); }),
              L"Type mismatch for field 'TITLE', expecting: WideString actual: String");
}

class MissingCatalogueFileTest : public InstallCatalogueTest, public testing::WithParamInterface<const wchar_t*> {};

TEST_P(MissingCatalogueFileTest, ErrorNamesTheFileAndLoadingStopsThere) {
    const std::wstring missing = folder.Path() + GetParam();
    ASSERT_TRUE(DeleteFileW(missing.c_str()));
    EXPECT_EQ(ErrorTextOf([&] { catalogue.Load(folder.Path()); }),
              Substitute(L"Cannot open file \"%s\". %s", {missing, SystemErrorText(ERROR_FILE_NOT_FOUND)}));
    // Tables before the missing one are loaded; the ones after it are not.
    const bool applicsLoaded = std::wstring_view(GetParam()) != kApplicsFile;
    EXPECT_EQ(catalogue.applications.RecordCount(), applicsLoaded ? 4 : 0);
    catalogue.files.ClearSelection();
    EXPECT_EQ(catalogue.files.RecordCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Files, MissingCatalogueFileTest,
                         testing::Values(kApplicsFile, kLocationsFile, kFoldersFile, kFilesFile));

}  // namespace

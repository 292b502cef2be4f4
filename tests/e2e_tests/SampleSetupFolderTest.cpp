// The sample setup folder as built: its catalogue and its FILES tree agree, and the Arabic
// window designs match the programs' own control for control.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "DialogTemplate.h"
#include "SampleProduct.h"
#include "platform/FileSystem.h"
#include "ProductVersion.h"
#include "installer/InstallCatalogue.h"
#include "platform/VersionResource.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "support/ProgramSessions.h"

namespace orvelin::test {
namespace {

std::wstring CategoryFolder(int category) {
    switch (category) {
        case 0: return L"FILES\\DATABASE SERVERS";
        case 1: return L"FILES\\INSTALLED APPLIC";
        case 2: return L"FILES\\COMMON APPLIC";
        case 3: return L"FILES\\THIRED PARTY APP";
        case 4: return L"FILES\\WINDOWS";
        default: return {};
    }
}

void AddNodeFiles(InstallCatalogue& catalogue, int level, int node, const std::wstring& folder,
                  std::set<std::wstring>& files) {
    catalogue.SelectNodeFiles(level, node);
    for (DataPacketTable& table = catalogue.files; !table.Eof(); table.Next())
        files.insert(UpperAscii(folder + L"\\" + table.AsText(L"DESCRIPTION")));
}

// Every source file the catalogue names, relative to the setup folder, in capitals.
std::set<std::wstring> CatalogueSources(InstallCatalogue& catalogue) {
    std::set<std::wstring> files;
    for (catalogue.applications.First(); !catalogue.applications.Eof(); catalogue.applications.Next()) {
        const int category = catalogue.applications.AsInteger(L"ACCOUNT_T");
        const std::wstring base = CategoryFolder(category);
        DataPacketTable& locations = catalogue.locations;
        DataPacketTable& folders = catalogue.folders;
        for (locations.First(); !locations.Eof(); locations.Next()) {
            // Setup programs and copy folders lie in sub-folders named by location and folder.
            const bool nested = category == 0 || category == 3;
            const std::wstring locationFolder = nested ? base + L"\\" + locations.AsText(L"TITLE") : base;
            if (folders.RecordCount() == 0) AddNodeFiles(catalogue, kLocationLevel, locations.AsInteger(L"MINOR_ID"), locationFolder, files);
            for (folders.First(); !folders.Eof(); folders.Next()) {
                const std::wstring folder = nested ? locationFolder + L"\\" + folders.AsText(L"TITLE") : base;
                AddNodeFiles(catalogue, kFolderLevel, folders.AsInteger(L"DETAIL_ID"), folder, files);
            }
        }
    }
    return files;
}

TEST(SampleSetupFolderTest, CatalogueNamesEveryFileOfTheFilesTreeAndNothingElse) {
    const std::wstring root = BuiltSampleSetup();
    InstallCatalogue catalogue;
    catalogue.Load(root);
    const std::set<std::wstring> named = CatalogueSources(catalogue);
    ASSERT_FALSE(named.empty());

    std::set<std::wstring> present;
    for (const auto& file : FilesUnder(root + L"FILES")) present.insert(UpperAscii(file.substr(root.size())));

    // The installer takes the uninstaller (and its Arabic module) from beside the main
    // executable, not from the catalogue.
    const SampleInstallation sample;
    const std::wstring applicationFolder = L"FILES\\INSTALLED APPLIC\\";
    EXPECT_TRUE(named.count(UpperAscii(applicationFolder + sample.exeName))) << "the main executable is catalogued";
    std::set<std::wstring> expected = named;
    expected.insert(UpperAscii(applicationFolder + L"uninstall.exe"));
    expected.insert(UpperAscii(applicationFolder + L"uninstall.ARA"));

    std::vector<std::wstring> missing, unlisted;
    std::set_difference(expected.begin(), expected.end(), present.begin(), present.end(), std::back_inserter(missing));
    std::set_difference(present.begin(), present.end(), expected.begin(), expected.end(), std::back_inserter(unlisted));
    EXPECT_TRUE(missing.empty()) << "catalogued but not in the setup folder, e.g. " << ToUtf8(missing.front());
    EXPECT_TRUE(unlisted.empty()) << "in the setup folder but not catalogued, e.g. " << ToUtf8(unlisted.front());

    for (const wchar_t* shipped : {L"install.exe", L"install.ARA", L"setup.ini"})
        EXPECT_TRUE(FileExists(root + shipped)) << ToUtf8(shipped);
}

struct DesignCase {
    const char* name;
    const wchar_t* program;       // relative to the setup folder
    const wchar_t* arabicModule;
    int designId;
};

class ArabicDesignTest : public testing::TestWithParam<DesignCase> {};

TEST_P(ArabicDesignTest, SameControlsInTheSamePlacesWithOtherTexts) {
    const DesignCase& c = GetParam();
    const DialogDesign english = LoadDialogDesign(BuiltSampleSetup() + c.program, c.designId);
    const DialogDesign arabic = LoadDialogDesign(BuiltSampleSetup() + c.arabicModule, c.designId);

    EXPECT_EQ(arabic.style, english.style);
    EXPECT_EQ(arabic.exStyle, english.exStyle);
    EXPECT_EQ(std::tie(arabic.x, arabic.y, arabic.cx, arabic.cy), std::tie(english.x, english.y, english.cx, english.cy));
    EXPECT_EQ(arabic.font, english.font);
    EXPECT_EQ(arabic.pointSize, english.pointSize);
    EXPECT_NE(arabic.caption, english.caption);
    ASSERT_EQ(arabic.items.size(), english.items.size());
    int translated = 0;
    for (size_t i = 0; i < english.items.size(); ++i) {
        DialogItem expected = english.items[i];
        expected.text = arabic.items[i].text;   // only the texts may differ
        EXPECT_EQ(arabic.items[i], expected) << "control " << english.items[i].id;
        if (!english.items[i].text.empty() && arabic.items[i].text != english.items[i].text) ++translated;
    }
    EXPECT_GE(translated, 3) << "the labels and buttons are Arabic";
}

INSTANTIATE_TEST_SUITE_P(
    BothPrograms, ArabicDesignTest,
    testing::Values(DesignCase{"install", L"install.exe", L"install.ARA", InstallerSession::DesignId()},
                    DesignCase{"uninstall", L"FILES\\INSTALLED APPLIC\\uninstall.exe",
                               L"FILES\\INSTALLED APPLIC\\uninstall.ARA", UninstallerSession::DesignId()}),
    [](const testing::TestParamInfo<DesignCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvelin::test

namespace orvelin::test {
namespace {

// Administrators check what they deploy: every program shipped carries the product's version.
TEST(SampleSetupFolderTest, EveryProgramCarriesTheProductVersion) {
    for (const std::wstring& program :
         {BuiltSampleSetup() + L"install.exe", BuiltSampleSetup() + L"FILES\\INSTALLED APPLIC\\uninstall.exe",
          BuiltSampleSetup() + L"FILES\\INSTALLED APPLIC\\OrvelinDemo.exe", BuiltProgram(L"catalog.exe")})
        EXPECT_EQ(FileVersionOf(program).value_or(L"none"), L"" ORVELIN_VERSION_TEXT L".0") << ToUtf8(program);
}

}  // namespace
}  // namespace orvelin::test

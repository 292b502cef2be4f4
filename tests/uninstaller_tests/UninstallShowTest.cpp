#include <gtest/gtest.h>

#include "shared/Globals.h"
#include "support/TempFolder.h"
#include "uninstaller/UninstallerState.h"

using namespace orvelin;
using orvelin::test::TempFolder;
using orvelin::test::WriteFileBytes;

namespace {

const char* const kFullSetupIni =
    "[Setup]\r\nApplicExeName=Accounts.exe\r\n"
    "[Install]\r\nGuidId={0B4C9E4A-1F27-4C55-9D0B-7A61E3C2F0A8}\r\nDisplayName=Orvelin Accounts\r\n"
    "[UnInstall]\r\nRemove=0\r\n";

}  // namespace

TEST(UninstallShowTest, ReadsTheApplicationFromSetupIni) {
    TempFolder dir;
    WriteFileBytes(dir / L"setup.ini", kFullSetupIni);
    UninstallerState state;

    const auto shown = PrepareUninstallShow(state, true, IniFile(dir / L"setup.ini"));

    ASSERT_TRUE(shown);
    EXPECT_EQ(state.CompName, L"ORVELIN");
    EXPECT_EQ(state.ApplicExeName, L"Accounts.exe");
    EXPECT_EQ(shown->guidId, L"{0B4C9E4A-1F27-4C55-9D0B-7A61E3C2F0A8}");
    EXPECT_EQ(shown->displayName, L"Orvelin Accounts");
    EXPECT_FALSE(shown->removeFiles);
}

struct RemoveCase {
    const char* uninstallSection;
    bool removeFiles;
};

class UninstallShowRemoveTest : public testing::TestWithParam<RemoveCase> {};

TEST_P(UninstallShowRemoveTest, RemoveFilesIsTickedUnlessSetToZero) {
    TempFolder dir;
    WriteFileBytes(dir / L"setup.ini", std::string("[Install]\r\nGuidId={G}\r\n") + GetParam().uninstallSection);
    UninstallerState state;
    const auto shown = PrepareUninstallShow(state, true, IniFile(dir / L"setup.ini"));
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->removeFiles, GetParam().removeFiles);
}

INSTANTIATE_TEST_SUITE_P(Values, UninstallShowRemoveTest,
                         testing::Values(RemoveCase{"", true}, RemoveCase{"[UnInstall]\r\n", true},
                                         RemoveCase{"[UnInstall]\r\nRemove=0\r\n", false},
                                         RemoveCase{"[UnInstall]\r\nRemove=1\r\n", true},
                                         RemoveCase{"[UnInstall]\r\nRemove=\r\n", true}));

TEST(UninstallShowTest, MissingKeysGiveEmptyTexts) {
    TempFolder dir;
    WriteFileBytes(dir / L"setup.ini", "[Install]\r\nGuidId=\r\n");
    UninstallerState state;
    const auto shown = PrepareUninstallShow(state, true, IniFile(dir / L"setup.ini"));
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->guidId, L"");
    EXPECT_EQ(shown->displayName, L"");
    EXPECT_EQ(state.ApplicExeName, L"");
    EXPECT_EQ(state.CompName, L"ORVELIN");
}

TEST(UninstallShowTest, WithoutSetupIniNothingIsReadButTheCompanyIsSet) {
    TempFolder dir;
    // A readable file, so that only the flag can keep the show from reading it.
    WriteFileBytes(dir / L"setup.ini", kFullSetupIni);
    UninstallerState state;

    const auto shown = PrepareUninstallShow(state, false, IniFile(dir / L"setup.ini"));

    EXPECT_FALSE(shown);
    EXPECT_EQ(state.CompName, L"ORVELIN");
    EXPECT_EQ(state.ApplicExeName, L"");
}

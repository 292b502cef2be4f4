#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "uninstaller/UninstallSettings.h"

using namespace orvelin;
using orvelin::test::PutFile;
using orvelin::test::TempFolder;

namespace {

UninstallSettings SettingsOf(const std::string& ini) {
    TempFolder dir;
    PutFile(dir / L"setup.ini", ini);
    return ReadUninstallSettings(IniFile(dir / L"setup.ini"));
}

TEST(UninstallSettingsTest, ReadsTheApplicationFromSetupIni) {
    const UninstallSettings settings = SettingsOf(
        "[Setup]\r\nApplicExeName=Accounts.exe\r\n"
        "[Install]\r\nGuidId={0B4C9E4A-1F27-4C55-9D0B-7A61E3C2F0A8}\r\nDisplayName=Orvelin Accounts\r\n"
        "[UnInstall]\r\nRemove=0\r\n");
    EXPECT_EQ(settings.applicationExe, L"Accounts.exe");
    EXPECT_EQ(settings.ApplicationName(), L"Accounts");
    EXPECT_EQ(settings.guid, L"{0B4C9E4A-1F27-4C55-9D0B-7A61E3C2F0A8}");
    EXPECT_EQ(settings.displayName, L"Orvelin Accounts");
    EXPECT_FALSE(settings.removeFiles);
}

struct RemoveCase {
    const char* uninstallSection;
    bool removeFiles;
};

class RemoveFilesSettingTest : public testing::TestWithParam<RemoveCase> {};

TEST_P(RemoveFilesSettingTest, IsTickedUnlessSetToZero) {
    EXPECT_EQ(SettingsOf(std::string("[Install]\r\nGuidId={G}\r\n") + GetParam().uninstallSection).removeFiles,
              GetParam().removeFiles);
}

INSTANTIATE_TEST_SUITE_P(Values, RemoveFilesSettingTest,
                         testing::Values(RemoveCase{"", true}, RemoveCase{"[UnInstall]\r\n", true},
                                         RemoveCase{"[UnInstall]\r\nRemove=0\r\n", false},
                                         RemoveCase{"[UnInstall]\r\nRemove=1\r\n", true},
                                         RemoveCase{"[UnInstall]\r\nRemove=\r\n", true}));

TEST(UninstallSettingsTest, MissingKeysGiveEmptyTexts) {
    const UninstallSettings settings = SettingsOf("[Install]\r\nGuidId=\r\n");
    EXPECT_EQ(settings.guid, L"");
    EXPECT_EQ(settings.displayName, L"");
    EXPECT_EQ(settings.applicationExe, L"");
}

}  // namespace

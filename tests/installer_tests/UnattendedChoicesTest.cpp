// What an install nobody watches chooses in place of the person.
#include <gtest/gtest.h>

#include "installer/Installer.h"

namespace orvelin::test {
namespace {

struct ChoiceCase {
    const char* name;
    bool offersDatabaseServer;
    bool setupAddsShortcut;
    UnattendedInstall answers;
    std::optional<int> database;
    bool desktopShortcut;
};

class UnattendedChoicesTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(UnattendedChoicesTest, TakeTheCommandLineElseSetupIniElseFirebird) {
    const ChoiceCase& c = GetParam();
    SetupSettings settings;
    settings.shortcutName = L"Orvelin Demo";
    settings.offersDatabaseServer = c.offersDatabaseServer;
    settings.addDesktopShortcut = c.setupAddsShortcut;

    const InstallChoices choices = UnattendedChoices(settings, c.answers);

    EXPECT_EQ(choices.database, c.database);
    EXPECT_EQ(choices.addDesktopShortcut, c.desktopShortcut);
    EXPECT_EQ(choices.shortcutName, L"Orvelin Demo");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnattendedChoicesTest,
    ::testing::Values(ChoiceCase{"Defaults", true, true, {}, 1, true},
                      ChoiceCase{"ServerNamed", true, true, {.database = L"ORACLE", .desktopShortcut = std::nullopt}, 3, true},
                      ChoiceCase{"NoServerOffered", false, false, {.database = L"ORACLE", .desktopShortcut = std::nullopt}, std::nullopt, false},
                      ChoiceCase{"DesktopRefused", true, true, {.database = std::nullopt, .desktopShortcut = false}, 1, false},
                      ChoiceCase{"DesktopAsked", false, false, {.database = std::nullopt, .desktopShortcut = true}, std::nullopt, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvelin::test

#include <gtest/gtest.h>

#include "installer/Installer.h"
#include "platform/Text.h"
#include "ui/CommandLine.h"
#include "uninstaller/Uninstaller.h"

using namespace orvelin;

namespace {

enum class Program { Install, Uninstall };

std::vector<OptionSpec> OptionsOf(Program program) {
    return program == Program::Install ? InstallOptions() : UninstallOptions();
}

struct ParseCase {
    const char* name;
    Program program;
    std::vector<std::wstring> arguments;
    // Expected when the line is understood:
    RunMode mode;
    bool help;
    std::wstring logFile;                            // empty: none
    std::map<std::wstring, std::wstring> options;
};

class CommandLineTest : public testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineTest, UnderstandsTheOptionsOfTheProgram) {
    const ParseCase& c = GetParam();
    const CommandLine line = ParseCommandLine(c.arguments, OptionsOf(c.program));
    EXPECT_EQ(line.mode, c.mode);
    EXPECT_EQ(line.help, c.help);
    EXPECT_EQ(line.logFile.value_or(L""), c.logFile);
    EXPECT_EQ(line.options, c.options);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineTest,
    testing::Values(
        ParseCase{"Nothing", Program::Install, {}, RunMode::Window, false, L"", {}},
        ParseCase{"QuietWithLog", Program::Install, {L"/quiet", L"/log", L"C:\\logs\\a b.log"}, RunMode::Quiet, false,
                  L"C:\\logs\\a b.log", {}},
        ParseCase{"LetterCaseAndDash", Program::Install, {L"-PASSIVE", L"/Db", L"oracle", L"-DESKTOP", L"No"},
                  RunMode::Passive, false, L"", {{L"db", L"ORACLE"}, {L"desktop", L"no"}}},
        ParseCase{"SetupsAndHelp", Program::Install, {L"/setups", L"no", L"/?"}, RunMode::Window, true, L"",
                  {{L"setups", L"no"}}},
        ParseCase{"SameModeTwice", Program::Install, {L"/quiet", L"-Quiet"}, RunMode::Quiet, false, L"", {}},
        ParseCase{"KeepFiles", Program::Uninstall, {L"/quiet", L"/KeepFiles"}, RunMode::Quiet, false, L"",
                  {{L"keepfiles", L""}}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    Program program;
    std::vector<std::wstring> arguments;
    bool asksForQuiet;
};

class RefusedCommandLineTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedCommandLineTest, IsABadCommandLine) {
    const RefusedCase& c = GetParam();
    EXPECT_THROW(ParseCommandLine(c.arguments, OptionsOf(c.program)), UsageError);
    EXPECT_EQ(AsksForQuiet(c.arguments), c.asksForQuiet);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RefusedCommandLineTest,
    testing::Values(RefusedCase{"UnknownOption", Program::Install, {L"/silent"}, false},
                    RefusedCase{"NotAnOption", Program::Install, {L"quiet"}, false},
                    RefusedCase{"TwoModes", Program::Install, {L"/quiet", L"/passive"}, true},
                    RefusedCase{"MissingValue", Program::Install, {L"/quiet", L"/log"}, true},
                    RefusedCase{"OptionInPlaceOfValue", Program::Install, {L"/db", L"/quiet"}, true},
                    RefusedCase{"UnknownServer", Program::Install, {L"/db", L"POSTGRES"}, false},
                    RefusedCase{"NeitherYesNorNo", Program::Install, {L"/desktop", L"maybe"}, false},
                    RefusedCase{"GivenTwice", Program::Install, {L"/db", L"MSQ", L"/db", L"MSQ"}, false},
                    RefusedCase{"InstallOptionForTheUninstaller", Program::Uninstall, {L"/db", L"MSQ"}, false},
                    RefusedCase{"UninstallOptionForTheInstaller", Program::Install, {L"/keepfiles"}, false}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST(UsageTextTest, ListsEveryOptionOfTheProgram) {
    const std::wstring install = UsageText(L"install.exe", InstallOptions());
    EXPECT_TRUE(install.starts_with(
        L"install.exe [/quiet | /passive] [/log FILE] [/db NAME] [/desktop yes|no] [/setups yes|no] [/?]\r\n"))
        << ToUtf8(install);
    const std::wstring uninstall = UsageText(L"uninstall.exe", UninstallOptions());
    EXPECT_TRUE(uninstall.starts_with(L"uninstall.exe [/quiet | /passive] [/log FILE] [/keepfiles] [/?]\r\n"))
        << ToUtf8(uninstall);
    EXPECT_NE(uninstall.find(L"/keepfiles\t"), std::wstring::npos);
}

}  // namespace

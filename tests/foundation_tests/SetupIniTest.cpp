#include <gtest/gtest.h>
#include <windows.h>

#include "shared/Globals.h"
#include "shared/TextUtil.h"
#include "support/TempFolder.h"

using namespace orvelin;
using orvelin::test::TempFolder;
using orvelin::test::WriteFileBytes;

struct BoolCase {
    const char* stored;   // nullptr: key absent
    bool whenDefaultTrue;
    bool whenDefaultFalse;
};

class SetupIniBoolTest : public testing::TestWithParam<BoolCase> {};

TEST_P(SetupIniBoolTest, ReadsIntegersAndFallsBackToTheDefault) {
    TempFolder dir;
    std::string text = "[Install]\r\n";
    if (GetParam().stored) text += std::string("AddShortCut=") + GetParam().stored + "\r\n";
    WriteFileBytes(dir / L"setup.ini", text);
    IniFile ini(dir / L"setup.ini");
    EXPECT_EQ(ini.ReadBool(L"Install", L"AddShortCut", true), GetParam().whenDefaultTrue);
    EXPECT_EQ(ini.ReadBool(L"install", L"addshortcut", false), GetParam().whenDefaultFalse);
}

INSTANTIATE_TEST_SUITE_P(Values, SetupIniBoolTest,
                         testing::Values(BoolCase{"0", false, false}, BoolCase{"1", true, true},
                                         BoolCase{"yes", true, false}, BoolCase{"0x0", false, false},
                                         BoolCase{"0X1F", true, true}, BoolCase{"0x", true, false},
                                         BoolCase{"2", true, true}, BoolCase{"$10", true, true},
                                         BoolCase{"$0", false, false}, BoolCase{"-1", true, true},
                                         BoolCase{"99999999999", true, false}, BoolCase{"", true, false},
                                         BoolCase{nullptr, true, false}));

TEST(SetupIniTest, ParseIniIntegerTable) {
    EXPECT_EQ(ParseIniInteger(L"42"), 42);
    EXPECT_EQ(ParseIniInteger(L"$FFFFFFFF"), -1);
    EXPECT_EQ(ParseIniInteger(L"0x10"), 16);
    EXPECT_EQ(ParseIniInteger(L"-2147483648"), INT_MIN);
    EXPECT_FALSE(ParseIniInteger(L"2147483648"));
    EXPECT_FALSE(ParseIniInteger(L"1.5"));
    EXPECT_FALSE(ParseIniInteger(L"$"));
    EXPECT_FALSE(ParseIniInteger(L"12abc"));
}

TEST(SetupIniTest, EmptyFileGivesEveryDefault) {
    TempFolder dir;
    WriteFileBytes(dir / L"setup.ini", "");
    IniFile ini(dir / L"setup.ini");
    EXPECT_EQ(ini.ReadString(L"Setup", L"ApplicExeName", L""), L"");
    EXPECT_TRUE(ini.ReadBool(L"Install", L"AddShortCut", true));
    EXPECT_TRUE(ini.ReadBool(L"UnInstall", L"Remove", true));
    EXPECT_FALSE(ini.ReadBool(L"Setup", L"InstallDbServer", false));
}

TEST(SetupIniTest, LongValuesAreCutTo2047Characters) {
    TempFolder dir;
    const std::string value(3000, 'v');
    WriteFileBytes(dir / L"setup.ini", "[Install]\r\nDisplayName=" + value + "\r\n");
    EXPECT_EQ(IniFile(dir / L"setup.ini").ReadString(L"Install", L"DisplayName", L""), std::wstring(2047, L'v'));
}

TEST(SetupIniTest, Utf16FileWithByteOrderMarkIsRead) {
    TempFolder dir;
    const std::wstring text = L"[Install]\r\nDisplayName=\x0645\x062d\x0627\x0633\x0628\r\n";
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    WriteFileBytes(dir / L"setup.ini", bytes);
    EXPECT_EQ(IniFile(dir / L"setup.ini").ReadString(L"Install", L"DisplayName", L""), L"\x0645\x062d\x0627\x0633\x0628");
}

TEST(SetupIniTest, BadFilesNeverBreakTheReads) {
    TempFolder dir;
    std::string garbage;
    for (int i = 0; i < 65536; ++i) garbage += static_cast<char>((i * 2654435761u) >> 24);
    std::string huge = "[Setup]\r\n";
    for (int i = 0; i < 200000; ++i) huge += "Key" + std::to_string(i) + "=value\r\n";
    huge += "ApplicExeName=APP.EXE\r\n";
    const std::string duplicate = "[Setup]\r\nApplicExeName=FIRST.EXE\r\n[Setup]\r\nApplicExeName=SECOND.EXE\r\n";

    WriteFileBytes(dir / L"garbage.ini", garbage);
    IniFile(dir / L"garbage.ini").ReadString(L"Setup", L"ApplicExeName", L"");
    EXPECT_TRUE(IniFile(dir / L"garbage.ini").ReadBool(L"UnInstall", L"Remove", true));

    WriteFileBytes(dir / L"huge.ini", huge);
    EXPECT_EQ(IniFile(dir / L"huge.ini").ReadString(L"Setup", L"ApplicExeName", L""), L"APP.EXE");

    WriteFileBytes(dir / L"duplicate.ini", duplicate);
    const std::wstring value = IniFile(dir / L"duplicate.ini").ReadString(L"Setup", L"ApplicExeName", L"");
    EXPECT_TRUE(value == L"FIRST.EXE" || value == L"SECOND.EXE") << ToUtf8(value);
}

TEST(SetupConfigTest, BindsToTheSetupIniInTheProgramsFolder) {
    TempFolder dir;
    WriteFileBytes(dir / L"setup.ini", "[Setup]\r\nApplicExeName=APP.EXE\r\n");
    SetCurrentDirectoryW(dir.Path().c_str());   // the environment's start-up has done this by now
    SetupConfig config(dir.Path());
    EXPECT_TRUE(config.Found());
    EXPECT_EQ(config.Ini().Path(), dir / L"setup.ini");
    EXPECT_EQ(config.Ini().ReadString(L"Setup", L"ApplicExeName", L""), L"APP.EXE");
}

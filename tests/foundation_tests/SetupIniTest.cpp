#include <gtest/gtest.h>
#include <windows.h>

#include "foundation/SetupIni.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

using namespace orvelin;
using orvelin::test::TempFolder;
using orvelin::test::PutFile;

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
    PutFile(dir / L"setup.ini", text);
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

TEST(SetupIniTest, EmptyFileGivesEveryDefault) {
    TempFolder dir;
    PutFile(dir / L"setup.ini", "");
    IniFile ini(dir / L"setup.ini");
    EXPECT_EQ(ini.ReadString(L"Setup", L"ApplicExeName", L""), L"");
    EXPECT_TRUE(ini.ReadBool(L"Install", L"AddShortCut", true));
    EXPECT_TRUE(ini.ReadBool(L"UnInstall", L"Remove", true));
    EXPECT_FALSE(ini.ReadBool(L"Setup", L"InstallDbServer", false));
}

TEST(SetupIniTest, LongValuesAreCutTo2047Characters) {
    TempFolder dir;
    const std::string value(3000, 'v');
    PutFile(dir / L"setup.ini", "[Install]\r\nDisplayName=" + value + "\r\n");
    EXPECT_EQ(IniFile(dir / L"setup.ini").ReadString(L"Install", L"DisplayName", L""), std::wstring(2047, L'v'));
}

TEST(SetupIniTest, Utf16FileWithByteOrderMarkIsRead) {
    TempFolder dir;
    const std::wstring text = L"[Install]\r\nDisplayName=\x0645\x062d\x0627\x0633\x0628\r\n";
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    PutFile(dir / L"setup.ini", bytes);
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

    PutFile(dir / L"garbage.ini", garbage);
    IniFile(dir / L"garbage.ini").ReadString(L"Setup", L"ApplicExeName", L"");
    EXPECT_TRUE(IniFile(dir / L"garbage.ini").ReadBool(L"UnInstall", L"Remove", true));

    PutFile(dir / L"huge.ini", huge);
    EXPECT_EQ(IniFile(dir / L"huge.ini").ReadString(L"Setup", L"ApplicExeName", L""), L"APP.EXE");

    PutFile(dir / L"duplicate.ini", duplicate);
    const std::wstring value = IniFile(dir / L"duplicate.ini").ReadString(L"Setup", L"ApplicExeName", L"");
    EXPECT_TRUE(value == L"FIRST.EXE" || value == L"SECOND.EXE") << ToUtf8(value);
}

TEST(SetupIniLocationTest, BindsToTheSetupIniInTheProgramsFolderOnly) {
    TempFolder dir;
    PutFile(dir / L"setup.ini", "[Setup]\r\nApplicExeName=APP.EXE\r\n");
    SetCurrentDirectoryW(dir.Path().c_str());   // the environment's start-up has done this by now
    const SetupIni found(dir.Path());
    EXPECT_TRUE(found.Found());
    EXPECT_EQ(found.File().Path(), dir / L"setup.ini");
    EXPECT_EQ(found.File().ReadString(L"Setup", L"ApplicExeName"), L"APP.EXE");

    TempFolder elsewhere;
    SetCurrentDirectoryW(elsewhere.Path().c_str());
    const SetupIni missing(elsewhere.Path());
    EXPECT_FALSE(missing.Found());
    EXPECT_NE(missing.File().Path(), elsewhere / L"setup.ini");
    SetCurrentDirectoryW(dir.Path().c_str());
}

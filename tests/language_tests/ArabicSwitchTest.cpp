// The switch to Arabic. It changes the whole process (right-to-left windows, a CBT hook), so
// it runs in the language probe, a process of its own; the test program stays left-to-right.
#include <gtest/gtest.h>

#include <optional>

#include "LanguageProbe.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "foundation/InterfaceLanguage.h"
#include "support/TempFolder.h"

using namespace orvelin;
using namespace orvelin::test;

namespace {

const std::wstring ModuleString = L"\x0646\x0635 \x0639\x0631\x0628\x064A";
constexpr WORD ModuleStringId = 1;   // what the probe reads from the module

// A resource-only stand-in for the Arabic module: a copy of a small program file with one
// string resource added.
void WriteResourceModule(const std::wstring& path, const std::wstring& text) {
    ASSERT_TRUE(CopyFileW((TestBinFolder() + L"exit_after.exe").c_str(), path.c_str(), FALSE));
    // String resources live in blocks of 16: block 1 holds the ids 0 to 15.
    std::wstring block;
    for (WORD id = 0; id < 16; ++id) {
        if (id == ModuleStringId) {
            block += static_cast<wchar_t>(text.size());
            block += text;
        } else {
            block += L'\0';
        }
    }
    HANDLE update = BeginUpdateResourceW(path.c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    ASSERT_TRUE(UpdateResourceW(update, RT_STRING, MAKEINTRESOURCEW(ModuleStringId / 16 + 1),
                                MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), block.data(),
                                static_cast<DWORD>(block.size() * sizeof(wchar_t))));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
}

DWORD OwnProcessLayout() {
    DWORD layout = 0;
    GetProcessDefaultLayout(&layout);
    return layout;
}

}  // namespace

TEST(ArabicResourceCandidatesTest, ExtensionReplacedByAraThenAr) {
    EXPECT_EQ(ArabicResourceCandidates(L"C:\\Program Files\\ORVELIN\\install.exe"),
              (std::vector<std::wstring>{L"C:\\Program Files\\ORVELIN\\install.ARA",
                                         L"C:\\Program Files\\ORVELIN\\install.AR"}));
    EXPECT_EQ(ArabicResourceCandidates(L"C:\\setup.v2\\install.tar.exe"),
              (std::vector<std::wstring>{L"C:\\setup.v2\\install.tar.ARA", L"C:\\setup.v2\\install.tar.AR"}));
}

TEST(ArabicResourceCandidatesTest, NoneForAProgramWithoutExtension) {
    EXPECT_TRUE(ArabicResourceCandidates(L"C:\\setup.v2\\install").empty());
}

struct ReadingCase {
    DWORD exStyle;
    bool rightToLeft;
};

class ReadsRightToLeftTest : public testing::TestWithParam<ReadingCase> {};

TEST_P(ReadsRightToLeftTest, RightToLeftReadingOrMirroredControlsGetTheArabicKeyboard) {
    HWND control = CreateWindowExW(GetParam().exStyle, L"EDIT", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ReadsRightToLeft(control), GetParam().rightToLeft);
    DestroyWindow(control);
}

INSTANTIATE_TEST_SUITE_P(Styles, ReadsRightToLeftTest,
                         testing::Values(ReadingCase{0, false}, ReadingCase{WS_EX_RTLREADING, true},
                                         ReadingCase{WS_EX_LAYOUTRTL, true}, ReadingCase{WS_EX_RIGHT, false}));

struct ModuleCase {
    const char* what;
    std::optional<std::wstring> araFile;   // "module", "text" (not a module) or none
    std::optional<std::wstring> arFile;
    bool loaded;
};

class ArabicSwitchTest : public testing::TestWithParam<ModuleCase> {};

TEST_P(ArabicSwitchTest, ProgramTurnsRightToLeftWithOrWithoutResourceModule) {
    const auto& c = GetParam();
    TempFolder folder;
    auto place = [&](const std::optional<std::wstring>& kind, const std::wstring& name) {
        if (kind == L"module") WriteResourceModule(folder / name, ModuleString);
        if (kind == L"text") PutFile(folder / name, "not a module");
    };
    place(c.araFile, L"probe.ARA");
    place(c.arFile, L"probe.AR");

    const ProbeReport report = RunLanguageProbe(folder.Path(), true);
    ASSERT_EQ(report[L"error"], L"") << c.what;
    EXPECT_EQ(report[L"isArabic"], L"1") << c.what;
    EXPECT_EQ(report[L"resourceModule"], c.loaded ? L"1" : L"0") << c.what;
    EXPECT_EQ(report[L"resourceString"], c.loaded ? ModuleString : L"") << c.what;
    EXPECT_EQ(report[L"processLayout"], L"0x0001") << "LAYOUT_RTL; " << c.what;
    EXPECT_EQ(report[L"newWindowMirrored"], L"1") << c.what;
    EXPECT_EQ(report[L"layoutAfter"], L"0x0000") << "restored at shut-down; " << c.what;
    EXPECT_EQ(OwnProcessLayout(), 0u) << "the test program stays left-to-right";
}

INSTANTIATE_TEST_SUITE_P(Modules, ArabicSwitchTest,
                         testing::Values(ModuleCase{"ARA module", L"module", std::nullopt, true},
                                         ModuleCase{"AR module only", std::nullopt, L"module", true},
                                         ModuleCase{"ARA not a module, AR module", L"text", L"module", true},
                                         ModuleCase{"no module", std::nullopt, std::nullopt, false}));

TEST(ArabicSwitchTest, EnglishProgramStaysLeftToRight) {
    TempFolder folder;
    WriteResourceModule(folder / L"probe.ARA", ModuleString);
    const ProbeReport report = RunLanguageProbe(folder.Path(), false, L"en_US.UTF-8");
    ASSERT_EQ(report[L"error"], L"");
    ASSERT_EQ(report[L"decision"], L"English");
    EXPECT_EQ(report[L"isArabic"], L"0");
    EXPECT_EQ(report[L"resourceModule"], L"0");
    EXPECT_EQ(report[L"processLayout"], L"0x0000");
    EXPECT_EQ(report[L"newWindowMirrored"], L"0");
}

TEST(ArabicSwitchTest, MessagesAreTranslatedThroughTheDictionaryInTheBinFolder) {
    TempFolder folder;
    const std::wstring pathBlank = L"\x0627\x0644\x0645\x0633\x0627\x0631 \x0641\x0627\x0631\x063A";
    const std::wstring closed = L"\x0645\x063A\x0644\x0642";
    {
        DataPacketTable messages(
            {{L"EngMsg", FieldType::WideText, 400, false}, {L"ArbMsg", FieldType::WideText, 400, false}});
        messages.Append({std::wstring(L"the path is blank"), pathBlank});
        messages.Append({std::wstring(L"Closed"), closed});
        messages.Save(folder / L"MsgFile.XML");
    }
    WriteTextFile(folder / L"texts.txt", {L"The path is blank", L"Closed  ", L"Not in the dictionary"},
                  TextEncoding::Utf8Bom);

    const ProbeReport report = RunLanguageProbe(folder.Path(), true);
    ASSERT_EQ(report[L"error"], L"");
    EXPECT_EQ(report.All(L"translate"), (std::vector<std::wstring>{L"[" + pathBlank + L"]", L"[" + closed + L"  ]",
                                                                    L"[Not in the dictionary]"}));
}

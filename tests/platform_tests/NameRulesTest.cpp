#include <gtest/gtest.h>

#include "contract/InstallContract.h"
#include "platform/Paths.h"
#include "platform/Text.h"

using namespace orvelin;

namespace {

struct NameCase {
    const wchar_t* text;
    bool plainFileName;
    bool staysBelow;
};

class NameRulesTest : public testing::TestWithParam<NameCase> {};

TEST_P(NameRulesTest, TellNamesAndPathsThatLeaveTheirFolder) {
    EXPECT_EQ(IsPlainFileName(GetParam().text), GetParam().plainFileName) << ToUtf8(GetParam().text);
    EXPECT_EQ(StaysBelow(GetParam().text), GetParam().staysBelow) << ToUtf8(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NameRulesTest,
    testing::Values(NameCase{L"OrvelinDemo.exe", true, true}, NameCase{L"Orvelin Demo 1.0", true, true},
                    NameCase{L"\x062A\x0642\x0631\x064A\x0631", true, true}, NameCase{L"BIN\\DATA", false, true},
                    NameCase{L"", false, true}, NameCase{L"..", false, false}, NameCase{L".", false, true},
                    NameCase{L"..\\..\\windows\\x", false, false}, NameCase{L"BIN\\..\\..\\x", false, false},
                    NameCase{L"a..b", true, true}, NameCase{L"C:\\victim", false, false}, NameCase{L"C:x", false, false},
                    NameCase{L"\\windows", false, false}, NameCase{L"/etc", false, false},
                    NameCase{L"a/b", false, true}, NameCase{L"what?", false, true}, NameCase{L"a<b", false, true},
                    NameCase{L"trailing.", false, true}, NameCase{L"trailing ", false, true},
                    NameCase{L"CON", false, true}, NameCase{L"nul.txt", false, true}, NameCase{L"COM1.lnk", false, true},
                    NameCase{L"COM10", true, true}, NameCase{L"tab\there", false, true}));

struct GuidCase {
    const wchar_t* text;
    bool guid;
};

class ProductGuidTest : public testing::TestWithParam<GuidCase> {};

TEST_P(ProductGuidTest, OnlyTheRegistryFormInBraces) { EXPECT_EQ(IsProductGuid(GetParam().text), GetParam().guid); }

INSTANTIATE_TEST_SUITE_P(Texts, ProductGuidTest,
                         testing::Values(GuidCase{L"{5E3C2A71-9B4D-4F6A-8C1E-2D7B9A0F4C63}", true},
                                         GuidCase{L"{5e3c2a71-9b4d-4f6a-8c1e-2d7b9a0f4c63}", true},
                                         GuidCase{L"5E3C2A71-9B4D-4F6A-8C1E-2D7B9A0F4C63", false},
                                         GuidCase{L"{5E3C2A71-9B4D-4F6A-8C1E-2D7B9A0F4C6}", false},
                                         GuidCase{L"{5E3C2A71-9B4D-4F6A-8C1E-2D7B9A0F4C6G}", false},
                                         GuidCase{L"{5E3C2A71+9B4D-4F6A-8C1E-2D7B9A0F4C63}", false},
                                         GuidCase{L"..\\..\\..\\victim", false}, GuidCase{L"\\", false},
                                         GuidCase{L"", false},
                                         GuidCase{L"{X}\\..\\..\\..\\..\\windows", false}));

}  // namespace

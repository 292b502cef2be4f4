#include <gtest/gtest.h>

#include "ui/MessageBoxes.h"

using namespace orvelin;

namespace {

struct BoxTextCase {
    const wchar_t* text;
    const wchar_t* shown;
};

class ErrorBoxTextTest : public testing::TestWithParam<BoxTextCase> {};

TEST_P(ErrorBoxTextTest, AddsFullStopOnlyAfterCharactersSortingAboveIt) {
    EXPECT_EQ(ErrorBoxText(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ErrorBoxTextTest,
    testing::Values(BoxTextCase{L"The program is already installed", L"The program is already installed."},
                    BoxTextCase{L"Done.", L"Done."},
                    BoxTextCase{L"A database server has to be selected. ", L"A database server has to be selected. "},
                    BoxTextCase{L"Stop!", L"Stop!"},              // '!' sorts below '.'
                    BoxTextCase{L"path\\", L"path\\."},          // '\' sorts above '.'
                    BoxTextCase{L"line\r\n", L"line\r\n"},
                    BoxTextCase{L"\x0645\x0644\x0641", L"\x0645\x0644\x0641."},  // Arabic letters sort above '.'
                    BoxTextCase{L"", L""}));

TEST(ApplicationTitleTest, IsTheProgramFileNameWithoutExtension) {
    EXPECT_EQ(ApplicationTitle(), L"ui_tests");
}

}  // namespace

#include <gtest/gtest.h>

#include <climits>

#include "platform/Text.h"

using namespace orvelin;

namespace {

struct IntegerCase {
    const wchar_t* text;
    std::optional<int> decimal;        // as data packets and selections read it
    std::optional<int> decimalOrHex;   // as setup.ini's numbers read
};

class ParseIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(ParseIntegerTest, ReadsTheSyntaxItIsAskedFor) {
    EXPECT_EQ(ParseInteger(GetParam().text), GetParam().decimal);
    EXPECT_EQ(ParseInteger(GetParam().text, IntegerSyntax::DecimalOrHex), GetParam().decimalOrHex);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseIntegerTest,
    testing::Values(IntegerCase{L"42", 42, 42}, IntegerCase{L" -7 ", -7, -7}, IntegerCase{L"+3", 3, 3},
                    IntegerCase{L"-2147483648", INT_MIN, INT_MIN}, IntegerCase{L"2147483647", INT_MAX, INT_MAX},
                    IntegerCase{L"2147483648", std::nullopt, std::nullopt},
                    IntegerCase{L"$FFFFFFFF", std::nullopt, -1}, IntegerCase{L"0x10", std::nullopt, 16},
                    IntegerCase{L"0X1F", std::nullopt, 31}, IntegerCase{L"$100000000", std::nullopt, std::nullopt},
                    IntegerCase{L"0x", std::nullopt, std::nullopt}, IntegerCase{L"$", std::nullopt, std::nullopt},
                    IntegerCase{L"1.5", std::nullopt, std::nullopt}, IntegerCase{L"12abc", std::nullopt, std::nullopt},
                    IntegerCase{L"", std::nullopt, std::nullopt}, IntegerCase{L"-", std::nullopt, std::nullopt}));

}  // namespace

#include <gtest/gtest.h>

#include "ui/ReadingOrder.h"

using namespace orvelin;

namespace {

struct OrderCase {
    const wchar_t* text;
    ReadingOrder order;
};

class ReadingOrderOfTest : public testing::TestWithParam<OrderCase> {};

TEST_P(ReadingOrderOfTest, FollowsTheFirstStrongCharacter) { EXPECT_EQ(ReadingOrderOf(GetParam().text), GetParam().order); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadingOrderOfTest,
    testing::Values(OrderCase{L"{5E3C2A71-9B4D-4F6A-8C1E-2D7B9A0F4C63}", ReadingOrder::LeftToRight},
                    OrderCase{L"Orvelin Demo 1.0", ReadingOrder::LeftToRight},
                    OrderCase{L"\x062D\x0632\x0645\x0629 Orvelin", ReadingOrder::RightToLeft},   // Arabic first
                    OrderCase{L"1.0 - \x0623\x0648\x0631\x0641\x0644\x064A\x0646", ReadingOrder::RightToLeft},
                    OrderCase{L"(2024) Orvelin \x0623\x0648\x0631\x0641\x0644\x064A\x0646", ReadingOrder::LeftToRight},
                    OrderCase{L"\x05E9\x05DC\x05D5\x05DD", ReadingOrder::RightToLeft},   // Hebrew
                    OrderCase{L"12.0 - ()", ReadingOrder::LeftToRight},                   // nothing strong
                    OrderCase{L"", ReadingOrder::LeftToRight}));

}  // namespace

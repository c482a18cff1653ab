// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/NaturalCompare.h"

#include <gtest/gtest.h>

#include <string>

namespace lumetra {
namespace {

int sign(int value) {
    return (value > 0) - (value < 0);
}

struct OrderCase {
    const char* name;
    std::string a;  // Windows-1252 bytes
    std::string b;
    int expected;  // -1: a first, 0: equal, 1: b first
};

class NaturalOrderTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(NaturalOrderTest, OrdersAsExpectedBothWays) {
    const OrderCase& c = GetParam();
    EXPECT_EQ(sign(NaturalCompare(c.a, c.b)), c.expected);
    EXPECT_EQ(sign(NaturalCompare(c.b, c.a)), -c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    NaturalCompare, NaturalOrderTest,
    ::testing::Values(
        OrderCase{"SmallerNumberFirst", "Ort2", "Ort10", -1},
        OrderCase{"NumbersInsideText", "a9b", "a10a", -1},
        OrderCase{"EqualNumbersEqualRunsContinue", "Ort12a", "Ort12b", -1},
        OrderCase{"LeadingZeroDecidedByRestOfText", "07", "7", -1},
        OrderCase{"LeadingZeroWithTail", "x07b", "x7a", -1},
        OrderCase{"HexPrefix", "0x1F", "32", -1},
        OrderCase{"HexPrefixAgainstDecimalValue", "0x10", "16", -1},
        OrderCase{"BinaryPrefix", "0b101", "4", 1}, OrderCase{"OctalPrefix", "0o17", "16", -1},
        OrderCase{"DecimalPrefix", "0d12", "11", 1},
        OrderCase{"PrefixWithoutDigitsIsText", "0xg", "0y", -1},
        OrderCase{"HugeNumbersHeldAtTheLimitThenByDigits", "99999999999", "99999999998", 1},
        OrderCase{"HugeNumbersOfDifferentLength", "4294967296", "99999999999", -1},
        OrderCase{"CaseIgnored", "linz", "LINZ", 0},
        OrderCase{"UmlautLikeBaseLetter", "\xD6sterreich", "osterreich", 0},
        OrderCase{"UmlautAfterOslo", "\xD6sterreich", "Oslo", 1},
        OrderCase{"UmlautBeforeOttawa", "\xD6sterreich", "Ottawa", -1},
        OrderCase{"CapitalUmlautEqualsSmallBase", "\xC4pfel", "apfel", 0},
        OrderCase{"SharpS",
                  "Stra\xDF"
                  "e",
                  "Strase", 0},
        OrderCase{"ThornFoldsToCapitalThorn", "\xFE", "\xDE", 0},
        OrderCase{"CodePage437Umlaut",
                  "\x81"
                  "ber",
                  "uber", 0},
        OrderCase{"UnderscoreIsBlank", "a_b", "a b", 0}, OrderCase{"SlashFirst", "a/b", "a b", -1},
        OrderCase{"BackslashLikeSlash", "a\\b", "a/b", 0},
        OrderCase{"DotRightAfterSlash", "a.b", "a!b", -1},
        OrderCase{"DotAfterSlash", "a.b", "a/b", 1},
        OrderCase{"PrefixSortsFirst", "Linz", "Linzer", -1}, OrderCase{"EmptyFirst", "", "a", -1},
        OrderCase{"BothEmpty", "", "", 0},
        OrderCase{"ZeroByteEndsText", std::string("ab\0z", 4), "ab", 0}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(NaturalCompare, SortsThePlacesOfAnExampleList) {
    // Bubble through the list: each neighbour pair must be in order.
    const std::string sorted[] = {"Graz",          "Linz",   "Ort2", "Ort10",          "Oslo",
                                  "\xD6sterreich", "Ottawa", "Wien", "Wiener Neustadt"};
    for (std::size_t i = 0; i + 1 < std::size(sorted); ++i) {
        EXPECT_LT(NaturalCompare(sorted[i], sorted[i + 1]), 0)
            << sorted[i] << " / " << sorted[i + 1];
    }
}

}  // namespace
}  // namespace lumetra

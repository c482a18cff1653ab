// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/GermanNumber.h"

#include <gtest/gtest.h>

#include <limits>

namespace lumetra::evaluation {
namespace {

struct NumberCase {
    const char* name;
    double value;
    int decimals;
    const char* text;
};

class GermanNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(GermanNumberTest, FormatsWithCommaAndDotGroups) {
    EXPECT_EQ(formatGerman(GetParam().value, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, GermanNumberTest,
                         ::testing::Values(NumberCase{"ThreeDigitsUngrouped", 999, 0, "999"},
                                           NumberCase{"FourDigitsGrouped", 4500, 0, "4.500"},
                                           NumberCase{"DecimalComma", 1234.5, 1, "1.234,5"},
                                           NumberCase{"Millions", 1234567.891, 2, "1.234.567,89"},
                                           NumberCase{"NegativeFraction", -0.25, 2, "-0,25"},
                                           NumberCase{"RoundsUp", 2.6, 0, "3"},
                                           NumberCase{"RoundsUpIntoNewGroup", 999.96, 1, "1.000,0"},
                                           NumberCase{"NegativeRoundingToZeroHasNoSign", -0.004, 2,
                                                      "0,00"},
                                           NumberCase{"NegativeGrouped", -12345.0, 0, "-12.345"},
                                           NumberCase{"Zero", 0.0, 1, "0,0"}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(GermanNumber, NonFiniteValuesShowNoFigure) {
    EXPECT_EQ(formatGerman(std::numeric_limits<double>::quiet_NaN(), 1), kNoFigure);
    EXPECT_EQ(formatGerman(std::numeric_limits<double>::infinity(), 0), kNoFigure);
    EXPECT_EQ(formatGermanPercent(std::numeric_limits<double>::quiet_NaN(), 0), kNoFigure);
}

TEST(GermanNumber, PercentAndUnitAfterOneBlank) {
    EXPECT_EQ(formatGermanPercent(0.364, 0), "36 %");
    EXPECT_EQ(formatGermanPercent(0.3126, 1), "31,3 %");
    EXPECT_EQ(formatWithUnit(4500, 0, "kWh"), "4.500 kWh");
    EXPECT_EQ(formatWithUnit(0.1715, 3, "Euro/kWh"), "0,172 Euro/kWh");
}

}  // namespace
}  // namespace lumetra::evaluation

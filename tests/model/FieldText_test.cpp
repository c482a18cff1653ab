// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FieldText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace lumetra {
namespace {

struct ReadCase {
    const char* name;
    const char* text;
    int decimals;
    double expected;
};

class ReadFieldText : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadFieldText, ReadsValue) {
    const ReadCase& c = GetParam();
    EXPECT_DOUBLE_EQ(readFieldText(c.text, c.decimals), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadFieldText,
    ::testing::Values(
        ReadCase{"GroupedWithComma", "1 234,5", 1, 1234.5},
        ReadCase{"NegativeComma", "-0,25", 2, -0.25},
        ReadCase{"LaterMinusStillNegates", "5-3", 0, -53},
        ReadCase{"SecondMinusEndsNumber", "--5", 0, 0},
        ReadCase{"FractionIgnoredWithoutDecimals", "12.9", 0, 12},
        ReadCase{"ExtraDigitsCutNotRounded", "3.59", 1, 3.5},
        ReadCase{"ThreeSeventyFiveOneDecimal", "3.75", 1, 3.7}, ReadCase{"Empty", "", 3, 0},
        ReadCase{"LettersAfterNumber", "12abc", 0, 12}, ReadCase{"OnlyLetters", "abc", 2, 0},
        ReadCase{"UnitAfterBlank", "12 kWh", 0, 12}, ReadCase{"BlanksInFraction", "1.2 3", 2, 1.23},
        ReadCase{"SecondPointEndsFraction", "1.2.3", 3, 1.2},
        ReadCase{"Latitude", "47.105186", 6, 47.105186},
        ReadCase{"DecimalsAboveNineCountAsNine", "0.1234567891234", 12, 0.123456789},
        ReadCase{"DecimalsBelowZeroCountAsZero", "7.9", -3, 7},
        ReadCase{"Only31CharactersCount", "1234567890123456789012345678901999", 0,
                 1234567890123456789012345678901.0},
        ReadCase{"BeyondThirtyTwoBits", "12 345 678 901", 0, 12345678901.0},
        ReadCase{"BeyondSixtyFourBits", "123456789012345678901234", 0, 123456789012345678901234.0},
        ReadCase{"InfinityTextReadsAsOne", "1.#INF", 3, 1.0},
        ReadCase{"NegativeInfinityTextReadsAsMinusOne", "-1.#INF", 0, -1.0},
        ReadCase{"NanTextReadsAsOne", "1.#NAN", 6, 1.0},
        ReadCase{"NegativeZeroIsZero", "-0", 0, 0.0}),
    [](const auto& param) { return std::string(param.param.name); });

struct WriteCase {
    const char* name;
    double value;
    int decimals;
    const char* expected;
};

class WriteFieldText : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteFieldText, WritesText) {
    const WriteCase& c = GetParam();
    EXPECT_EQ(formatFieldText(c.value, c.decimals), c.expected);
}

const double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteFieldText,
    ::testing::Values(
        WriteCase{"Latitude", 47.105186, 6, "47.105186"}, WriteCase{"OneBlank", 4100, 0, "4 100"},
        WriteCase{"Millions", 1234567.5, 1, "1 234 567.5"},
        WriteCase{"TrailingZero", 0.13, 3, "0.130"},
        WriteCase{"NoBlankBelowThousand", 999, 0, "999"}, WriteCase{"Thousand", 1000, 0, "1 000"},
        WriteCase{"Tariff", 0.105, 3, "0.105"}, WriteCase{"HalfStays", 2.5, 1, "2.5"},
        WriteCase{"HalfRoundsTowardZero", 2.5, 0, "2"},
        WriteCase{"NegativeHalfTowardZero", -1.5, 0, "-1"}, WriteCase{"AboveHalfUp", 2.6, 0, "3"},
        WriteCase{"NegativeRestShowsNoSign", -1e-12, 0, "0"},
        WriteCase{"NegativeRestWithDecimals", -0.004, 2, "0.00"},
        WriteCase{"SmallNegativeKeepsSign", -0.006, 2, "-0.01"},
        WriteCase{"ModuleArea", 1.712976, 3, "1.713"}, WriteCase{"Zero", 0.0, 2, "0.00"},
        WriteCase{"NegativeGrouped", -1234.5, 2, "-1 234.50"},
        WriteCase{"FourBlanksAtMost", 1234567890123456.0, 0, "1234 567 890 123 456"},
        WriteCase{"BeyondSixtyFourBits", 1e20, 2, "100000000 000 000 000 000.00"},
        WriteCase{"Infinity", kInf, 2, "1.#INF"},
        WriteCase{"NegativeInfinity", -kInf, 0, "-1.#INF"},
        WriteCase{"Nan", std::numeric_limits<double>::quiet_NaN(), 1, "1.#NAN"}),
    [](const auto& param) { return std::string(param.param.name); });

// Whatever a field shows reads back as the value it shows, and showing that value again reads
// back the same: the values never drift from solve to solve.
TEST(FieldTextRoundTrip, WrittenTextReadsBackStable) {
    const double values[] = {0.0, 1.713,         -0.25,       1032.7,   47.105186, 4593.6,
                             1e9, 12345678901.5, -987654.321, 250000.0, 1e15,      0.105};
    for (int d = 0; d <= 9; ++d) {
        for (const double v : values) {
            const std::string text = formatFieldText(v, d);
            const double back = readFieldText(text, d);
            EXPECT_EQ(readFieldText(formatFieldText(back, d), d), back)
                << v << " with " << d << " decimals";
            EXPECT_NEAR(back, v, std::abs(v) * 1e-12 + std::pow(10.0, -d)) << text;
        }
    }
}

TEST(FieldTextRoundTrip, NonFiniteReadsBackFiniteAndStable) {
    for (const double v : {kInf, -kInf, std::numeric_limits<double>::quiet_NaN()}) {
        const double back = readFieldText(formatFieldText(v, 2), 2);
        EXPECT_TRUE(std::isfinite(back));
        EXPECT_EQ(readFieldText(formatFieldText(back, 2), 2), back);
    }
}

}  // namespace
}  // namespace lumetra

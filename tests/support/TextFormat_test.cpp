// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TextFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace lumetra {
namespace {

struct FormatCase {
    const char* name;
    std::string actual;
    std::string expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.name;
}

class FormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTable, GivesExpectedText) {
    EXPECT_EQ(GetParam().actual, GetParam().expected);
}

const double kInf = std::numeric_limits<double>::infinity();
const double kNan = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Strings, FormatTable,
    ::testing::Values(FormatCase{"PlainText", formatString("%s", "Breite"), "Breite"},
                      FormatCase{"WidthPadsLeft", formatString("%8s|", "ab"), "      ab|"},
                      FormatCase{"MinusPadsRight", formatString("%-5s|", "ab"), "ab   |"},
                      FormatCase{"WidthCountsCharacters", formatString("%-8s|", "m²"), "m²      |"},
                      FormatCase{"PrecisionCutsCharacters", formatString("%.2s", "äöü"), "äö"},
                      FormatCase{"Percent", formatString("100%%"), "100%"},
                      FormatCase{"MissingArgumentPrintsNothing", formatString("a%sb"), "ab"},
                      FormatCase{"UnknownConversionStays", formatString("%y", 1), "%y"},
                      FormatCase{"TrailingPercent", formatString("50%"), "50%"},
                      FormatCase{"IntegerAsText", formatString("%s", 42), "42"}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Integers, FormatTable,
    ::testing::Values(FormatCase{"Plain", formatString("%i", 1234), "1234"},
                      FormatCase{"Negative", formatString("%d", -17), "-17"},
                      FormatCase{"Width", formatString("%5i", 42), "   42"},
                      FormatCase{"ZeroFlag", formatString("%05i", 42), "00042"},
                      FormatCase{"ZeroFlagNegative", formatString("%05i", -42), "-0042"},
                      FormatCase{"LeftAlign", formatString("%-4i|", 7), "7   |"},
                      FormatCase{"PlusFlag", formatString("%+i", 7), "+7"},
                      FormatCase{"SmallestLongLong",
                                 formatString("%i", std::numeric_limits<long long>::min()),
                                 "-9223372036854775808"},
                      FormatCase{"DoubleCutTowardZero", formatString("%i", -2.9), "-2"},
                      FormatCase{"NanAsIntegerIsZero", formatString("%i", kNan), "0"},
                      FormatCase{"LengthModifierIgnored", formatString("%li", 5L), "5"},
                      FormatCase{"BoolAsInteger", formatString("%i", true), "1"}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Fixed, FormatTable,
    ::testing::Values(FormatCase{"DefaultPrecisionSix", formatString("%f", 1.5), "1.500000"},
                      FormatCase{"ExactHalfRoundsTowardZero", formatString("%.0f", 2.5), "2"},
                      FormatCase{"NegativeHalfRoundsTowardZero", formatString("%.0f", -1.5), "-1"},
                      FormatCase{"AboveHalfRoundsUp", formatString("%.0f", 2.6), "3"},
                      FormatCase{"TwoDecimals", formatString("%.2f", 1.005), "1.00"},
                      FormatCase{"CarryIntoInteger", formatString("%.2f", 9.999), "10.00"},
                      FormatCase{"WidthAndPrecision", formatString("%8.3f|", 3.14159), "   3.142|"},
                      FormatCase{"ZeroPadded", formatString("%08.2f", -3.5), "-0003.50"},
                      FormatCase{"NegativeZeroPrintsNoSign", formatString("%.1f", -0.0), "0.0"},
                      FormatCase{"TinyNegativeKeepsSign", formatString("%.1f", -0.01), "-0.0"},
                      FormatCase{"Large", formatString("%.1f", 1e20), "100000000000000000000.0"},
                      FormatCase{"IntegerArgument", formatString("%.1f", 3), "3.0"},
                      FormatCase{"ManyDigitsExact", formatString("%.20f", 0.1),
                                 "0.10000000000000000555"},
                      FormatCase{"HugePrecisionPadsZeros", formatString("%.3f", 0.5), "0.500"}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Grouped, FormatTable,
    ::testing::Values(
        FormatCase{"Millions", formatString("%.0F", 1234567.0), "1 234 567"},
        FormatCase{"NegativeWithDecimals", formatString("%.2F", -1234.5), "-1 234.50"},
        FormatCase{"ThreeDigitsNoBlank", formatString("%.1F", 999.0), "999.0"},
        FormatCase{"FourDigits", formatString("%.0F", 1000.0), "1 000"},
        FormatCase{"ExactHalfTowardZero", formatString("%.0F", 1234.5), "1 234"},
        FormatCase{"UnitBehind", formatString("%.2F %s ", 5.0, "m"), "5.00 m "},
        FormatCase{"WidthAfterGrouping", formatString("%10.0F|", 12345.0), "    12 345|"},
        FormatCase{"ManyGroups", formatString("%.0F", 1234567890123456.0),
                   "1 234 567 890 123 456"}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    General, FormatTable,
    ::testing::Values(FormatCase{"Plain", formatString("%g", 0.5), "0.5"},
                      FormatCase{"DropsTrailingZeros", formatString("%g", 100.0), "100"},
                      FormatCase{"SixSignificant", formatString("%g", 1234567.0), "1.23457e+06"},
                      FormatCase{"Small", formatString("%g", 0.0001), "0.0001"},
                      FormatCase{"SmallExponent", formatString("%g", 0.00001), "1e-05"},
                      FormatCase{"Precision", formatString("%.3g", 3.14159), "3.14"},
                      FormatCase{"Negative", formatString("%g", -2.5), "-2.5"},
                      FormatCase{"Scientific", formatString("%.2e", 12345.0), "1.23e+04"}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    NonFinite, FormatTable,
    ::testing::Values(FormatCase{"InfinityFixed", formatString("%.2f", kInf), "1.#INF"},
                      FormatCase{"NegativeInfinity", formatString("%f", -kInf), "-1.#INF"},
                      FormatCase{"NanFixed", formatString("%.0f", kNan), "1.#NAN"},
                      FormatCase{"InfinityGrouped", formatString("%.0F", kInf), "1.#INF"},
                      FormatCase{"InfinityGeneral", formatString("%g", -kInf), "-1.#INF"},
                      FormatCase{"InfinityPaddedWithBlanks", formatString("%08.1f", kInf),
                                 "  1.#INF"},
                      FormatCase{"PlusSign", formatString("%+f", kInf), "+1.#INF"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(FormatTextTest, HugePrecisionAndWidthEndWithoutExploding) {
    const std::string wide = formatString("%99999i", 1);
    EXPECT_LE(wide.size(), 5000u);
    EXPECT_EQ(wide.back(), '1');
    const std::string precise = formatString("%.2000f", 1.0);
    EXPECT_EQ(precise.substr(0, 4), "1.00");
    EXPECT_EQ(precise.size(), 2002u);
}

TEST(FormatTextTest, ExtremeMagnitudes) {
    EXPECT_EQ(formatString("%.0f", 1.7976931348623157e308).size(), 309u);
    EXPECT_EQ(formatString("%.3f", 5e-324), "0.000");
}

}  // namespace
}  // namespace lumetra

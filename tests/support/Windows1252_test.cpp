// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace lumetra {
namespace {

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::string utf8;
};

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, GivesTheExpectedText) {
    EXPECT_EQ(windows1252ToUtf8(GetParam().bytes), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Windows1252, DecodeTest,
    ::testing::Values(
        DecodeCase{"Ascii", "Breitengrad = 47.5\n", "Breitengrad = 47.5\n"},
        DecodeCase{"Umlauts", "L\xE4ngengrad M\xF6hre \xFC\xDF", "Längengrad Möhre üß"},
        DecodeCase{"UnitSigns", "m\xB2 m\xB3 \xB0", "m² m³ °"},
        DecodeCase{"NoBreakSpace", "(Westen)\xA0  90\xB0", "(Westen)\u00A0  90°"},
        DecodeCase{"EuroAndQuotes", "\x80 \x84x\x93", "€ „x“"},
        DecodeCase{"UndefinedBytesBecomeControls", "\x81\x8D\x8F\x90\x9D",
                   "\u0081\u008D\u008F\u0090\u009D"},
        DecodeCase{"ValidUtf8IsKept", "L\xC3\xA4ngengrad m\xC2\xB3", "Längengrad m³"},
        DecodeCase{"ValidUtf8ThreeAndFourBytes", "\xE2\x82\xAC \xF0\x9F\x98\x80", "€ 😀"},
        DecodeCase{"LoneLeadByteIsWindows1252", "\xC3 x", "Ã x"},
        DecodeCase{"TruncatedSequenceAtEnd", "ab\xE2\x82", "abâ‚"},
        DecodeCase{"OverlongFormIsNotUtf8", "\xC0\xAF", "À¯"},
        DecodeCase{"SurrogateIsNotUtf8", "\xED\xA0\x80", "í\u00A0€"},
        DecodeCase{"AboveUnicodeIsNotUtf8", "\xF4\x90\x80\x80", "ô\u0090€€"},
        DecodeCase{"MixedInOneLine", "M\xF6hre und M\xC3\xB6hre", "Möhre und Möhre"},
        DecodeCase{"ZeroByteIsKept", std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct EncodeCase {
    const char* name;
    std::string utf8;
    std::string bytes;
};

class EncodeTest : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTest, GivesTheExpectedBytes) {
    EXPECT_EQ(utf8ToWindows1252(GetParam().utf8), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Windows1252, EncodeTest,
    ::testing::Values(EncodeCase{"Ascii", "Ertrag kWh\n", "Ertrag kWh\n"},
                      EncodeCase{"Labels", "Modulhöhe m² m³/Jahr °",
                                 "Modulh\xF6he m\xB2 m\xB3/Jahr \xB0"},
                      EncodeCase{"HighControlRange", "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ",
                                 "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92"
                                 "\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F"},
                      EncodeCase{"UnrepresentableBecomesQuestionMark", "Łódź 😀",
                                 "?\xF3"
                                 "d? ?"},
                      EncodeCase{"InvalidUtf8BecomesQuestionMark",
                                 "a\xFF"
                                 "b",
                                 "a?b"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(Windows1252RoundTrip, EveryByteComesBack) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    // A byte followed by an ASCII character never forms a UTF-8 sequence, so each byte is taken
    // on its own.
    std::string spaced;
    for (char c : all) {
        spaced.push_back(c);
        spaced.push_back(' ');
    }
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(spaced)), spaced);
}

}  // namespace
}  // namespace lumetra

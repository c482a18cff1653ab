// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/TextFields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumetra::simulation {
namespace {

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    for (std::string_view line : TextLines(text)) {
        lines.emplace_back(line);
    }
    return lines;
}

TEST(TextFieldsTest, LinesWithEveryLineEnd) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("a"), Lines{"a"});
    EXPECT_EQ(linesOf("a\n"), Lines{"a"});
    EXPECT_EQ(linesOf("a\r\nb\n\nc"), (Lines{"a", "b", "", "c"}));
    EXPECT_EQ(linesOf("\xEF\xBB\xBF; heading\n1"), (Lines{"; heading", "1"}));
    EXPECT_TRUE(isSkippedLine("  ; comment"));
    EXPECT_TRUE(isSkippedLine(" \t"));
    EXPECT_FALSE(isSkippedLine("50;10"));
}

TEST(TextFieldsTest, FieldsAreTrimmedAndNumbersWhole) {
    const std::vector<std::string_view> fields = splitFields(" a ; 1.5;\t-2 ;", ';');
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(fields[0], "a");
    EXPECT_EQ(fields[3], "");
    std::vector<double> numbers;
    EXPECT_TRUE(parseNumbers(std::vector<std::string_view>{"1.5", "-2", "+3", "0"}, numbers));
    EXPECT_EQ(numbers, (std::vector<double>{1.5, -2, 3, 0}));
    for (std::string_view bad : {"", "1,5", "1.5x", "1e3", "nan", "inf", "- 1"}) {
        EXPECT_FALSE(parseNumbers(std::vector<std::string_view>{bad}, numbers)) << bad;
    }
}

TEST(TextFieldsTest, NumbersAfterTheFirstField) {
    struct Case {
        const char* line;
        std::size_t count;
        bool ok;
    };
    const Case cases[] = {
        {"00:00-00:15,1.5, 2 ,3\r", 3, true},
        {"label", 0, true},
        {"label,1,2", 3, false},      // too few
        {"label,1,2,3,4", 3, false},  // too many
        {"label,1,,3", 3, false},     // an empty field
        {"label,1,2,", 3, false},     // an empty last field
        {"label,1,2x,3", 3, false},
        {"label,1,1e5,3", 3, false},
    };
    std::vector<double> numbers;
    for (const Case& c : cases) {
        EXPECT_EQ(parseNumbersAfterFirstField(c.line, ',', c.count, numbers), c.ok) << c.line;
    }
    ASSERT_TRUE(parseNumbersAfterFirstField("x, 4.25 ,-1", ',', 2, numbers));
    EXPECT_EQ(numbers, (std::vector<double>{4.25, -1}));
}

}  // namespace
}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FieldText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "support/CharClass.h"
#include "support/NamedCharacters.h"
#include "support/TextFormat.h"

namespace lumetra {

namespace {

constexpr std::size_t kReadCharacters = 31;

constexpr std::array<std::int64_t, 10> kPowersOfTen = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

constexpr std::array<std::string_view, 10> kFixedFormats = {"%.0f", "%.1f", "%.2f", "%.3f", "%.4f",
                                                            "%.5f", "%.6f", "%.7f", "%.8f", "%.9f"};

// Counts of the last digit at or above this no longer fit a signed 64-bit integer.
constexpr double kCountLimit = 9.2e18;

int clampDecimals(int decimals) {
    return decimals < 0 ? 0 : (decimals > 9 ? 9 : decimals);
}

// Appends the integer digits with a blank before the last 3, 6, 9 and 12 of them; longer
// integer parts get no further blanks.
char* appendGrouped(char* out, std::string_view digits) {
    const std::size_t count = digits.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t remaining = count - i;
        if (i > 0 && remaining % 3 == 0 && remaining <= 12) {
            *out++ = kGroupingBlank;
        }
        *out++ = digits[i];
    }
    return out;
}

}  // namespace

double readFieldText(std::string_view text, int decimals) {
    const int d = clampDecimals(decimals);
    text = text.substr(0, kReadCharacters);
    bool negative = false;
    double integer = 0.0;
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    std::size_t i = 0;
    bool inFraction = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ') {
            continue;
        }
        if (c == '-' && !negative) {
            negative = true;
            continue;
        }
        if (isDigit(c)) {
            integer = integer * 10.0 + static_cast<double>(c - '0');
            continue;
        }
        if (c == '.' || c == ',') {
            inFraction = true;
            ++i;
        }
        break;
    }
    if (inFraction) {
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (c == ' ') {
                continue;
            }
            if (!isDigit(c)) {
                break;
            }
            if (fractionDigits < d) {
                fraction = fraction * 10 + (c - '0');
                ++fractionDigits;
            }
        }
    }
    const double value =
        integer + static_cast<double>(fraction) /
                      static_cast<double>(kPowersOfTen[static_cast<std::size_t>(fractionDigits)]);
    if (value == 0.0) {
        return 0.0;
    }
    return negative ? -value : value;
}

std::string_view formatFieldText(double value, int decimals, FieldTextBuffer& buffer) {
    const int d = clampDecimals(decimals);
    char* const begin = buffer.chars.data();
    char* out = begin;
    if (!std::isfinite(value)) {
        const std::string text = formatString("%f", value);
        return {begin, static_cast<std::size_t>(text.copy(begin, buffer.chars.size()))};
    }
    const double magnitude = std::fabs(value);
    const double scaled =
        magnitude * static_cast<double>(kPowersOfTen[static_cast<std::size_t>(d)]) + 0.4999999;
    std::array<char, 330> digits{};
    std::size_t digitCount = 0;
    std::array<char, 16> fractionDigits{};
    if (scaled < kCountLimit) {
        const auto count = static_cast<std::int64_t>(scaled);
        const std::int64_t power = kPowersOfTen[static_cast<std::size_t>(d)];
        std::int64_t integerPart = count / power;
        std::int64_t fractionPart = count % power;
        do {
            digits[digitCount++] = static_cast<char>('0' + integerPart % 10);
            integerPart /= 10;
        } while (integerPart > 0);
        for (std::size_t i = 0; i < digitCount / 2; ++i) {
            std::swap(digits[i], digits[digitCount - 1 - i]);
        }
        for (int k = d - 1; k >= 0; --k) {
            fractionDigits[static_cast<std::size_t>(k)] =
                static_cast<char>('0' + fractionPart % 10);
            fractionPart /= 10;
        }
    } else {
        // Far beyond anything the fields are made for; the exact digits keep it readable.
        const std::string text =
            formatString(kFixedFormats[static_cast<std::size_t>(d)], magnitude);
        const std::size_t point = d > 0 ? text.find('.') : text.size();
        digitCount = text.copy(digits.data(), std::min(point, digits.size()));
        if (d > 0) {
            text.copy(fractionDigits.data(), static_cast<std::size_t>(d), point + 1);
        }
    }
    // A value that shows as zero gets no sign: a tiny negative rest of a subtraction such as
    // FeedIn = AnnualYield - SelfConsumption would otherwise show as "-0".
    const auto isZeroDigit = [](char c) { return c == '0'; };
    const bool showsZero =
        std::all_of(digits.begin(), digits.begin() + static_cast<std::ptrdiff_t>(digitCount),
                    isZeroDigit) &&
        std::all_of(fractionDigits.begin(), fractionDigits.begin() + d, isZeroDigit);
    if (value < 0 && !showsZero) {
        *out++ = '-';
    }
    out = appendGrouped(out, std::string_view(digits.data(), digitCount));
    if (d > 0) {
        *out++ = '.';
        for (int k = 0; k < d; ++k) {
            *out++ = fractionDigits[static_cast<std::size_t>(k)];
        }
    }
    return {begin, static_cast<std::size_t>(out - begin)};
}

std::string formatFieldText(double value, int decimals) {
    FieldTextBuffer buffer;
    return std::string(formatFieldText(value, decimals, buffer));
}

}  // namespace lumetra

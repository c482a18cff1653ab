// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/measured/MeasuredText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "simulation/measured/CivilTime.h"
#include "support/CharClass.h"

namespace lumetra::simulation {

namespace {

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2100;

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Reads the digits at the front of `text` (at least `least`, at most `most`) as a number.
std::optional<int> takeDigits(std::string_view& text, std::size_t least, std::size_t most) {
    std::size_t count = 0;
    int value = 0;
    while (count < text.size() && count < most && isDigit(text[count])) {
        value = value * 10 + (text[count] - '0');
        ++count;
    }
    if (count < least) {
        return std::nullopt;
    }
    text.remove_prefix(count);
    return value;
}

bool take(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

// Three numbers separated by `separator`, each of `digits` (least, most) digits: a date.
std::optional<std::array<int, 3>> takeDateParts(
    std::string_view& text, char separator,
    const std::array<std::pair<std::size_t, std::size_t>, 3>& digits) {
    std::array<int, 3> parts{};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto part = takeDigits(text, digits[k].first, digits[k].second);
        if (!part || (k < 2 && !take(text, separator))) {
            return std::nullopt;
        }
        parts[k] = *part;
    }
    return parts;
}

// "+hh:mm", "+hhmm", "+hh", "Z": the offset east of UTC in minutes.
std::optional<int> takeOffset(std::string_view& text) {
    if (take(text, 'Z')) {
        return 0;
    }
    const bool negative = !text.empty() && text.front() == '-';
    if (!take(text, '+') && !take(text, '-')) {
        return std::nullopt;
    }
    const auto hours = takeDigits(text, 2, 2);
    if (!hours) {
        return std::nullopt;
    }
    int minutes = 0;
    if (!text.empty()) {
        take(text, ':');
        const auto digits = takeDigits(text, 2, 2);
        if (!digits) {
            return std::nullopt;
        }
        minutes = *digits;
    }
    if (*hours > 14 || minutes > 59) {
        return std::nullopt;
    }
    const int offset = *hours * 60 + minutes;
    return negative ? -offset : offset;
}

}  // namespace

void splitQuotedFields(std::string_view line, char separator,
                       std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t position = 0;
    while (true) {
        std::size_t start = position;
        while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) {
            ++start;
        }
        std::size_t end = 0;
        if (start < line.size() && line[start] == '"') {
            const std::size_t close = line.find('"', start + 1);
            const std::size_t contentEnd = close == std::string_view::npos ? line.size() : close;
            fields.push_back(trimmed(line.substr(start + 1, contentEnd - start - 1)));
            end = line.find(separator, contentEnd);
        } else {
            end = line.find(separator, start);
            fields.push_back(trimmed(line.substr(
                start, end == std::string_view::npos ? std::string_view::npos : end - start)));
        }
        if (end == std::string_view::npos) {
            return;
        }
        position = end + 1;
    }
}

std::optional<double> parseMeasuredNumber(std::string_view field, bool decimalComma) {
    field = trimmed(field);
    if (field.empty() || field.size() > 64) {
        return std::nullopt;
    }
    char buffer[64];
    std::size_t length = 0;
    for (char c : field) {
        if (c == (decimalComma ? '.' : ',')) {
            return std::nullopt;  // grouping, or the other layout's decimal mark
        }
        buffer[length++] = c == ',' ? '.' : c;
    }
    const char* first = buffer;
    const char* last = buffer + length;
    if (*first == '+') {
        ++first;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<TimeStamp> parseTimeStamp(std::string_view field) {
    std::string_view text = trimmed(field);
    const bool iso = text.size() > 4 && text[4] == '-';
    CivilDate date;
    if (iso) {
        const auto parts = takeDateParts(text, '-', {{{4, 4}, {2, 2}, {2, 2}}});
        if (!parts || (!take(text, 'T') && !take(text, ' '))) {
            return std::nullopt;
        }
        date = {(*parts)[0], (*parts)[1], (*parts)[2]};
    } else {
        const auto parts = takeDateParts(text, '.', {{{1, 2}, {1, 2}, {4, 4}}});
        if (!parts || !take(text, ' ')) {
            return std::nullopt;
        }
        date = {(*parts)[2], (*parts)[1], (*parts)[0]};
    }
    while (take(text, ' ')) {
    }
    if (date.year < kFirstYear || date.year > kLastYear || date.month < 1 || date.month > 12 ||
        date.day < 1 || date.day > daysInMonth(date.year, date.month)) {
        return std::nullopt;
    }
    const auto hour = takeDigits(text, iso ? 2 : 1, 2);
    if (!hour || !take(text, ':')) {
        return std::nullopt;
    }
    const auto minute = takeDigits(text, 2, 2);
    if (!minute || *hour > 23 || *minute > 59) {
        return std::nullopt;
    }
    TimeStamp stamp;
    if (take(text, ':')) {
        const auto second = takeDigits(text, 2, 2);
        if (!second || *second > 59) {
            return std::nullopt;
        }
        stamp.wholeMinute = *second == 0;
        if (iso && take(text, '.')) {
            std::size_t digits = 0;
            while (!text.empty() && isDigit(text.front())) {
                stamp.wholeMinute = stamp.wholeMinute && text.front() == '0';
                text.remove_prefix(1);
                ++digits;
            }
            if (digits == 0) {
                return std::nullopt;
            }
        }
    }
    if (iso && !text.empty()) {
        stamp.utcOffset_min = takeOffset(text);
        if (!stamp.utcOffset_min) {
            return std::nullopt;
        }
    }
    if (!text.empty()) {
        return std::nullopt;
    }
    stamp.wallClock_min = daysFromCivil(date) * kMinutesPerCivilDay + *hour * 60 + *minute;
    return stamp;
}

}  // namespace lumetra::simulation

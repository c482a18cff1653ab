// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/TextFields.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace lumetra::simulation {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

void TextLines::Iterator::advance() {
    if (done_) {
        return;
    }
    if (rest_.empty()) {
        done_ = true;
        return;
    }
    const std::size_t end = rest_.find('\n');
    line_ = rest_.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
    if (!line_.empty() && line_.back() == '\r') {
        line_.remove_suffix(1);
    }
    if (line_.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        line_.remove_prefix(kByteOrderMark.size());
    }
}

bool isSkippedLine(std::string_view line) {
    line = trimmed(line);
    return line.empty() || line.front() == ';';
}

void splitFields(std::string_view line, char separator, std::vector<std::string_view>& fields) {
    fields.clear();
    while (true) {
        const std::size_t end = line.find(separator);
        fields.push_back(trimmed(line.substr(0, end)));
        if (end == std::string_view::npos) {
            break;
        }
        line.remove_prefix(end + 1);
    }
}

std::vector<std::string_view> splitFields(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    splitFields(line, separator, fields);
    return fields;
}

bool parseNumbers(std::span<const std::string_view> fields, std::vector<double>& numbers) {
    numbers.clear();
    numbers.reserve(fields.size());
    for (std::string_view field : fields) {
        double value = 0;
        const char* first = field.data();
        const char* last = field.data() + field.size();
        if (first != last && *first == '+') {
            ++first;
        }
        const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
        if (field.empty() || error != std::errc() || end != last || !std::isfinite(value)) {
            return false;
        }
        numbers.push_back(value);
    }
    return true;
}

bool parseNumbersAfterFirstField(std::string_view line, char separator, std::size_t count,
                                 std::vector<double>& numbers) {
    // Plain pointers: this loop reads every number of the load profile.
    numbers.resize(count);
    const char* const end = line.data() + line.size();
    const char* field = static_cast<const char*>(std::memchr(line.data(), separator, line.size()));
    std::size_t found = 0;
    while (field != nullptr) {
        const char* first = field + 1;
        const char* next = static_cast<const char*>(std::memchr(first, separator, end - first));
        const char* last = next != nullptr ? next : end;
        while (first < last && (*first == ' ' || *first == '\t')) {
            ++first;
        }
        while (last > first && (last[-1] == ' ' || last[-1] == '\t' || last[-1] == '\r')) {
            --last;
        }
        if (found == count || first == last) {
            return false;
        }
        double value = 0;
        const auto [stop, error] = std::from_chars(first, last, value, std::chars_format::fixed);
        if (error != std::errc() || stop != last || !std::isfinite(value)) {
            return false;
        }
        numbers[found++] = value;
        field = next;
    }
    return found == count;
}

}  // namespace lumetra::simulation

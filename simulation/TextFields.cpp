// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/TextFields.h"

#include <charconv>
#include <cmath>

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

std::vector<std::string_view> splitFields(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t end = line.find(separator);
        fields.push_back(trimmed(line.substr(0, end)));
        if (end == std::string_view::npos) {
            break;
        }
        line.remove_prefix(end + 1);
    }
    return fields;
}

bool parseNumbers(const std::vector<std::string_view>& fields, std::vector<double>& numbers) {
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

}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/GermanNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace lumetra::evaluation {

std::string formatGerman(double value, int decimals) {
    if (!std::isfinite(value)) {
        return std::string(kNoFigure);
    }
    decimals = std::clamp(decimals, 0, 9);
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::abs(value),
                                            std::chars_format::fixed, decimals);
    if (error != std::errc{}) {
        return std::string(kNoFigure);
    }
    const std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t point = digits.find('.');
    const std::string_view integer = digits.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : digits.substr(point + 1);

    std::string text;
    const bool zero =
        std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0' || c == '.'; });
    if (value < 0 && !zero) {
        text += '-';
    }
    const bool group = integer.size() >= 4;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (group && i > 0 && (integer.size() - i) % 3 == 0) {
            text += '.';
        }
        text += integer[i];
    }
    if (!fraction.empty()) {
        text += ',';
        text += fraction;
    }
    return text;
}

std::string formatGermanPercent(double fraction, int decimals) {
    if (!std::isfinite(fraction)) {
        return std::string(kNoFigure);
    }
    return formatGerman(fraction * 100.0, decimals) + " %";
}

std::string formatWithUnit(double value, int decimals, std::string_view unit) {
    if (!std::isfinite(value)) {
        return std::string(kNoFigure);
    }
    std::string text = formatGerman(value, decimals);
    if (!unit.empty()) {
        text += ' ';
        text += unit;
    }
    return text;
}

}  // namespace lumetra::evaluation

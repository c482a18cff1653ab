// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/weather/PvgisTimeStamp.h"

#include <charconv>

namespace lumetra::simulation {

namespace {

bool digits(std::string_view text, int& value) {
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc();
}

}  // namespace

std::optional<PvgisTimeStamp> parsePvgisTimeStamp(std::string_view text) {
    PvgisTimeStamp stamp;
    int minute = 0;
    if (text.size() != 13 || text[8] != ':' || !digits(text.substr(0, 4), stamp.year) ||
        !digits(text.substr(4, 2), stamp.month) || !digits(text.substr(6, 2), stamp.day) ||
        !digits(text.substr(9, 2), stamp.hour) || !digits(text.substr(11, 2), minute) ||
        minute != 0) {
        return std::nullopt;
    }
    return stamp;
}

}  // namespace lumetra::simulation

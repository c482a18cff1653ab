// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace lumetra::simulation {

// PVGIS's time stamp "YYYYMMDD:HHMM" of a whole hour (minutes 00).
struct PvgisTimeStamp {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
};
std::optional<PvgisTimeStamp> parsePvgisTimeStamp(std::string_view text);

}  // namespace lumetra::simulation

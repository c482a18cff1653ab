// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <charconv>
#include <cmath>
#include <functional>
#include <string>

#include "simulation/measured/CivilTime.h"
#include "simulation/measured/MeasuredLoad.h"

namespace lumetra::test {

// Writes a measured year as a meter's export would: one line per step from `firstDay` (days
// since 1970) for `days` days, in local standard time of UTC+1 counted as the file's clock says.
struct MeasuredFile {
    enum class Clock { Standard, SummerTime2025, Utc, Offsets2025 };
    bool german = true;  // ';', decimal comma, dd.mm.yyyy; else ',', point, ISO
    Clock clock = Clock::Standard;
    int stepMinutes = 15;
    simulation::MeasuredUnit unit = simulation::MeasuredUnit::kWh;
    std::string header = "Zeit;Verbrauch [kWh]";
    std::int64_t firstDay = simulation::daysFromCivil({2025, 1, 1});
    int days = 365;
    std::string extraColumns;  // after the value on every line
    // Energy (kWh) of the step that begins at a standard minute since 1970.
    std::function<double(std::int64_t)> energy = [](std::int64_t) { return 0.25; };

    std::string text() const {
        using namespace simulation;
        // 2025: summer time from 30 March 01:00 UTC to 26 October 01:00 UTC.
        const std::int64_t summerBegin = daysFromCivil({2025, 3, 30}) * 1440 + 120;
        const std::int64_t summerEnd = daysFromCivil({2025, 10, 26}) * 1440 + 120;
        std::string out = header + "\n";
        const std::int64_t first = firstDay * 1440;
        for (std::int64_t m = first; m < first + days * 1440LL; m += stepMinutes) {
            const bool summer = m >= summerBegin && m < summerEnd;
            std::int64_t wall = m;
            if (clock == Clock::Utc) {
                wall = m - 60;
            } else if (summer && clock != Clock::Standard) {
                wall = m + 60;
            }
            const CivilDate date = civilFromDays(dayOfMinute(wall));
            const std::int64_t minute = wall - dayOfMinute(wall) * 1440;
            char stamp[40];
            if (german) {
                std::snprintf(stamp, sizeof stamp, "%02d.%02d.%04d %02d:%02d", date.day, date.month,
                              date.year, static_cast<int>(minute / 60),
                              static_cast<int>(minute % 60));
            } else {
                std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02dT%02d:%02d%s", date.year,
                              date.month, date.day, static_cast<int>(minute / 60),
                              static_cast<int>(minute % 60),
                              clock == Clock::Offsets2025 ? (summer ? "+02:00" : "+01:00")
                              : clock == Clock::Utc       ? "Z"
                                                          : "");
            }
            out += stamp;
            out += german ? ';' : ',';
            out += number(valueOf(energy(m)));
            out += extraColumns;
            out += '\n';
        }
        return out;
    }

    double valueOf(double kWh) const {
        switch (unit) {
            case simulation::MeasuredUnit::Wh:
                return kWh * 1000;
            case simulation::MeasuredUnit::W:
                return kWh * 60'000 / stepMinutes;
            case simulation::MeasuredUnit::kW:
                return kWh * 60 / stepMinutes;
            default:
                return kWh;
        }
    }

    std::string number(double value) const {
        char buffer[64];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        std::string text(buffer, end);
        if (german) {
            for (char& c : text) {
                c = c == '.' ? ',' : c;
            }
        }
        return text;
    }
};

}  // namespace lumetra::test

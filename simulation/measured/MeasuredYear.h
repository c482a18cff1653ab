// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "simulation/measured/MeasuredRecords.h"

namespace lumetra::simulation {

// The measured year in quarter hours of local standard time: 365 days from the day of the first
// time (366 when the span holds 29 February, whose quarter hours are then never used), circular
// (a year that begins within a day ends in the same day).
struct MeasuredYear {
    std::int64_t first_min = 0;  // the first time, standard minutes since 1970
    std::int64_t firstDay = 0;   // days since 1970
    int days = 365;              // 365 or 366
    std::optional<std::int64_t> leapDay;
    int stepMinutes = 0;
    std::vector<double> quarterHours_kWh;  // days x 96
    std::vector<FilledGap> filledGaps;
};

// The steps the reader accepts: the divisors of an hour.
bool isSupportedStep(int minutes);

// Places the records (their standard_min set) on the grid of their commonest spacing, fills
// gaps up to kMaxFilledGap_min by linear interpolation, converts `unit` to kWh and sums the
// steps into quarter hours. Refuses an unsupported spacing, a time off the grid, one that comes
// twice or lies a year or more after the first, and a longer gap (naming its first missing
// time as the file counts time).
std::optional<MeasuredYear> measuredYear(const std::vector<MeasuredRecord>& records,
                                         MeasuredUnit unit, MeasuredTimeBasis basis,
                                         int utcOffset_min, std::string* error);

// The reference year (a common year, 365 x 96 quarter hours): each day takes the measured day
// of the same weekday nearest to its calendar date (never 29 February).
std::vector<double> onReferenceYear(const MeasuredYear& year, int referenceYear);

}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::simulation {

// What a value column holds: the energy of each step, or the mean power over it.
enum class MeasuredUnit { Wh, kWh, W, kW };

// How the file's times are counted.
enum class MeasuredTimeBasis {
    Detect,               // offsets in the stamps if they have them; else local time with
                          // summer time if the file shows a clock change, else standard time
    LocalWithSummerTime,  // European summer time (the doubled and the missing hour)
    LocalStandardTime,    // the balance's own clock, no summer time
    Utc,
    StampOffsets,  // each stamp names its offset (only as a result)
};

// A column of a measured-load file.
struct MeasuredColumn {
    int number = 0;                    // counted from 1; column 1 holds the time
    std::string name;                  // from the header, or "Spalte N"
    std::optional<MeasuredUnit> unit;  // from the name ("Verbrauch [kWh]", "P_W", ...)
};

// The axis the result is laid on: the hourly balance's reference year in its local standard
// time.
struct MeasuredLoadTarget {
    int referenceYear = 0;  // a common year (365 days)
    int utcOffset_min = 0;  // of the local standard time, east of UTC
};

struct MeasuredLoadOptions {
    // The value column: its name, or its number (counted from 1 with the time column);
    // empty for the only value column.
    std::string column;
    std::optional<MeasuredUnit> unit;  // wins over the unit in the column's name
    MeasuredTimeBasis timeBasis = MeasuredTimeBasis::Detect;
};

// A gap the reader filled by linear interpolation.
struct FilledGap {
    std::string firstMissing;  // "dd.mm.yyyy hh:mm" as the file counts time
    int minutes = 0;
};

struct MeasuredLoad {
    std::vector<double> quarterHours_kWh;  // 35,040 quarter hours of the reference year
    double annual_kWh = 0;                 // their sum
    MeasuredColumn column;
    MeasuredUnit unit = MeasuredUnit::kWh;
    int stepMinutes = 0;
    MeasuredTimeBasis timeBasis = MeasuredTimeBasis::LocalStandardTime;
    std::string firstTime;  // the time the measured year begins, as the file counts time
    bool leapDayDropped = false;
    std::vector<FilledGap> filledGaps;
};

// The longest gap that is filled; a longer one refuses the file.
inline constexpr int kMaxFilledGap_min = 120;

// The columns of a measured-load file; std::nullopt and a message when it has no time stamps.
std::optional<std::vector<MeasuredColumn>> measuredLoadColumns(std::string_view bytes,
                                                               std::string* error);

// Reads one year of a household's electricity from CSV text (UTF-8 or Windows-1252):
// - layout detected: German (';', decimal comma, "dd.mm.yyyy hh:mm") or ISO/English (',',
//   decimal point, "yyyy-mm-ddThh:mm", an offset or "Z" allowed); lines before the header are
//   skipped, the header is the line before the first time stamp; the time is in column 1 and
//   stamps the start of its step; an empty value is a missing one;
// - steps of 1, 2, 3, 4, 5, 6, 10, 12, 15, 20, 30 or 60 minutes (the commonest spacing);
//   energy per step (Wh, kWh) or mean power (W, kW), from the options or the column's name;
// - the year begins at the first time and runs 365 days (366 when it holds 29 February,
//   which is dropped); gaps up to kMaxFilledGap_min are interpolated and reported, a longer
//   one refuses the file naming its first missing time;
// - each day of the reference year takes the measured day of the same weekday nearest to its
//   calendar date.
// Returns kWh per quarter hour of the target's reference year in its local standard time.
// Bad input: std::nullopt and one German message naming the line; nothing partial.
std::optional<MeasuredLoad> readMeasuredLoad(std::string_view bytes,
                                             const MeasuredLoadTarget& target,
                                             const MeasuredLoadOptions& options,
                                             std::string* error);

}  // namespace lumetra::simulation

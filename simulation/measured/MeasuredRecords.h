// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "simulation/measured/MeasuredLayout.h"

namespace lumetra::simulation {

// One data line of a measured-load file.
struct MeasuredRecord {
    int line = 0;                      // 1-based
    std::int64_t wallClock_min = 0;    // the time as written, minutes since 1970
    std::optional<int> utcOffset_min;  // when the stamp names it
    double value = 0;                  // in the column's unit; NaN when the field is empty
    std::int64_t standard_min = 0;     // the time in the target's local standard time
};

// "Zeile N: what"
std::string lineMessage(int line, std::string_view what);

// The data lines from the layout's first one on: a time stamp in column 1 and the value of
// `column` (empty or missing: NaN). Refuses a line without a time stamp, a value that is no
// number in the layout's decimal mark, a negative value, seconds off the minute, stamps of
// which some name an offset and others do not, and more lines than a year has minutes. At least
// one line; in time order (a file that mostly runs backwards is turned round).
std::optional<std::vector<MeasuredRecord>> readMeasuredRecords(std::string_view bytes,
                                                               const MeasuredLayout& layout,
                                                               const MeasuredColumn& column,
                                                               std::string* error);

// The basis the file's times are counted in: offsets when the stamps name them; for Detect,
// local time with European summer time when the file skips the spring hour or repeats the
// autumn one, else local standard time.
MeasuredTimeBasis resolveTimeBasis(const std::vector<MeasuredRecord>& records,
                                   MeasuredTimeBasis requested, int utcOffset_min);

// Sets each record's standard_min: the local standard time of the zone `utcOffset_min`. In
// local time with summer time, the repeated autumn hour is counted as summer time until the
// stamps step back, and a stamp in the skipped spring hour refuses the file.
bool toStandardTime(std::vector<MeasuredRecord>& records, MeasuredTimeBasis basis,
                    int utcOffset_min, std::string* error);

// A minute of the local standard time as the file counts time ("dd.mm.yyyy hh:mm", with
// " UTC" for files in UTC or with offsets).
std::string fileTimeText(std::int64_t standard_min, MeasuredTimeBasis basis, int utcOffset_min);

}  // namespace lumetra::simulation

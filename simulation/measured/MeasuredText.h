// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace lumetra::simulation {

// The fields of a separated line, each without surrounding blanks and without the double
// quotes around it (a quoted field may hold the separator). Reuses `fields`' storage.
void splitQuotedFields(std::string_view line, char separator,
                       std::vector<std::string_view>& fields);

// A number with a decimal comma (`decimalComma`) or a decimal point, optionally signed, with
// no grouping; std::nullopt for anything else, also for infinities and NaN.
std::optional<double> parseMeasuredNumber(std::string_view field, bool decimalComma);

// A time stamp as written: "dd.mm.yyyy hh:mm[:ss]" or "yyyy-mm-ddThh:mm[:ss[.fff]]" (a blank
// instead of the T allowed), the latter optionally followed by "Z" or an offset "+hh:mm",
// "+hhmm" or "+hh". Years 1900..2100.
struct TimeStamp {
    std::int64_t wallClock_min = 0;    // the written date and time as minutes since 1970
    std::optional<int> utcOffset_min;  // when the stamp names its offset from UTC
    bool wholeMinute = true;           // seconds (and their fraction) are zero
};
std::optional<TimeStamp> parseTimeStamp(std::string_view field);

}  // namespace lumetra::simulation

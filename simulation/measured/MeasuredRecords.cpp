// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/measured/MeasuredRecords.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "simulation/TextFields.h"
#include "simulation/measured/CivilTime.h"
#include "simulation/measured/MeasuredText.h"
#include "support/Windows1252.h"

namespace lumetra::simulation {

namespace {

// Larger readings are no household's (and would overflow the sums).
constexpr double kMaxValue = 1e9;
// A year in one-minute steps; a file with more lines cannot be one year.
constexpr std::size_t kMaxRecords = 366 * 1440;
constexpr std::int64_t kHour_min = 60;

void setError(std::string* error, std::string message) {
    if (error != nullptr) {
        *error = std::move(message);
    }
}

// A field for a message: at most 40 characters, as UTF-8.
std::string quoted(std::string_view field) {
    constexpr std::size_t kMax = 40;
    return "„" + lumetra::windows1252ToUtf8(field.substr(0, kMax)) +
           (field.size() > kMax ? "…" : "") + "“";
}

int yearOfMinute(std::int64_t minute) {
    return civilFromDays(dayOfMinute(minute)).year;
}

// The wall-clock times of a year's clock changes in the zone: summer time begins at `begin`
// (the hour from there is skipped) and ends at `end` (the hour from there is repeated).
struct ClockChanges {
    std::int64_t begin = 0;
    std::int64_t end = 0;
};

ClockChanges clockChanges(int year, int utcOffset_min) {
    const SummerTime summer = europeanSummerTime(year);
    return {summer.begin_utc + utcOffset_min, summer.end_utc + utcOffset_min};
}

bool within(std::int64_t value, std::int64_t begin, std::int64_t length) {
    return value >= begin && value < begin + length;
}

// Whether the stamps skip the spring hour (stamps in the hours before and after it, none in
// it) or step back into the repeated autumn hour.
bool showsClockChange(const std::vector<MeasuredRecord>& records, int utcOffset_min) {
    const int firstYear = yearOfMinute(records.front().wallClock_min) - 1;
    struct Spring {
        bool before = false, inside = false, after = false;
    };
    Spring springs[4];
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::int64_t wall = records[i].wallClock_min;
        const int year = yearOfMinute(wall);
        if (year < firstYear || year >= firstYear + 4) {
            continue;
        }
        const ClockChanges changes = clockChanges(year, utcOffset_min);
        Spring& spring = springs[year - firstYear];
        spring.before = spring.before || within(wall, changes.begin - kHour_min, kHour_min);
        spring.inside = spring.inside || within(wall, changes.begin, kHour_min);
        spring.after = spring.after || within(wall, changes.begin + kHour_min, kHour_min);
        if (i > 0 && within(wall, changes.end, kHour_min) && wall <= records[i - 1].wallClock_min) {
            return true;
        }
    }
    for (const Spring& spring : springs) {
        if (spring.before && !spring.inside && spring.after) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string lineMessage(int line, std::string_view what) {
    return "Zeile " + std::to_string(line) + ": " + std::string(what);
}

std::optional<std::vector<MeasuredRecord>> readMeasuredRecords(std::string_view bytes,
                                                               const MeasuredLayout& layout,
                                                               const MeasuredColumn& column,
                                                               std::string* error) {
    std::vector<MeasuredRecord> records;
    records.reserve(bytes.size() / 24);
    std::vector<std::string_view> fields;
    const auto valueIndex = static_cast<std::size_t>(column.number - 1);
    int lineNumber = 0;
    for (std::string_view line : TextLines(bytes)) {
        ++lineNumber;
        if (lineNumber < layout.firstDataLine ||
            line.find_first_not_of(" \t") == std::string_view::npos) {
            continue;
        }
        if (records.size() == kMaxRecords) {
            setError(error, lineMessage(lineNumber, "mehr Zeilen, als ein Jahr Minuten hat"));
            return std::nullopt;
        }
        splitQuotedFields(line, layout.separator, fields);
        const std::optional<TimeStamp> stamp = parseTimeStamp(fields[0]);
        if (!stamp) {
            setError(error, lineMessage(lineNumber, "keine Zeit " + quoted(fields[0]) +
                                                        " (erwartet TT.MM.JJJJ hh:mm oder "
                                                        "JJJJ-MM-TTThh:mm)"));
            return std::nullopt;
        }
        if (!stamp->wholeMinute) {
            setError(error, lineMessage(lineNumber, "die Zeit " + quoted(fields[0]) +
                                                        " liegt nicht auf einer vollen Minute"));
            return std::nullopt;
        }
        if (!records.empty() &&
            records.front().utcOffset_min.has_value() != stamp->utcOffset_min.has_value()) {
            setError(error, lineMessage(lineNumber, "nur ein Teil der Zeiten nennt die Zeitzone"));
            return std::nullopt;
        }
        MeasuredRecord record;
        record.line = lineNumber;
        record.wallClock_min = stamp->wallClock_min;
        record.utcOffset_min = stamp->utcOffset_min;
        record.value = std::numeric_limits<double>::quiet_NaN();
        if (valueIndex < fields.size() && !fields[valueIndex].empty()) {
            const std::optional<double> value =
                parseMeasuredNumber(fields[valueIndex], layout.decimalComma);
            if (!value) {
                setError(error, lineMessage(lineNumber,
                                            quoted(fields[valueIndex]) + " ist keine Zahl (" +
                                                (layout.decimalComma
                                                     ? "mit Dezimalkomma, ohne Tausenderpunkte)"
                                                     : "mit Dezimalpunkt)")));
                return std::nullopt;
            }
            if (*value < 0 || *value > kMaxValue) {
                setError(error, lineMessage(lineNumber, *value < 0 ? "negativer Wert"
                                                                   : "Wert über 1.000.000.000"));
                return std::nullopt;
            }
            record.value = *value;
        }
        records.push_back(record);
    }
    // Some portals write the newest time first; the clock changes are read in time order.
    std::size_t backwards = 0;
    for (std::size_t i = 1; i < records.size(); ++i) {
        backwards += records[i].wallClock_min < records[i - 1].wallClock_min;
    }
    if (2 * backwards > records.size()) {
        std::reverse(records.begin(), records.end());
    }
    return records;
}

MeasuredTimeBasis resolveTimeBasis(const std::vector<MeasuredRecord>& records,
                                   MeasuredTimeBasis requested, int utcOffset_min) {
    if (!records.empty() && records.front().utcOffset_min) {
        return MeasuredTimeBasis::StampOffsets;
    }
    if (requested == MeasuredTimeBasis::Detect || requested == MeasuredTimeBasis::StampOffsets) {
        return !records.empty() && showsClockChange(records, utcOffset_min)
                   ? MeasuredTimeBasis::LocalWithSummerTime
                   : MeasuredTimeBasis::LocalStandardTime;
    }
    return requested;
}

bool toStandardTime(std::vector<MeasuredRecord>& records, MeasuredTimeBasis basis,
                    int utcOffset_min, std::string* error) {
    int repeatedYear = std::numeric_limits<int>::min();  // its autumn hour is on its 2nd pass
    for (std::size_t i = 0; i < records.size(); ++i) {
        MeasuredRecord& record = records[i];
        const std::int64_t wall = record.wallClock_min;
        switch (basis) {
            case MeasuredTimeBasis::Utc:
                record.standard_min = wall + utcOffset_min;
                continue;
            case MeasuredTimeBasis::StampOffsets:
                record.standard_min = wall - *record.utcOffset_min + utcOffset_min;
                continue;
            case MeasuredTimeBasis::LocalWithSummerTime:
                break;
            default:
                record.standard_min = wall;
                continue;
        }
        const int year = yearOfMinute(wall);
        const ClockChanges changes = clockChanges(year, utcOffset_min);
        if (within(wall, changes.begin, kHour_min)) {
            setError(error, lineMessage(record.line, "die Zeit " + germanDateTime(wall) +
                                                         " gibt es wegen der Umstellung auf die "
                                                         "Sommerzeit nicht"));
            return false;
        }
        bool summer = wall >= changes.begin + kHour_min && wall < changes.end;
        if (within(wall, changes.end, kHour_min)) {
            if (repeatedYear != year && i > 0 &&
                within(records[i - 1].wallClock_min, changes.end, kHour_min) &&
                wall <= records[i - 1].wallClock_min) {
                repeatedYear = year;
            }
            summer = repeatedYear != year;
        }
        record.standard_min = wall - (summer ? kHour_min : 0);
    }
    return true;
}

std::string fileTimeText(std::int64_t standard_min, MeasuredTimeBasis basis, int utcOffset_min) {
    switch (basis) {
        case MeasuredTimeBasis::Utc:
        case MeasuredTimeBasis::StampOffsets:
            return germanDateTime(standard_min - utcOffset_min) + " UTC";
        case MeasuredTimeBasis::LocalWithSummerTime: {
            const std::int64_t utc = standard_min - utcOffset_min;
            const SummerTime summer = europeanSummerTime(yearOfMinute(utc));
            const bool inSummer = utc >= summer.begin_utc && utc < summer.end_utc;
            return germanDateTime(standard_min + (inSummer ? kHour_min : 0));
        }
        default:
            return germanDateTime(standard_min);
    }
}

}  // namespace lumetra::simulation

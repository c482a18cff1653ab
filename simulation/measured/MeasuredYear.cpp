// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/measured/MeasuredYear.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "simulation/measured/CivilTime.h"

namespace lumetra::simulation {

namespace {

constexpr int kQuarterHour_min = 15;
constexpr int kQuarterHoursPerDay = 96;
constexpr int kCommonYearDays = 365;
constexpr std::array<int, 12> kSupportedSteps = {1, 2, 3, 4, 5, 6, 10, 12, 15, 20, 30, 60};

void setError(std::string* error, std::string message) {
    if (error != nullptr) {
        *error = std::move(message);
    }
}

double toKilowattHours(double value, MeasuredUnit unit, int stepMinutes) {
    switch (unit) {
        case MeasuredUnit::Wh:
            return value / 1000;
        case MeasuredUnit::W:
            return value * stepMinutes / 60 / 1000;
        case MeasuredUnit::kW:
            return value * stepMinutes / 60;
        case MeasuredUnit::kWh:
            break;
    }
    return value;
}

// The commonest spacing of successive times up to a day (the smaller one of a tie); 0 when
// there is none.
int commonestSpacing(const std::vector<MeasuredRecord>& records) {
    std::vector<int> counts(static_cast<std::size_t>(kMinutesPerCivilDay) + 1, 0);
    for (std::size_t i = 1; i < records.size(); ++i) {
        const std::int64_t spacing = records[i].standard_min - records[i - 1].standard_min;
        if (spacing > 0 && spacing <= kMinutesPerCivilDay) {
            ++counts[static_cast<std::size_t>(spacing)];
        }
    }
    const auto commonest = std::max_element(counts.begin(), counts.end());
    return *commonest > 0 ? static_cast<int>(commonest - counts.begin()) : 0;
}

std::optional<std::int64_t> leapDayWithin(std::int64_t firstDay) {
    const int year = civilFromDays(firstDay).year;
    for (int y : {year, year + 1}) {
        if (isLeapYear(y)) {
            const std::int64_t day = daysFromCivil({y, 2, 29});
            if (day >= firstDay && day <= firstDay + kCommonYearDays) {
                return day;
            }
        }
    }
    return std::nullopt;
}

std::string durationText(int minutes) {
    if (minutes % 60 == 0) {
        return std::to_string(minutes / 60) + " Stunden";
    }
    return std::to_string(minutes) + " Minuten";
}

}  // namespace

bool isSupportedStep(int minutes) {
    return std::find(kSupportedSteps.begin(), kSupportedSteps.end(), minutes) !=
           kSupportedSteps.end();
}

std::optional<MeasuredYear> measuredYear(const std::vector<MeasuredRecord>& records,
                                         MeasuredUnit unit, MeasuredTimeBasis basis,
                                         int utcOffset_min, std::string* error) {
    MeasuredYear year;
    const int step = commonestSpacing(records);
    if (step == 0) {
        setError(error, "Die Datei enthält keine Zeiten im Abstand bis zu einem Tag");
        return std::nullopt;
    }
    if (!isSupportedStep(step)) {
        setError(error, "Die Zeiten liegen meist " + std::to_string(step) +
                            " Minuten auseinander; lesbar sind Schritte von 1, 2, 3, 4, 5, 6, "
                            "10, 12, 15, 20, 30 und 60 Minuten");
        return std::nullopt;
    }
    year.stepMinutes = step;
    const std::int64_t origin =
        std::min_element(records.begin(), records.end(), [](const auto& a, const auto& b) {
            return a.standard_min < b.standard_min;
        })->standard_min;
    const auto timeText = [&](std::int64_t standard) {
        return fileTimeText(standard, basis, utcOffset_min);
    };
    year.first_min = origin;
    year.firstDay = dayOfMinute(origin);
    year.leapDay = leapDayWithin(year.firstDay);
    year.days = kCommonYearDays + (year.leapDay ? 1 : 0);
    const std::int64_t spanMinutes = year.days * kMinutesPerCivilDay;
    const auto slots = static_cast<std::size_t>(spanMinutes / step);

    std::vector<double> values(slots, std::nan(""));
    std::vector<int> lineOf(slots, 0);
    for (const MeasuredRecord& record : records) {
        const std::int64_t offset = record.standard_min - origin;
        if (offset >= spanMinutes) {
            setError(error, lineMessage(record.line, "die Zeit " + timeText(record.standard_min) +
                                                         " liegt ein Jahr oder mehr nach der "
                                                         "ersten (" +
                                                         timeText(origin) + ")"));
            return std::nullopt;
        }
        if (offset % step != 0) {
            setError(error, lineMessage(record.line, "die Zeit " + timeText(record.standard_min) +
                                                         " liegt nicht im Raster von " +
                                                         std::to_string(step) + " Minuten"));
            return std::nullopt;
        }
        const auto k = static_cast<std::size_t>(offset / step);
        if (lineOf[k] != 0) {
            setError(error, lineMessage(record.line, "die Zeit " + timeText(record.standard_min) +
                                                         " kommt doppelt vor (wie in Zeile " +
                                                         std::to_string(lineOf[k]) + ")"));
            return std::nullopt;
        }
        lineOf[k] = record.line;
        values[k] = toKilowattHours(record.value, unit, step);
    }

    // Minute of the span at which each slot begins (the year is circular).
    const std::int64_t firstMinute = origin - year.firstDay * kMinutesPerCivilDay;
    const auto slotMinute = [&](std::size_t k) {
        const std::int64_t minute = firstMinute + static_cast<std::int64_t>(k) * step;
        return minute >= spanMinutes ? minute - spanMinutes : minute;
    };
    const std::int64_t leapIndex = year.leapDay ? *year.leapDay - year.firstDay : -1;
    std::vector<std::size_t> kept;
    kept.reserve(slots);
    for (std::size_t k = 0; k < slots; ++k) {
        if (slotMinute(k) / kMinutesPerCivilDay != leapIndex) {
            kept.push_back(k);
        }
    }

    // Gaps, circularly from a slot with a value.
    const std::size_t n = kept.size();
    std::size_t anchor = 0;
    while (anchor < n && std::isnan(values[kept[anchor]])) {
        ++anchor;
    }
    if (anchor == n) {
        setError(error, "Die gewählte Spalte enthält keine Werte");
        return std::nullopt;
    }
    std::vector<std::pair<std::size_t, int>> gaps;               // first missing slot, minutes
    std::optional<std::pair<std::size_t, std::size_t>> tooLong;  // first missing, last before
    std::size_t previous = anchor;
    for (std::size_t t = 1; t <= n; ++t) {
        const std::size_t j = (anchor + t) % n;
        if (std::isnan(values[kept[j]])) {
            continue;
        }
        const std::size_t missing = (j + n - previous - 1) % n;
        if (missing > 0) {
            const std::size_t first = kept[(previous + 1) % n];
            const int minutes = static_cast<int>(missing) * step;
            if (minutes > kMaxFilledGap_min) {
                if (!tooLong || first < tooLong->first) {
                    tooLong = {first, kept[previous]};
                }
            } else {
                const double a = values[kept[previous]];
                const double b = values[kept[j]];
                for (std::size_t u = 1; u <= missing; ++u) {
                    values[kept[(previous + u) % n]] =
                        a + (b - a) * static_cast<double>(u) / static_cast<double>(missing + 1);
                }
                gaps.emplace_back(first, minutes);
            }
        }
        previous = j;
    }
    if (tooLong) {
        const std::int64_t firstMissing = origin + static_cast<std::int64_t>(tooLong->first) * step;
        setError(error, "Es fehlen Werte ab " + timeText(firstMissing) + " (nach Zeile " +
                            std::to_string(lineOf[tooLong->second]) + "); nur Lücken bis zu " +
                            durationText(kMaxFilledGap_min) + " werden aufgefüllt");
        return std::nullopt;
    }
    std::sort(gaps.begin(), gaps.end());
    for (const auto& [first, minutes] : gaps) {
        year.filledGaps.push_back(
            {timeText(origin + static_cast<std::int64_t>(first) * step), minutes});
    }

    // Each step's energy spread evenly over its minutes.
    year.quarterHours_kWh.assign(static_cast<std::size_t>(year.days) * kQuarterHoursPerDay, 0.0);
    for (std::size_t k : kept) {
        std::int64_t minute = slotMinute(k);
        int left = step;
        while (left > 0) {
            const int take =
                std::min<int>(left, kQuarterHour_min - static_cast<int>(minute % kQuarterHour_min));
            year.quarterHours_kWh[static_cast<std::size_t>(minute / kQuarterHour_min)] +=
                values[k] * take / step;
            left -= take;
            minute += take;
            if (minute >= spanMinutes) {
                minute -= spanMinutes;
            }
        }
    }
    return year;
}

std::vector<double> onReferenceYear(const MeasuredYear& year, int referenceYear) {
    std::vector<double> reference(static_cast<std::size_t>(kCommonYearDays) * kQuarterHoursPerDay);
    const std::int64_t referenceStart = daysFromCivil({referenceYear, 1, 1});
    const int firstYear = civilFromDays(year.firstDay).year;
    const auto usable = [&](std::int64_t day) {
        return day >= year.firstDay && day < year.firstDay + year.days && day != year.leapDay;
    };
    for (int r = 0; r < kCommonYearDays; ++r) {
        const std::int64_t referenceDay = referenceStart + r;
        const CivilDate date = civilFromDays(referenceDay);
        // The measured day of the same calendar date (the span holds each date but 29 February).
        std::int64_t sameDate = daysFromCivil({firstYear, date.month, date.day});
        if (sameDate < year.firstDay) {
            sameDate = daysFromCivil({firstYear + 1, date.month, date.day});
        }
        int shift = (weekdayOfDays(referenceDay) - weekdayOfDays(sameDate) + 7) % 7;
        if (shift > 3) {
            shift -= 7;
        }
        // The nearest day of that weekday in the span (a week further where it lies outside).
        std::array<int, 7> offsets{};
        for (int k = -3; k <= 3; ++k) {
            offsets[static_cast<std::size_t>(k + 3)] = shift + 7 * k;
        }
        std::stable_sort(offsets.begin(), offsets.end(),
                         [](int a, int b) { return std::abs(a) < std::abs(b); });
        std::int64_t source = sameDate;
        for (int offset : offsets) {
            if (usable(sameDate + offset)) {
                source = sameDate + offset;
                break;
            }
        }
        const auto from =
            year.quarterHours_kWh.begin() +
            static_cast<std::ptrdiff_t>((source - year.firstDay) * kQuarterHoursPerDay);
        std::copy(from, from + kQuarterHoursPerDay,
                  reference.begin() + static_cast<std::ptrdiff_t>(r) * kQuarterHoursPerDay);
    }
    return reference;
}

}  // namespace lumetra::simulation

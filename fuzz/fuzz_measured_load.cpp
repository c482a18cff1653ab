// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a measured-load file, or (first byte odd) splices them into a whole
// year that a meter could have written, so that the reader's gap filling, clock changes and
// mapping onto the reference year are reached too. Checks what the reader hands on: a refusal
// says why; a year has 35,040 finite, non-negative quarter hours that sum to its annual figure.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>

#include "simulation/measured/CivilTime.h"
#include "simulation/measured/MeasuredLoad.h"
#include "simulation/measured/MeasuredYear.h"

namespace {

using namespace lumetra::simulation;

void appendTwoDigits(std::string& out, std::int64_t value) {
    out.push_back(static_cast<char>('0' + value / 10 % 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

std::string isoDateTime(std::int64_t minute) {
    const std::int64_t day = dayOfMinute(minute);
    const CivilDate date = civilFromDays(day);
    std::string text = std::to_string(date.year) + "-";
    appendTwoDigits(text, date.month);
    text.push_back('-');
    appendTwoDigits(text, date.day);
    text.push_back('T');
    appendTwoDigits(text, (minute - day * 1440) / 60);
    text.push_back(':');
    appendTwoDigits(text, (minute - day * 1440) % 60);
    return text;
}

// A whole year of 60-, 30- or 15-minute steps from a day of 2022-2024 in either layout, with
// `splice` put in at line `at` in place of `cut` lines.
std::string splicedYear(const std::uint8_t* header, std::string_view splice) {
    constexpr int kSteps[] = {60, 30, 15};
    const int step = kSteps[header[1] % 3];
    const bool german = (header[1] & 4) != 0;
    const std::int64_t first = (daysFromCivil({2022, 1, 1}) + header[2] * 3) * 1440;
    const int at = header[3] * 40;
    const int cut = header[4] % 16;
    std::string text = german ? "Zeit;Verbrauch [kWh]\n" : "time,power_W\n";
    int line = 0;
    const std::int64_t leapDay = daysFromCivil({2024, 2, 29});
    const std::int64_t days = first / 1440 <= leapDay && leapDay <= first / 1440 + 365 ? 366 : 365;
    for (std::int64_t m = first; m < first + days * 1440; m += step, ++line) {
        if (line == at) {
            text.append(splice);
            text.push_back('\n');
        }
        if (line >= at && line < at + cut) {
            continue;
        }
        text += german ? germanDateTime(m) + ";0," + std::to_string(m % 97) + "\n"
                       : isoDateTime(m) + "," + std::to_string(m % 89) + "\n";
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHeader = 5;
    if (size < kHeader) {
        return 0;
    }
    const std::string_view rest(reinterpret_cast<const char*>(data) + kHeader, size - kHeader);
    const std::string text = (data[0] & 1) != 0 ? splicedYear(data, rest) : std::string(rest);

    MeasuredLoadOptions options;
    constexpr MeasuredTimeBasis kBases[] = {
        MeasuredTimeBasis::Detect, MeasuredTimeBasis::LocalWithSummerTime,
        MeasuredTimeBasis::LocalStandardTime, MeasuredTimeBasis::Utc};
    options.timeBasis = kBases[(data[0] >> 1) % 4];
    if ((data[0] & 8) != 0) {
        options.unit = static_cast<MeasuredUnit>((data[0] >> 4) % 4);
    }
    if ((data[0] & 64) != 0) {
        options.column = (data[0] & 128) != 0 ? "2" : "Verbrauch [kWh]";
    }
    std::string error;
    (void)measuredLoadColumns(text, &error);
    error.clear();
    const auto load = readMeasuredLoad(text, {2025, 60}, options, &error);
    if (!load) {
        if (error.empty()) {
            __builtin_trap();  // a refusal always says why
        }
        return 0;
    }
    if (load->quarterHours_kWh.size() != 35'040 || !isSupportedStep(load->stepMinutes)) {
        __builtin_trap();
    }
    for (double value : load->quarterHours_kWh) {
        if (!std::isfinite(value) || value < 0) {
            __builtin_trap();
        }
    }
    const double sum =
        std::accumulate(load->quarterHours_kWh.begin(), load->quarterHours_kWh.end(), 0.0);
    if (std::fabs(sum - load->annual_kWh) > 1e-9 * std::max(1.0, sum)) {
        __builtin_trap();
    }
    for (const FilledGap& gap : load->filledGaps) {
        if (gap.minutes <= 0 || gap.minutes > kMaxFilledGap_min) {
            __builtin_trap();
        }
    }
    return 0;
}

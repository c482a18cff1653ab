// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/HourlyCsv.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "simulation/calendar/ReferenceCalendar.h"

namespace lumetra::simulation {

namespace {

void appendTwoDigits(std::string& out, int value) {
    out.push_back(static_cast<char>('0' + value / 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

// "+01:00", "-05:30"
std::string offsetText(double hours) {
    const long minutes = std::lround(hours * 60);
    std::string text(1, minutes < 0 ? '-' : '+');
    const long magnitude = std::labs(minutes);
    appendTwoDigits(text, static_cast<int>(magnitude / 60 % 100));
    text.push_back(':');
    appendTwoDigits(text, static_cast<int>(magnitude % 60));
    return text;
}

void appendNumber(std::string& out, float value, char decimalSeparator) {
    char buffer[64];
    // The shortest plain decimal that reads back as the same float; no exponent.
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (error != std::errc()) {
        out.push_back('0');
        return;
    }
    const std::size_t first = out.size();
    out.append(buffer, end);
    if (decimalSeparator != '.') {
        std::replace(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(), '.',
                     decimalSeparator);
    }
}

}  // namespace

std::string hourlyCsv(const HourlyResult& result, CsvFormat format) {
    const bool german = format == CsvFormat::German;
    const char separator = german ? ';' : ',';
    const char decimalSeparator = german ? ',' : '.';
    std::string out;
    out.reserve(static_cast<std::size_t>(kStepCount) * 104);
    const char* const names[] = {"time",         "yield_kWh",         "demand_kWh",
                                 "direct_kWh",   "batteryCharge_kWh", "batteryDischarge_kWh",
                                 "feedIn_kWh",   "purchase_kWh",      "stateOfCharge_kWh",
                                 "curtailed_kWh"};
    for (const char* name : names) {
        if (name != names[0]) {
            out.push_back(separator);
        }
        out += name;
    }
    out.push_back('\n');
    const std::string offset = offsetText(result.utcOffset_h);
    const StepSeries& s = result.steps;
    const std::vector<float>* columns[] = {
        &s.pv,     &s.demand,   &s.direct,        &s.batteryCharge, &s.batteryDischarge,
        &s.feedIn, &s.purchase, &s.stateOfCharge, &s.curtailed};
    for (int d = 0; d < kDaysPerYear; ++d) {
        const int month = monthOfDay(d);
        const int dayOfMonth = d - kMonthStartDay[static_cast<std::size_t>(month)] + 1;
        std::string date = std::to_string(kReferenceYear) + "-";
        appendTwoDigits(date, month + 1);
        date.push_back('-');
        appendTwoDigits(date, dayOfMonth);
        date.push_back('T');
        for (int k = 0; k < kStepsPerDay; ++k) {
            const auto step = static_cast<std::size_t>(d * kStepsPerDay + k);
            out += date;
            appendTwoDigits(out, k / kStepsPerHour);
            out.push_back(':');
            appendTwoDigits(out, (k % kStepsPerHour) * (60 / kStepsPerHour));
            out += offset;
            for (const std::vector<float>* column : columns) {
                out.push_back(separator);
                appendNumber(out, step < column->size() ? (*column)[step] : 0.0f, decimalSeparator);
            }
            out.push_back('\n');
        }
    }
    return out;
}

void writeHourlyCsv(const HourlyResult& result, std::ostream& out) {
    const std::string text = hourlyCsv(result);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace lumetra::simulation

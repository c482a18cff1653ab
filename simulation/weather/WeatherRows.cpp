// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/weather/WeatherRows.h"

#include <algorithm>
#include <cmath>

#include "simulation/calendar/ReferenceCalendar.h"
#include "support/TextFormat.h"

namespace lumetra::simulation {

namespace {

struct Range {
    const char* name;
    const char* unit;
    double low;
    double high;
};
// A little below zero is rounding (PVGIS writes -0.0 and an occasional -0.1 W/m²).
constexpr Range kGlobal = {"Globalstrahlung", "W/m²", -1, 1500};
constexpr Range kDiffuse = {"Diffusstrahlung", "W/m²", -1, 1500};
constexpr Range kTemperature = {"Lufttemperatur", "°C", -90, 60};
constexpr Range kWind = {"Windgeschwindigkeit", "m/s", 0, 100};

bool inRange(double value, const Range& range, int line, std::string* error) {
    if (std::isfinite(value) && value >= range.low && value <= range.high) {
        return true;
    }
    if (error != nullptr) {
        *error = lineError(line, std::string(range.name) + " " + formatString("%g", value) +
                                     " außerhalb " + formatString("%g", range.low) + " bis " +
                                     formatString("%g", range.high) + " " + range.unit);
    }
    return false;
}

std::string hourText(int month, int day, int hour) {
    return formatString("%d.%d. %02d:00", day, month, hour);
}

}  // namespace

std::string lineError(int line, std::string_view what) {
    return "Zeile " + std::to_string(line) + ": " + std::string(what);
}

WeatherRows::WeatherRows(WeatherFile& file) : file_(file) {
    for (auto* series : {&file.global, &file.diffuse, &file.temperature, &file.wind}) {
        series->clear();
        series->reserve(kHoursPerYear);
    }
}

bool WeatherRows::add(int line, int month, int day, int hour, double global, double diffuse,
                      double temperature, double wind, std::string* error) {
    if (month == 2 && day == 29) {
        return true;
    }
    const int expectedDay = hours_ / 24;
    const int expectedMonth = hours_ < kHoursPerYear ? monthOfDay(expectedDay) : 11;
    const int expectedDayOfMonth =
        expectedDay - kMonthStartDay[static_cast<std::size_t>(expectedMonth)] + 1;
    const int expectedHour = hours_ % 24;
    if (hours_ >= kHoursPerYear || month != expectedMonth + 1 || day != expectedDayOfMonth ||
        hour != expectedHour) {
        if (error != nullptr) {
            *error = lineError(
                line, hours_ >= kHoursPerYear
                          ? std::string("mehr als 8760 Stunden")
                          : "erwartet die Stunde " +
                                hourText(expectedMonth + 1, expectedDayOfMonth, expectedHour) +
                                ", gefunden " + hourText(month, day, hour));
        }
        return false;
    }
    if (!inRange(global, kGlobal, line, error) || !inRange(diffuse, kDiffuse, line, error) ||
        !inRange(temperature, kTemperature, line, error) || !inRange(wind, kWind, line, error)) {
        return false;
    }
    const double g = std::max(0.0, global);
    file_.global.push_back(static_cast<float>(g));
    file_.diffuse.push_back(static_cast<float>(std::clamp(diffuse, 0.0, g)));
    file_.temperature.push_back(static_cast<float>(temperature));
    file_.wind.push_back(static_cast<float>(wind));
    ++hours_;
    return true;
}

bool WeatherRows::complete(int line, std::string* error) const {
    if (hours_ == kHoursPerYear) {
        return true;
    }
    if (error != nullptr) {
        *error =
            lineError(line, "die Datei endet nach " + std::to_string(hours_) + " von 8760 Stunden");
    }
    return false;
}

}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "simulation/weather/WeatherFile.h"

namespace lumetra::simulation {

// What the three readers share: each hands its rows, in file order, to a collector that
// checks that they are the hours of a year in order and that their values are plausible.
class WeatherRows {
  public:
    explicit WeatherRows(WeatherFile& file);

    // One row: its date (month 1..12, day 1..31), the hour it begins (0..23) and its values.
    // False, with the message in `error`, when the row is not the next hour of the year or a
    // value is out of range. A 29 February is skipped.
    bool add(int line, int month, int day, int hour, double global, double diffuse,
             double temperature, double wind, std::string* error);

    // False, with the message, unless all 8,760 hours were given; `line` is where the file
    // ended.
    bool complete(int line, std::string* error) const;

  private:
    WeatherFile& file_;
    int hours_ = 0;
};

// "Zeile 12: <what>".
std::string lineError(int line, std::string_view what);

}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "simulation/weather/WeatherFile.h"

namespace lumetra::simulation {

// The reader of each format (parseWeatherFile picks one by the content).

// PVGIS's typical year as CSV: "Latitude (decimal degrees): 45.000", "Longitude ...",
// "Irradiance Time Offset (h): 0.1761" (0 when missing), the months' years, then the table
// "time(UTC),T2m,...,G(h),Gb(n),Gd(h),...,WS10m,..." with time stamps "20180101:0000" in UTC,
// up to the first empty line (a legend follows).
std::optional<WeatherFile> parsePvgisCsv(std::string_view bytes, std::string* error);

// The same as PVGIS's JSON: inputs.location.{latitude, longitude, irradiance_time_offset},
// outputs.tmy_hourly[] with the CSV's columns as members.
std::optional<WeatherFile> parsePvgisJson(std::string_view bytes, std::string* error);

// An EnergyPlus weather file: the LOCATION line (latitude, longitude, time zone), seven more
// header lines, then one line per hour (hour 1..24 ends at that hour of local standard time):
// dry bulb temperature (field 7), global and diffuse horizontal irradiation of the hour (14,
// 16, Wh/m²) and wind speed (22). PVGIS's own EPW files carry their rows in UTC with the
// irradiance's instant in a comment ("Irradiance Time Offset (h): -0.8239", to the end of the
// hour); they are read so.
std::optional<WeatherFile> parseEpw(std::string_view bytes, std::string* error);

}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "simulation/weather/WeatherFile.h"

namespace lumetra::evaluation {

// Reads the weather file a UTF-8 path names, as the window, the data file's line and the
// command line hold paths (simulation::readWeatherFile).
std::optional<simulation::WeatherFile> readWeatherFileAt(std::string_view path,
                                                         std::string* reason);

// A weather file this far or farther from the site is probably the wrong one.
inline constexpr double kWeatherDistanceWarning_km = 50.0;

// The distance of the file's coordinates from the site's, km.
double weatherDistance_km(const simulation::WeatherFile& file, double latitude_deg,
                          double longitude_deg);

// "Die Wetterdatei gilt für 45,00° N, 8,00° O, 312 km vom Standort entfernt." when the file
// lies more than kWeatherDistanceWarning_km from the site, else nothing.
std::optional<std::string> weatherDistanceWarning(const simulation::WeatherFile& file,
                                                  double latitude_deg, double longitude_deg);

// The message when the weather file named in a data file cannot be read: which file, why,
// and that the synthesized year stands in.
std::string missingWeatherMessage(std::string_view path, std::string_view reason);

// The message when a chosen weather file cannot be read; nothing changes.
std::string unreadableWeatherMessage(std::string_view path, std::string_view reason);

}  // namespace lumetra::evaluation

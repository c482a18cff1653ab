// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/WeatherChoice.h"

#include <cmath>
#include <filesystem>

#include "evaluation/GermanNumber.h"
#include "persistence/FileAccess.h"
#include "simulation/climate/Distance.h"

namespace lumetra::evaluation {

namespace {

std::string coordinate(double value, std::string_view positive, std::string_view negative) {
    return formatGerman(std::abs(value), 2) + "° " + std::string(value < 0 ? negative : positive);
}

}  // namespace

std::optional<simulation::WeatherFile> readWeatherFileAt(std::string_view path,
                                                         std::string* reason) {
    return simulation::readWeatherFile(lumetra::pathFromUtf8(path), reason);
}

double weatherDistance_km(const simulation::WeatherFile& file, double latitude_deg,
                          double longitude_deg) {
    return simulation::greatCircleDistance_km(file.latitude_deg, file.longitude_deg, latitude_deg,
                                              longitude_deg);
}

std::optional<std::string> weatherDistanceWarning(const simulation::WeatherFile& file,
                                                  double latitude_deg, double longitude_deg) {
    const double distance = weatherDistance_km(file, latitude_deg, longitude_deg);
    if (!(distance > kWeatherDistanceWarning_km)) {
        return std::nullopt;
    }
    return "Die Wetterdatei gilt für " + coordinate(file.latitude_deg, "N", "S") + ", " +
           coordinate(file.longitude_deg, "O", "W") + ", " + formatGerman(distance, 0) +
           " km vom Standort entfernt.";
}

std::string missingWeatherMessage(std::string_view path, std::string_view reason) {
    return "Die Wetterdatei " + std::string(path) + " kann nicht gelesen werden (" +
           std::string(reason) + "). Die Stundenbilanz rechnet mit dem synthetischen Wetterjahr.";
}

std::string unreadableWeatherMessage(std::string_view path, std::string_view reason) {
    return "Die Wetterdatei " + std::string(path) +
           " kann nicht gelesen werden: " + std::string(reason);
}

}  // namespace lumetra::evaluation

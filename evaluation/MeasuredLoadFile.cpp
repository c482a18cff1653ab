// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/MeasuredLoadFile.h"

#include <cmath>

#include "persistence/FileAccess.h"
#include "simulation/TableFiles.h"
#include "simulation/calendar/ReferenceYear.h"
#include "simulation/solar/SolarPosition.h"

namespace lumetra::evaluation {

namespace {

std::string fallbackMessage(const std::string& path, const std::string& reason) {
    return "Die Lastgangdatei " + path + " kann nicht gelesen werden (" + reason +
           "). Die Stundenbilanz rechnet mit dem simulierten Einzelhaushalt.";
}

}  // namespace

simulation::MeasuredLoadTarget measuredLoadTarget(const simulation::SimulationInput& input,
                                                  const simulation::ClimateTables* climate) {
    const double longitude = std::remainder(input.longitude_deg, 360.0);
    const bool insideGrid =
        climate != nullptr && climate->irradiation().contains(input.latitude_deg, longitude);
    const double meridian = simulation::timeZoneMeridian(longitude, insideGrid);
    return {simulation::kReferenceYear, static_cast<int>(std::lround(meridian / 15.0 * 60.0))};
}

std::optional<simulation::MeasuredLoad> readMeasuredLoadFile(
    const MeasuredLoadChoice& choice, const simulation::MeasuredLoadTarget& target,
    std::string* message) {
    std::string reason;
    if (choice.file.empty()) {
        if (message != nullptr) {
            *message =
                "Es ist keine Lastgangdatei gewählt. Die Stundenbilanz rechnet mit dem simulierten "
                "Einzelhaushalt.";
        }
        return std::nullopt;
    }
    const auto bytes = simulation::readTableFile(lumetra::pathFromUtf8(choice.file), &reason);
    if (!bytes) {
        if (message != nullptr) {
            *message = fallbackMessage(choice.file, reason);
        }
        return std::nullopt;
    }
    simulation::MeasuredLoadOptions options;
    options.column = choice.column;
    options.unit = choice.unit;
    auto load = simulation::readMeasuredLoad(*bytes, target, options, &reason);
    if (!load && message != nullptr) {
        *message = fallbackMessage(choice.file, reason);
    }
    return load;
}

}  // namespace lumetra::evaluation

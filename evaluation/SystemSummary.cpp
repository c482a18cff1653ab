// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/SystemSummary.h"

#include <array>
#include <cmath>

#include "evaluation/GermanNumber.h"

namespace lumetra::evaluation {

namespace {

// Fields shown one by one; more are counted.
constexpr std::size_t kFieldsNamed = 3;

}  // namespace

std::string directionName(double azimuth_deg) {
    static constexpr std::array<const char*, 8> kNames = {
        "Süden", "Südwesten", "Westen", "Nordwesten", "Norden", "Nordosten", "Osten", "Südosten"};
    const double turned = std::fmod(std::fmod(azimuth_deg, 360.0) + 360.0 + 22.5, 360.0);
    return kNames[static_cast<std::size_t>(turned / 45.0) % kNames.size()];
}

std::string systemSummary(const simulation::SimulationInput& input) {
    double peak = 0;
    for (const simulation::PlaneInput& plane : input.planes) {
        peak += plane.peakPower_kWp;
    }
    std::string text = formatWithUnit(peak, 1, "kWp");
    if (input.planes.size() > kFieldsNamed) {
        text += " in " + std::to_string(input.planes.size()) + " Modulfeldern";
    } else if (!input.planes.empty()) {
        text += " (";
        for (std::size_t i = 0; i < input.planes.size(); ++i) {
            const simulation::PlaneInput& plane = input.planes[i];
            text += (i > 0 ? "; " : "") + directionName(plane.azimuth_deg) + ", " +
                    formatGerman(plane.tilt_deg, 0) + "°";
        }
        text += ")";
    }
    text += input.batteryCapacity_kWh > 0
                ? ", Speicher " + formatWithUnit(input.batteryCapacity_kWh, 1, "kWh")
                : std::string(", ohne Speicher");
    const double demand = input.demand.household_kWh + input.demand.hotWater_kWh +
                          input.demand.heating_kWh + input.demand.cooling_kWh +
                          input.demand.car_kWh;
    text += ", Verbrauch " + formatWithUnit(demand, 0, "kWh/Jahr");
    if (input.grid.feedInLimit_fraction < 1) {
        text += ", Einspeisegrenze " + formatGermanPercent(input.grid.feedInLimit_fraction, 0);
    }
    if (input.grid.inverterPower_kW > 0) {
        text += ", Wechselrichter " + formatWithUnit(input.grid.inverterPower_kW, 1, "kW");
    }
    return text;
}

}  // namespace lumetra::evaluation

// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/household/HouseholdSimulation.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "simulation/household/ApplianceCalibration.h"
#include "simulation/household/ApplianceUse.h"
#include "simulation/household/HomeAppliances.h"
#include "simulation/household/HouseholdRandom.h"
#include "simulation/household/Lighting.h"
#include "simulation/household/Occupancy.h"
#include "simulation/household/QuarterHourEnergy.h"

namespace lumetra::simulation {

namespace {

double shareOfActivePeriods(const std::vector<std::uint8_t>& activeOccupants) {
    const auto active = std::count_if(activeOccupants.begin(), activeOccupants.end(),
                                      [](std::uint8_t n) { return n > 0; });
    return static_cast<double>(active) / static_cast<double>(activeOccupants.size());
}

// The quarter hours in kWh, scaled so that they sum to `annual_kWh`.
std::vector<double> scaledYear(const QuarterHourEnergy& energy, double annual_kWh) {
    std::vector<double> year(energy.wattMinutes());
    if (!(annual_kWh > 0) || !std::isfinite(annual_kWh)) {
        std::fill(year.begin(), year.end(), 0.0);
        return year;
    }
    double total = 0;
    for (double& value : year) {
        value = std::max(0.0, value);
        total += value;
    }
    if (!(total > 0)) {
        std::fill(year.begin(), year.end(), annual_kWh / static_cast<double>(year.size()));
        return year;
    }
    const double scale = annual_kWh / total;
    for (double& value : year) {
        value *= scale;
    }
    return year;
}

}  // namespace

HouseholdYear simulateHousehold(const HouseholdTables& tables, const HouseholdSpec& spec,
                                const HouseholdCalendar& calendar,
                                std::span<const double> irradiance_W_per_m2) {
    if (irradiance_W_per_m2.size() != static_cast<std::size_t>(kQuarterHoursPerYear)) {
        throw std::invalid_argument("simulateHousehold: one irradiance per quarter hour");
    }
    HouseholdRandom random(spec.seed);
    HouseholdYear year;
    year.householdSize = householdSizeForPersons(spec.persons);
    const std::vector<ClockPeriod> clock = clockPeriods(calendar);
    const std::vector<std::uint8_t> active =
        simulateActiveOccupants(tables, year.householdSize, clock, random);
    year.activeShare = shareOfActivePeriods(active);

    QuarterHourEnergy energy;
    year.lighting_kWh = simulateLighting(tables, active, irradiance_W_per_m2, random, energy) /
                        kWattMinutesPerKilowattHour;

    const std::vector<HomeAppliance> appliances = typicalHomeAppliances(tables, random);
    // The appliances make up what the lights leave, so the final scaling stays a small
    // correction.
    const double target_kWh = std::isfinite(spec.annual_kWh) ? spec.annual_kWh : 0.0;
    const ApplianceCalibration calibration =
        calibrateAppliances(appliances, year.activeShare, target_kWh - year.lighting_kWh);
    year.calibrationFactor = calibration.factor;
    const std::vector<int> starts =
        simulateApplianceUse(tables, appliances, calibration, clock, active, random, energy);
    year.appliances_kWh = energy.total() / kWattMinutesPerKilowattHour - year.lighting_kWh;
    for (std::size_t i = 0; i < appliances.size(); ++i) {
        year.appliances.push_back({appliances[i].index, starts[i], calibration.expectedStarts[i]});
    }
    year.quarterHours_kWh = scaledYear(energy, spec.annual_kWh);
    return year;
}

std::vector<double> simulateHouseholdYear(const HouseholdTables& tables, const HouseholdSpec& spec,
                                          const HouseholdCalendar& calendar,
                                          std::span<const double> irradiance_W_per_m2) {
    return std::move(
        simulateHousehold(tables, spec, calendar, irradiance_W_per_m2).quarterHours_kWh);
}

}  // namespace lumetra::simulation

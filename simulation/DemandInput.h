// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

#include "simulation/HouseholdLoad.h"

namespace lumetra::simulation {

// Annual electricity of each demand in kWh, and the household electricity's course. A new
// demand is one more figure here and in kDemandAnnuals, and its series in buildDemand.
struct DemandInput {
    double household_kWh = 0;
    double hotWater_kWh = 0;
    double heating_kWh = 0;
    double cooling_kWh = 0;
    double car_kWh = 0;
    HouseholdLoadInput householdLoad;

    bool operator==(const DemandInput&) const = default;
};

// The annual figures of the demands, in the order their series are built and reported.
inline constexpr std::array kDemandAnnuals = {
    &DemandInput::household_kWh, &DemandInput::hotWater_kWh, &DemandInput::heating_kWh,
    &DemandInput::cooling_kWh,   &DemandInput::car_kWh,
};
inline constexpr std::size_t kDemandKinds = kDemandAnnuals.size();

}  // namespace lumetra::simulation

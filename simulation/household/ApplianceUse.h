// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "simulation/household/ApplianceCalibration.h"
#include "simulation/household/HouseholdCalendar.h"
#include "simulation/household/QuarterHourEnergy.h"

namespace lumetra::simulation {

// Simulates the use of a home's appliances minute by minute (Richardson et al. 2010) and adds
// their draw to `energy`; returns the starts of each appliance. An appliance that is off and
// not waiting starts with the chance start scalar x activity chance (the activity table's value
// for the clock's period and the active occupants, 1 for "active occupancy" and "level") when
// someone is active or its profile is "level". It then draws its cycle power (televisions run
// round(70 (-ln(1 - u))^1.1) minutes, the washing machines follow their shape) and counts its
// cycle down; an appliance that depends on occupancy pauses while nobody is active, except
// laundry and "level" ones. After the cycle it waits its restart delay. Standby is drawn in
// every minute not running; cold appliances begin the year part of the way (up to twice)
// through a delay, so that they do not run in step.
std::vector<int> simulateApplianceUse(const HouseholdTables& tables,
                                      const std::vector<HomeAppliance>& appliances,
                                      const ApplianceCalibration& calibration,
                                      const std::vector<ClockPeriod>& clock,
                                      const std::vector<std::uint8_t>& activeOccupants,
                                      HouseholdRandom& random, QuarterHourEnergy& energy);

}  // namespace lumetra::simulation

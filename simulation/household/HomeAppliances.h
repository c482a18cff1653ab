// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

#include "simulation/household/HouseholdRandom.h"
#include "simulation/household/HouseholdTables.h"

namespace lumetra::simulation {

// Lines of Appliances.csv (0-based, in file order) with rules of their own.
inline constexpr std::array<int, 3> kTelevisionIndices = {14, 15, 16};
inline constexpr int kWashingMachineIndex = 26;
inline constexpr int kWasherDryerIndex = 27;
// From here on the appliances heat water or rooms: demands of their own in this program.
inline constexpr int kFirstHeatingApplianceIndex = 28;
// A home's appliance draws its own cycle power, normal around the table's mean with this
// relative deviation.
inline constexpr double kCyclePowerDeviation = 0.1;

// One appliance of a simulated home.
struct HomeAppliance {
    int index = 0;  // line of Appliances.csv
    const ApplianceType* type = nullptr;
    double cyclePower_W = 0;      // the home's own
    double cycleEnergy_Wmin = 0;  // one cycle of mean length, the washing shape included
};

// The appliances of the typical home (column "has" = 1; drawing ownership from the share of
// homes makes the calibration fail for most homes), without those that heat water or rooms,
// each with its cycle power drawn once.
std::vector<HomeAppliance> typicalHomeAppliances(const HouseholdTables& tables,
                                                 HouseholdRandom& random);

// The washing machine's and the washer dryer's power in minute `cycleMinute` (1-based) of a
// cycle: filling, heating, washing, spinning and rinsing at fixed powers for the first 133
// minutes, the home's rated power for the rest.
double washingCyclePower_W(int cycleMinute, double ratedPower_W);

bool hasWashingShape(int index);
bool isTelevision(int index);
// Fridges and freezers (category "Cold"), which begin the year part of the way through a
// restart delay.
bool isColdAppliance(const ApplianceType& type);

}  // namespace lumetra::simulation

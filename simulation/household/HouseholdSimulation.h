// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "simulation/household/HouseholdCalendar.h"
#include "simulation/household/HouseholdTables.h"

namespace lumetra::simulation {

// One simulated home.
struct HouseholdSpec {
    double persons = 1;      // rounded to 1..5; more than five use the tables of five
    double annual_kWh = 0;   // the year is scaled to this exactly
    std::uint64_t seed = 0;  // another seed, another home
};

// A simulated year and what it is made of.
struct HouseholdYear {
    std::vector<double> quarterHours_kWh;  // 35,040, summing to the annual figure
    int householdSize = 1;
    double activeShare = 0;        // share of the year with at least one active occupant
    double calibrationFactor = 0;  // c of the appliances' calibration
    double lighting_kWh = 0;       // as simulated, before the year is scaled
    double appliances_kWh = 0;     // as simulated (standby included), before the year is scaled
    struct Appliance {
        int index = 0;              // line of Appliances.csv
        int starts = 0;             // simulated
        double expectedStarts = 0;  // cycles per year x the appliance's c
    };
    std::vector<Appliance> appliances;
};

// The electricity of a single home in each quarter hour of the year (kWh), by the stochastic
// occupancy, appliance and lighting model of Richardson, Thomson, Infield and Clifford
// (2008, 2010): the occupancy chain, then the lights (which follow the outdoor irradiance),
// then the appliances, calibrated so that appliances and lights together are expected to use
// the annual figure; one-minute steps averaged to quarter hours and the year scaled to the
// annual figure exactly. Appliances that heat water or rooms are left out. The calendar's day
// kinds and daylight saving time set the home's clock; the result lies on the balance's axis
// (local standard time). `irradiance_W_per_m2` holds the global horizontal irradiance of each
// of the 35,040 quarter hours (std::invalid_argument otherwise). All draws come from one
// generator seeded with spec.seed: the same inputs give the same year.
HouseholdYear simulateHousehold(const HouseholdTables& tables, const HouseholdSpec& spec,
                                const HouseholdCalendar& calendar,
                                std::span<const double> irradiance_W_per_m2);

// The quarter hours alone.
std::vector<double> simulateHouseholdYear(const HouseholdTables& tables, const HouseholdSpec& spec,
                                          const HouseholdCalendar& calendar,
                                          std::span<const double> irradiance_W_per_m2);

}  // namespace lumetra::simulation

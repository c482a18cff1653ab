// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "simulation/household/HouseholdCalendar.h"
#include "simulation/household/HouseholdRandom.h"
#include "simulation/household/HouseholdTables.h"

namespace lumetra::simulation {

// The household size of the tables for a number of persons: rounded, 1..5 (more than five use
// the tables of five).
int householdSizeForPersons(double persons);

// The number of active occupants (at home and awake) in each ten-minute period of the year, by
// the first-order Markov chain of Richardson, Thomson and Infield (2008): the state of the
// first period drawn from the start distribution, every later one from the transition line of
// the clock's period before it and the current state. A clock day starts in the state the
// previous one ended in, whatever its day kind; a line of zeros (a state the survey never saw
// at that time) keeps the state.
std::vector<std::uint8_t> simulateActiveOccupants(const HouseholdTables& tables, int householdSize,
                                                  const std::vector<ClockPeriod>& clock,
                                                  HouseholdRandom& random);

}  // namespace lumetra::simulation

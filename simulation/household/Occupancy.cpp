// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/household/Occupancy.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace lumetra::simulation {

namespace {

// A state drawn from a distribution over 0..6; -1 when the distribution is all zero. The last
// state with weight takes what rounding leaves over.
int drawState(std::span<const double, kOccupancyStates> probabilities, double u) {
    int last = -1;
    for (int state = 0; state < kOccupancyStates; ++state) {
        const double p = probabilities[static_cast<std::size_t>(state)];
        if (p <= 0) {
            continue;
        }
        last = state;
        if (u < p) {
            return state;
        }
        u -= p;
    }
    return last;
}

}  // namespace

int householdSizeForPersons(double persons) {
    if (!(persons >= 1)) {
        return 1;
    }
    return static_cast<int>(std::min<double>(kLargestHouseholdSize, std::round(persons)));
}

std::vector<std::uint8_t> simulateActiveOccupants(const HouseholdTables& tables, int householdSize,
                                                  const std::vector<ClockPeriod>& clock,
                                                  HouseholdRandom& random) {
    const int size = std::clamp(householdSize, 1, kLargestHouseholdSize);
    std::vector<std::uint8_t> active(clock.size());
    if (clock.empty()) {
        return active;
    }
    int state =
        std::max(0, drawState(tables.start[clock[0].dayKind][static_cast<std::size_t>(size - 1)],
                              random.uniform()));
    active[0] = static_cast<std::uint8_t>(state);
    for (std::size_t p = 1; p < clock.size(); ++p) {
        const ClockPeriod& now = clock[p];
        if (!now.startsClockDay && now.period > 0) {
            const auto& line = tables.transition[static_cast<std::size_t>(size - 1)][now.dayKind]
                                                [now.period - 1u][static_cast<std::size_t>(state)];
            const int next = drawState(line, random.uniform());
            if (next >= 0) {
                state = next;
            }
        }
        active[p] = static_cast<std::uint8_t>(state);
    }
    return active;
}

}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/household/Occupancy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "simulation/household/HouseholdSupport.h"

namespace lumetra::simulation {
namespace {

constexpr int kSeeds = 12;

// The share of each clock hour (0..23 of the balance's axis) with someone active, over seeds.
std::array<double, 24> activeShareByHour(int householdSize, double* yearShare) {
    const std::vector<ClockPeriod> clock = clockPeriods(referenceHouseholdCalendar());
    std::array<double, 24> hours{};
    double active = 0;
    for (int seed = 0; seed < kSeeds; ++seed) {
        HouseholdRandom random(static_cast<std::uint64_t>(seed));
        const auto occupants =
            simulateActiveOccupants(*test::shippedHouseholdTables(), householdSize, clock, random);
        for (std::size_t p = 0; p < occupants.size(); ++p) {
            const bool someone = occupants[p] > 0;
            hours[p % kPeriodsPerDay / 6] += someone;
            active += someone;
        }
    }
    for (double& hour : hours) {
        hour /= kSeeds * kHouseholdDays * 6.0;
    }
    *yearShare = active / (kSeeds * static_cast<double>(kPeriodsPerYear));
    return hours;
}

// The share of the year with at least one active occupant that the model gives (Richardson,
// Thomson and Infield 2008, as reproduced for 2025 by a prototype of this simulation).
struct SizeCase {
    int size;
    double share;
};

class OccupancyBySize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(OccupancyBySize, ActiveShareOfTheYear) {
    double share = 0;
    activeShareByHour(GetParam().size, &share);
    EXPECT_NEAR(share, GetParam().share, 0.02);
}

INSTANTIATE_TEST_SUITE_P(Sizes, OccupancyBySize,
                         ::testing::Values(SizeCase{1, 0.39}, SizeCase{2, 0.48}, SizeCase{3, 0.51},
                                           SizeCase{4, 0.54}, SizeCase{5, 0.58}),
                         [](const auto& testCase) {
                             return std::to_string(testCase.param.size) + "Persons";
                         });

TEST(OccupancyTest, ThreePersonsSleepAtNightAndGatherInTheEvening) {
    double share = 0;
    const std::array<double, 24> hours = activeShareByHour(3, &share);
    for (int hour = 1; hour <= 4; ++hour) {
        EXPECT_LT(hours[hour], 0.08) << hour << " h";
    }
    for (int hour = 7; hour <= 14; ++hour) {
        EXPECT_GT(hours[hour], 0.52) << hour << " h";
        EXPECT_LT(hours[hour], 0.65) << hour << " h";
    }
    for (int hour = 17; hour <= 21; ++hour) {
        EXPECT_GT(hours[hour], 0.80) << hour << " h";
        EXPECT_LT(hours[hour], 0.93) << hour << " h";
    }
}

TEST(OccupancyTest, HouseholdSizeFromPersons) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, int> cases[] = {{0, 1},   {1, 1}, {1.4, 1}, {2.5, 3},
                                            {4.6, 5}, {5, 5}, {8, 5},   {nan, 1}};
    for (const auto& [persons, size] : cases) {
        EXPECT_EQ(householdSizeForPersons(persons), size) << persons;
    }
}

}  // namespace
}  // namespace lumetra::simulation

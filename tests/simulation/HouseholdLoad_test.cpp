// SPDX-License-Identifier: GPL-3.0-or-later
// The household's course in the hourly balance: the simulated home by default, the standard
// profile, a measured year, and what stands in when one is missing.
#include "simulation/HouseholdLoad.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>

#include "simulation/ClimateTables.h"
#include "simulation/HourlyBalance.h"
#include "simulation/SimulationSupport.h"

namespace lumetra::simulation {
namespace {

std::shared_ptr<const ClimateTables> tablesWithHomes() {
    static const auto tables = [] {
        DataSearch search;
        search.buildDataDir = LUMETRA_DATA_DIR;
        std::string error;
        auto loaded = loadClimateTables(search, &error);
        EXPECT_TRUE(loaded && loaded->household()) << error;
        return loaded;
    }();
    return tables;
}

SimulationInput household(HouseholdLoad kind, int otherHome = 0) {
    SimulationInput input = test::berlinHousehold();
    input.demand.householdLoad.kind = kind;
    input.demand.householdLoad.persons = 3;
    input.demand.householdLoad.otherHome = otherHome;
    return input;
}

double total(const std::vector<float>& series) {
    return std::accumulate(series.begin(), series.end(), 0.0);
}

TEST(HouseholdLoad, EveryProfileGivesTheAnnualFigureExactly) {
    // A measured year of another size, flat with an evening peak.
    auto measured = std::make_shared<std::vector<double>>(kStepCount, 0.05);
    for (std::size_t i = 72; i < measured->size(); i += kStepsPerDay) {
        (*measured)[i] = 1.5;
    }
    const double measuredSum = std::accumulate(measured->begin(), measured->end(), 0.0);
    struct Case {
        HouseholdLoad kind;
        bool scaled;
        double expected_kWh;
    };
    const Case cases[] = {
        {HouseholdLoad::Simulated, false, 4000},
        {HouseholdLoad::Standard, false, 4000},
        {HouseholdLoad::Measured, true, 4000},
        {HouseholdLoad::Measured, false, measuredSum},  // "wie gemessen"
    };
    HourlyBalance balance(tablesWithHomes());
    for (const Case& c : cases) {
        SimulationInput input = household(c.kind);
        input.demand.householdLoad.measured = measured;
        input.demand.householdLoad.measuredScaledToAnnual = c.scaled;
        const HourlyResult& result = balance.run(input);
        EXPECT_EQ(result.householdLoad, c.kind);
        EXPECT_NEAR(result.annual.demand_kWh, c.expected_kWh, 1e-9 * c.expected_kWh);
        // Energy is conserved step by step: what the house takes comes from somewhere.
        EXPECT_NEAR(result.annual.direct_kWh + result.annual.batteryDischarge_kWh +
                        result.annual.purchase_kWh,
                    result.annual.demand_kWh, 1e-6);
    }
}

TEST(HouseholdLoad, TheSameHomeLivesTheSameYearAndAnotherHomeAnother) {
    HourlyBalance first(tablesWithHomes());
    HourlyBalance second(tablesWithHomes());
    const std::vector<float> own = first.run(household(HouseholdLoad::Simulated)).steps.demand;
    EXPECT_EQ(second.run(household(HouseholdLoad::Simulated)).steps.demand, own);
    const std::vector<float> other =
        second.run(household(HouseholdLoad::Simulated, 1)).steps.demand;
    EXPECT_NE(other, own);
    EXPECT_NEAR(total(other), total(own), 1e-2);
    // Back to the first home after another one: the cache holds no stale year.
    EXPECT_EQ(second.run(household(HouseholdLoad::Simulated)).steps.demand, own);
    // Another household size, another home; another annual figure, the same home scaled.
    SimulationInput larger = household(HouseholdLoad::Simulated);
    larger.demand.householdLoad.persons = 5;
    EXPECT_NE(second.run(larger).steps.demand, own);
    EXPECT_NE(simulatedHomeSeed(3, 0), simulatedHomeSeed(5, 0));
    EXPECT_NE(simulatedHomeSeed(3, 0), simulatedHomeSeed(3, 1));
}

// The last few homes are kept: a home asked for again is the very year a fresh simulation
// gives, simulated once; one pushed out by newer homes, or under another weather, is simulated
// anew.
TEST(SimulatedHomeCache, KeepsTheLastHomesAndOnlyThose) {
    const HouseholdTables& tables = *tablesWithHomes()->household();
    const std::vector<double> sunny(35040, 300.0);
    struct Ask {
        double persons;
        double annual_kWh;
        std::uint64_t weatherVersion;
        std::size_t simulationsAfter;
    };
    const Ask asks[] = {
        {4, 3000, 1, 1}, {5, 3500, 1, 2}, {4, 3000, 1, 2},  // typed and taken back: kept
        {4, 3000, 2, 3},                                    // another weather year
        {1, 1500, 1, 4}, {2, 2000, 1, 5}, {3, 2500, 1, 6},  // four newer homes since (4, 3000, 1)
        {4, 3000, 1, 7},                                    // pushed out: simulated anew
        {3, 2500, 1, 7}, {2, 2000, 1, 7},                   // still kept
    };
    SimulatedHomeCache cache;
    SimulatedHomeCache fresh;
    for (const Ask& ask : asks) {
        const std::vector<double> year =
            cache.year(tables, ask.persons, ask.annual_kWh, 0, sunny, ask.weatherVersion);
        EXPECT_EQ(cache.simulations(), ask.simulationsAfter)
            << ask.persons << " persons, weather " << ask.weatherVersion;
        fresh = SimulatedHomeCache();
        EXPECT_EQ(year, fresh.year(tables, ask.persons, ask.annual_kWh, 0, sunny, 1));
    }
    EXPECT_LE(cache.memoryBytes(), SimulatedHomeCache::kHomesKept * 35040 * sizeof(double));
}

TEST(HouseholdLoad, MoreBatteryNeverCoversLessOfASimulatedHome) {
    HourlyBalance balance(tablesWithHomes());
    for (int home = 0; home < 3; ++home) {
        SimulationInput input = household(HouseholdLoad::Simulated, home);
        double previous = -1;
        for (double capacity = 0; capacity <= 12; capacity += 1.5) {
            input.batteryCapacity_kWh = capacity;
            const double selfSufficiency = balance.run(input).annual.selfSufficiency;
            EXPECT_GE(selfSufficiency, previous - 1e-12) << home << " " << capacity;
            previous = selfSufficiency;
        }
    }
}

TEST(HouseholdLoad, ASingleHomeCoversLessThanTheStandardProfile) {
    // The standard profile is the mean of many homes; one home's peaks miss the midday sun
    // more often, so it covers less of its demand with the same installation.
    HourlyBalance balance(tablesWithHomes());
    for (const double battery : {0.0, 5.0}) {
        SimulationInput simulated = household(HouseholdLoad::Simulated);
        SimulationInput standard = household(HouseholdLoad::Standard);
        simulated.batteryCapacity_kWh = standard.batteryCapacity_kWh = battery;
        const double home = balance.run(simulated).annual.selfSufficiency;
        const double profile = balance.run(standard).annual.selfSufficiency;
        EXPECT_LT(home, profile - 0.02) << battery;
    }
}

TEST(HouseholdLoad, WhatIsMissingIsReplacedAndSaid) {
    // A measured year that is not there, or not a whole year: the simulated home.
    HourlyBalance balance(tablesWithHomes());
    SimulationInput measured = household(HouseholdLoad::Measured);
    EXPECT_EQ(balance.run(measured).householdLoad, HouseholdLoad::Simulated);
    measured.demand.householdLoad.measured = std::make_shared<std::vector<double>>(96, 1.0);
    EXPECT_EQ(balance.run(measured).householdLoad, HouseholdLoad::Simulated);
    // Tables without the simulated home's: the standard profile.
    HourlyBalance withoutHomes(test::shippedClimate());
    const HourlyResult& result = withoutHomes.run(household(HouseholdLoad::Simulated));
    EXPECT_EQ(result.householdLoad, HouseholdLoad::Standard);
    EXPECT_NEAR(result.annual.demand_kWh, 4000, 1e-6);
}

}  // namespace
}  // namespace lumetra::simulation

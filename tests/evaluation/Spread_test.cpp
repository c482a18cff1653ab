// SPDX-License-Identifier: GPL-3.0-or-later
// The spread of simulated homes: percentiles and what a spread holds.
#include "evaluation/Spread.h"

#include <gtest/gtest.h>

#include "evaluation/HourlyInput.h"
#include "evaluation/SizingSweep.h"
#include "evaluation/SpreadTexts.h"

namespace lumetra::evaluation {
namespace {

TEST(Spread, PercentilesInterpolateBetweenRanks) {
    // Hyndman and Fan's definition 7 on 1..10: the p-th percentile lies at rank 1 + 9p.
    const Percentiles p = percentilesOf({10, 3, 1, 7, 2, 9, 4, 8, 6, 5});
    EXPECT_DOUBLE_EQ(p.p10, 1.9);
    EXPECT_DOUBLE_EQ(p.p50, 5.5);
    EXPECT_DOUBLE_EQ(p.p90, 9.1);
    const Percentiles one = percentilesOf({4.25});
    EXPECT_EQ(one.p10, 4.25);
    EXPECT_EQ(one.p90, 4.25);
}

std::shared_ptr<const simulation::ClimateTables> tables() {
    static const auto loaded = [] {
        DataSearch search;
        search.buildDataDir = LUMETRA_DATA_DIR;
        std::string error;
        return simulation::loadClimateTables(search, &error);
    }();
    return loaded;
}

SpreadRequest berlinRequest() {
    simulation::SimulationInput input;
    input.latitude_deg = 52.52;
    input.longitude_deg = 13.41;
    input.annualIrradiation_kWh_per_m2 = 1092;
    input.planes = {{4.0, 0.0, 35.0}};
    input.systemLosses_fraction = 0.10;
    input.demand.household_kWh = 4000;
    input.demand.householdLoad.persons = 3;
    EvaluationInputs inputs;
    return {hourlyInput(input, inputs, nullptr), inputs, tables()};
}

TEST(Spread, HomesSpreadInOrderAndTheBandFollowsTheBattery) {
    const auto spread = computeSpread(berlinRequest(), 8);
    ASSERT_TRUE(spread);
    EXPECT_EQ(spread->homes, 8);
    for (const Percentiles& p :
         {spread->selfSufficiency, spread->selfConsumptionShare, spread->npv_EUR}) {
        EXPECT_LT(p.p10, p.p50);
        EXPECT_LT(p.p50, p.p90);
    }
    EXPECT_GT(spread->selfSufficiency.p10, 0);
    EXPECT_LT(spread->selfSufficiency.p90, 1);
    ASSERT_EQ(spread->sizingBand.size(), sizingBatteryCapacities().size());
    // Without a battery the band is the spread itself (the request has none).
    EXPECT_DOUBLE_EQ(spread->sizingBand.front().selfSufficiency.p50, spread->selfSufficiency.p50);
    for (std::size_t k = 1; k < spread->sizingBand.size(); ++k) {
        EXPECT_GE(spread->sizingBand[k].selfSufficiency.p10,
                  spread->sizingBand[k - 1].selfSufficiency.p10 - 1e-12);
    }
    // The same request gives the same spread: every home has its seed.
    const auto again = computeSpread(berlinRequest(), 8);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->selfSufficiency.p50, spread->selfSufficiency.p50);
}

TEST(Spread, ACancelOrNothingToSpreadGivesNone) {
    const std::atomic<bool> cancel{true};
    EXPECT_FALSE(computeSpread(berlinRequest(), 5, &cancel));
    EXPECT_FALSE(computeSpread(berlinRequest(), 0));
    SpreadRequest withoutTables = berlinRequest();
    withoutTables.climate.reset();
    EXPECT_FALSE(computeSpread(withoutTables, 5));
}

TEST(Spread, TextsShowTheRangeInOrderAndWhatStoodIn) {
    EXPECT_EQ(percentRangeText({0.2781, 0.2953, 0.3124}), "27,8–31,2 % (Median 29,5 %)");
    EXPECT_EQ(euroRangeText({3587.4, 3971.6, 4356.6}), "3.587–4.357 Euro (Median 3.972 Euro)");
    EvaluationInputs inputs;
    inputs.otherHome = 3;
    EXPECT_EQ(householdProfileDescription(inputs, simulation::HouseholdLoad::Simulated),
              "Einzelhaushalt (simuliert), Haushalt 3");
    inputs.householdProfile = HouseholdProfile::Measured;
    EXPECT_NE(householdProfileDescription(inputs, simulation::HouseholdLoad::Simulated)
                  .find("simulierte Einzelhaushalt"),
              std::string::npos);
}

}  // namespace
}  // namespace lumetra::evaluation

// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/household/ApplianceCalibration.h"

#include <gtest/gtest.h>

#include "simulation/household/HouseholdCalendar.h"
#include "simulation/household/HouseholdSupport.h"
#include "test_support/TestSupport.h"

namespace lumetra::simulation {
namespace {

struct TargetCase {
    const char* name;
    double target_kWh;
    bool reachable;
};

class CalibrationTarget : public ::testing::TestWithParam<TargetCase> {};

TEST_P(CalibrationTarget, MeetsTheTargetAndLeavesEveryApplianceFreeTime) {
    HouseholdRandom random(3);
    const auto home = typicalHomeAppliances(*test::shippedHouseholdTables(), random);
    const double activeShare = 0.5;
    const ApplianceCalibration calibration =
        calibrateAppliances(home, activeShare, GetParam().target_kWh);
    if (GetParam().reachable) {
        EXPECT_TRUE(test::nearRelative(calibration.expected_kWh, GetParam().target_kWh, 1e-9));
    }
    for (std::size_t i = 0; i < home.size(); ++i) {
        const ApplianceType& type = *home[i].type;
        const double available = kMinutesPerYear * (type.occupancyDependent ? activeShare : 1.0);
        const double busy =
            calibration.expectedStarts[i] * (type.meanCycleLength_min + type.restartDelay_min);
        EXPECT_LT(busy, available) << type.name;
        EXPECT_GE(calibration.startScalar[i], 0) << type.name;
        EXPECT_TRUE(std::isfinite(calibration.startScalar[i])) << type.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, CalibrationTarget,
                         ::testing::Values(TargetCase{"Typical", 3500, true},
                                           TargetCase{"Large", 9000, true},
                                           TargetCase{"BelowStandby", 100, false},
                                           TargetCase{"Huge", 1e6, false}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace lumetra::simulation

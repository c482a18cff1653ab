// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/household/HomeAppliances.h"

#include <gtest/gtest.h>

#include "simulation/household/HouseholdSupport.h"

namespace lumetra::simulation {
namespace {

TEST(HomeAppliancesTest, TypicalHomeWithoutWaterAndRoomHeating) {
    HouseholdRandom random(1);
    const auto home = typicalHomeAppliances(*test::shippedHouseholdTables(), random);
    EXPECT_EQ(home.size(), 23u);
    for (const HomeAppliance& appliance : home) {
        EXPECT_LT(appliance.index, 28) << appliance.type->name;
    }
}

TEST(HomeAppliancesTest, WashingShapeStepsAtItsMinutes) {
    const std::pair<int, double> cases[] = {{1, 73},  {8, 73},    {9, 2056},  {29, 2056},
                                            {30, 73}, {92, 73},   {93, 250},  {94, 250},
                                            {95, 73}, {133, 250}, {134, 406}, {138, 406}};
    for (const auto& [minute, watts] : cases) {
        EXPECT_EQ(washingCyclePower_W(minute, 406), watts) << "minute " << minute;
    }
}

}  // namespace
}  // namespace lumetra::simulation

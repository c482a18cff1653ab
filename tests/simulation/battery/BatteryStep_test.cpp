// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/battery/BatteryStep.h"

#include <gtest/gtest.h>

#include <string>

namespace lumetra::simulation {
namespace {

// What goes in comes out, stored or lost: charge = stored + loss, discharge + loss = taken.
void expectEnergyConserved(double before, double balance, const BatteryStepResult& step,
                           const std::string& where) {
    const double stored = step.stateOfCharge_kWh - before;
    EXPECT_NEAR(step.charge_kWh - step.discharge_kWh, stored + step.loss_kWh, 1e-12) << where;
    EXPECT_LE(step.charge_kWh, std::max(balance, 0.0) + 1e-12) << where;
    EXPECT_LE(step.discharge_kWh, std::max(-balance, 0.0) + 1e-12) << where;
}

TEST(BatteryStepTest, EachLimitBindsInItsTurn) {
    BatteryParameters battery;  // 0.5 C, 95 % each way, down to empty
    battery.capacity_kWh = 10;
    struct Case {
        const char* name;
        double stateOfCharge;
        double balance;
        double charge;
        double discharge;
    };
    const Case cases[] = {
        {"small surplus, all stored", 5, 0.5, 0.5, 0},
        {"surplus above 0.5 C in a quarter hour (1.25 kWh)", 5, 3, 1.25, 0},
        {"nearly full: only the room left", 9.9, 1, 0.1 / 0.95, 0},
        {"full: nothing", 10, 1, 0, 0},
        {"small deficit, all delivered", 5, -0.4, 0, 0.4},
        {"deficit above 0.5 C", 5, -3, 0, 1.25},
        {"nearly empty: what is left, less the loss", 0.2, -1, 0, 0.2 * 0.95},
        {"empty: nothing", 0, -1, 0, 0},
        {"balanced: nothing", 5, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const BatteryStepResult step = batteryStep(c.stateOfCharge, c.balance, 0.25, battery);
        EXPECT_NEAR(step.charge_kWh, c.charge, 1e-12) << c.name;
        EXPECT_NEAR(step.discharge_kWh, c.discharge, 1e-12) << c.name;
        EXPECT_GE(step.stateOfCharge_kWh, 0) << c.name;
        EXPECT_LE(step.stateOfCharge_kWh, battery.capacity_kWh + 1e-12) << c.name;
        expectEnergyConserved(c.stateOfCharge, c.balance, step, c.name);
    }
}

TEST(BatteryStepTest, OwnLimitsEfficienciesAndLowestStateOfCharge) {
    BatteryParameters battery;
    battery.capacity_kWh = 8;
    battery.chargeRate_per_h = 1.0;
    battery.dischargeRate_per_h = 0.25;
    battery.chargeEfficiency = 0.9;
    battery.dischargeEfficiency = 0.8;
    battery.minimumStateOfCharge = 0.1;
    const BatteryStepResult charged = batteryStep(4, 5, 1.0, battery);
    EXPECT_NEAR(charged.charge_kWh, 4 / 0.9, 1e-12);  // the room, not the 8 kW limit
    EXPECT_NEAR(charged.stateOfCharge_kWh, 8, 1e-12);
    const BatteryStepResult limited = batteryStep(4, -5, 1.0, battery);
    EXPECT_NEAR(limited.discharge_kWh, 2, 1e-12);  // 0.25 C
    EXPECT_NEAR(limited.stateOfCharge_kWh, 4 - 2 / 0.8, 1e-12);
    const BatteryStepResult lowest = batteryStep(1.0, -5, 1.0, battery);
    EXPECT_NEAR(lowest.stateOfCharge_kWh, 0.8, 1e-12);  // never below 10 %
    EXPECT_NEAR(lowest.discharge_kWh, 0.2 * 0.8, 1e-12);
    EXPECT_EQ(batteryStep(0.8, -5, 1.0, battery).discharge_kWh, 0.0);
    for (const BatteryStepResult& step : {charged, limited, lowest}) {
        EXPECT_GE(step.loss_kWh, 0.0);
    }
    // Without a capacity there is no battery.
    EXPECT_EQ(batteryStep(0, 5, 1.0, BatteryParameters{}).charge_kWh, 0.0);
}

}  // namespace
}  // namespace lumetra::simulation

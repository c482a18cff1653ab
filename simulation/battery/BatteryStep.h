// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra::simulation {

// How a home battery charges and discharges, whatever its size. The defaults are the battery
// the hourly balance has always simulated: charge and discharge power 0.5 C, 95 % efficiency
// each way, usable down to empty.
struct BatteryBehaviour {
    double chargeRate_per_h = 0.5;      // highest charging power / capacity
    double dischargeRate_per_h = 0.5;   // highest discharging power / capacity
    double chargeEfficiency = 0.95;     // stored / taken from the surplus
    double dischargeEfficiency = 0.95;  // delivered / taken from the store
    double minimumStateOfCharge = 0;    // fraction of the capacity never discharged

    bool operator==(const BatteryBehaviour&) const = default;
};

// The home battery: its behaviour and its usable capacity.
struct BatteryParameters : BatteryBehaviour {
    double capacity_kWh = 0;  // usable; 0 = no battery
};

// One step's energies in kWh; the state of charge at the step's end.
struct BatteryStepResult {
    double charge_kWh = 0;     // taken from the surplus
    double discharge_kWh = 0;  // delivered into the deficit
    double loss_kWh = 0;       // converted to heat on the way in or out
    double stateOfCharge_kWh = 0;
};

// One step of `stepHours`: a surplus (`balance_kWh` > 0, PV left after the demand) charges the
// battery, a deficit (< 0) discharges it, each within the power limits, the room left and what
// is stored above the lowest state of charge. Never charged from the grid, never discharged
// into it.
BatteryStepResult batteryStep(double stateOfCharge_kWh, double balance_kWh, double stepHours,
                              const BatteryParameters& battery);

}  // namespace lumetra::simulation

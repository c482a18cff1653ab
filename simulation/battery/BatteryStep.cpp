// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/battery/BatteryStep.h"

#include <algorithm>

namespace lumetra::simulation {

BatteryStepResult batteryStep(double stateOfCharge_kWh, double balance_kWh, double stepHours,
                              const BatteryParameters& battery) {
    BatteryStepResult result;
    double soc = stateOfCharge_kWh;
    const double capacity = battery.capacity_kWh;
    if (balance_kWh > 0 && capacity > 0) {
        const double limit = battery.chargeRate_per_h * capacity * stepHours;
        const double charge = std::max(
            0.0, std::min({balance_kWh, limit, (capacity - soc) / battery.chargeEfficiency}));
        const double stored = charge * battery.chargeEfficiency;
        result.charge_kWh = charge;
        result.loss_kWh = charge - stored;
        soc = std::min(capacity, soc + stored);
    } else if (balance_kWh < 0) {
        const double lowest = battery.minimumStateOfCharge * capacity;
        if (soc > lowest) {
            const double limit = battery.dischargeRate_per_h * capacity * stepHours;
            const double discharge =
                std::min({-balance_kWh, limit, (soc - lowest) * battery.dischargeEfficiency});
            const double taken = discharge / battery.dischargeEfficiency;
            result.discharge_kWh = discharge;
            result.loss_kWh = taken - discharge;
            soc = std::max(lowest, soc - taken);
        }
    }
    result.stateOfCharge_kWh = soc;
    return result;
}

}  // namespace lumetra::simulation

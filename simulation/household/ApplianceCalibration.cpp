// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/household/ApplianceCalibration.h"

#include <algorithm>
#include <limits>

#include "simulation/household/HouseholdCalendar.h"
#include "simulation/household/QuarterHourEnergy.h"

namespace lumetra::simulation {

namespace {

constexpr int kBisectionSteps = 100;

// The minutes in a year in which an appliance may start at all.
double availableMinutes(const ApplianceType& type, double activeShare) {
    return kMinutesPerYear * (type.occupancyDependent ? activeShare : 1.0);
}

double busyMinutesPerCycle(const ApplianceType& type) {
    return type.meanCycleLength_min + type.restartDelay_min;
}

// The appliance's own factor: c, capped so that its free minutes stay positive.
double cappedFactor(const ApplianceType& type, double activeShare, double factor) {
    const double busy = type.cyclesPerYear * busyMinutesPerCycle(type);
    if (busy <= 0) {
        return factor;
    }
    return std::min(factor, (1 - kMinFreeShare) * availableMinutes(type, activeShare) / busy);
}

double expectedEnergy_kWh(const std::vector<HomeAppliance>& appliances, double activeShare,
                          double factor) {
    double wattMinutes = 0;
    for (const HomeAppliance& appliance : appliances) {
        const ApplianceType& type = *appliance.type;
        const double starts = type.cyclesPerYear * cappedFactor(type, activeShare, factor);
        const double running = std::min<double>(kMinutesPerYear, starts * type.meanCycleLength_min);
        wattMinutes +=
            starts * appliance.cycleEnergy_Wmin + type.standbyPower_W * (kMinutesPerYear - running);
    }
    return wattMinutes / kWattMinutesPerKilowattHour;
}

}  // namespace

ApplianceCalibration calibrateAppliances(const std::vector<HomeAppliance>& appliances,
                                         double activeShare, double target_kWh) {
    double low = 0;
    double high = kCalibrationFactorMax;
    if (expectedEnergy_kWh(appliances, activeShare, low) >= target_kWh) {
        high = low;
    } else if (expectedEnergy_kWh(appliances, activeShare, high) <= target_kWh) {
        low = high;
    }
    for (int step = 0; step < kBisectionSteps && high - low > 1e-12; ++step) {
        const double middle = (low + high) / 2;
        (expectedEnergy_kWh(appliances, activeShare, middle) < target_kWh ? low : high) = middle;
    }
    ApplianceCalibration calibration;
    calibration.factor = (low + high) / 2;
    calibration.expected_kWh = expectedEnergy_kWh(appliances, activeShare, calibration.factor);
    for (const HomeAppliance& appliance : appliances) {
        const ApplianceType& type = *appliance.type;
        const double starts =
            type.cyclesPerYear * cappedFactor(type, activeShare, calibration.factor);
        const double free =
            availableMinutes(type, activeShare) - starts * busyMinutesPerCycle(type);
        const double rate = free > 0 ? starts / free : std::numeric_limits<double>::infinity();
        calibration.expectedStarts.push_back(starts);
        calibration.startScalar.push_back(
            starts > 0 && type.activityProbability > 0 ? rate / type.activityProbability : 0);
    }
    return calibration;
}

}  // namespace lumetra::simulation

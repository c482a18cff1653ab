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
double availableMinutes(const ApplianceSpec& spec, double activeShare) {
    return kMinutesPerYear * (spec.occupancyDependent ? activeShare : 1.0);
}

double busyMinutesPerCycle(const ApplianceSpec& spec) {
    return spec.meanCycleLength_min + spec.restartDelay_min;
}

// The appliance's own factor: c, capped so that its free minutes stay positive.
double cappedFactor(const ApplianceSpec& spec, double activeShare, double factor) {
    const double busy = spec.cyclesPerYear * busyMinutesPerCycle(spec);
    if (busy <= 0) {
        return factor;
    }
    return std::min(factor, (1 - kMinFreeShare) * availableMinutes(spec, activeShare) / busy);
}

double expectedEnergy_kWh(const std::vector<HomeAppliance>& appliances, double activeShare,
                          double factor) {
    double wattMinutes = 0;
    for (const HomeAppliance& appliance : appliances) {
        const ApplianceSpec& spec = *appliance.spec;
        const double starts = spec.cyclesPerYear * cappedFactor(spec, activeShare, factor);
        const double running = std::min<double>(kMinutesPerYear, starts * spec.meanCycleLength_min);
        wattMinutes +=
            starts * appliance.cycleEnergy_Wmin + spec.standbyPower_W * (kMinutesPerYear - running);
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
        const ApplianceSpec& spec = *appliance.spec;
        const double starts =
            spec.cyclesPerYear * cappedFactor(spec, activeShare, calibration.factor);
        const double free =
            availableMinutes(spec, activeShare) - starts * busyMinutesPerCycle(spec);
        const double rate = free > 0 ? starts / free : std::numeric_limits<double>::infinity();
        calibration.expectedStarts.push_back(starts);
        calibration.startScalar.push_back(
            starts > 0 && spec.activityProbability > 0 ? rate / spec.activityProbability : 0);
    }
    return calibration;
}

}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/household/ApplianceUse.h"

#include <algorithm>
#include <cmath>

#include "simulation/household/FirstEvent.h"

namespace lumetra::simulation {

namespace {

// Television viewing times (Richardson et al. 2010): round(70 x (-ln(1 - u))^1.1) minutes.
constexpr double kTelevisionScale_min = 70;
constexpr double kTelevisionShape = 1.1;

constexpr int kHighestActiveLevel = kActivityTableOccupants - 1;
// A period's situation for an appliance: the clock's day kind and period and the active
// occupants (0..5); the start chance depends on nothing else.
constexpr int kSituationCount = 2 * kActivityTableOccupants * kPeriodsPerDay;

std::vector<std::uint16_t> periodSituations(const std::vector<ClockPeriod>& clock,
                                            const std::vector<std::uint8_t>& activeOccupants) {
    std::vector<std::uint16_t> situations(clock.size());
    for (std::size_t p = 0; p < clock.size(); ++p) {
        const int active = std::min<int>(activeOccupants[p], kHighestActiveLevel);
        situations[p] = static_cast<std::uint16_t>(
            (clock[p].dayKind * kActivityTableOccupants + active) * kPeriodsPerDay +
            clock[p].period);
    }
    return situations;
}

// The per-minute hazard of a start in each situation.
std::vector<double> startHazards(const HouseholdTables& tables, const ApplianceType& type,
                                 double startScalar) {
    std::vector<double> hazards(kSituationCount, 0.0);
    const auto code = static_cast<std::size_t>(type.profile);
    const bool hasActivityTable = code < kActivityTableCodes;
    for (std::size_t kind = 0; kind < 2; ++kind) {
        for (std::size_t active = 0; active < kActivityTableOccupants; ++active) {
            if (active == 0 && type.profile != ActivityProfile::Level) {
                continue;  // nobody there to switch it on
            }
            for (std::size_t period = 0; period < kPeriodsPerDay; ++period) {
                const double activity =
                    hasActivityTable ? tables.activity[kind][active][code][period] : 1.0;
                hazards[(kind * kActivityTableOccupants + active) * kPeriodsPerDay + period] =
                    hazardOfChance(startScalar * activity);
            }
        }
    }
    return hazards;
}

bool pausesWhileNobodyActive(const ApplianceType& type) {
    return type.occupancyDependent && type.profile != ActivityProfile::Laundry &&
           type.profile != ActivityProfile::Level;
}

int cycleLength_min(const HomeAppliance& appliance, HouseholdRandom& random) {
    if (isTelevision(appliance.index)) {
        return static_cast<int>(
            std::lround(kTelevisionScale_min * std::pow(random.exponential(), kTelevisionShape)));
    }
    return static_cast<int>(std::lround(appliance.type->meanCycleLength_min));
}

// Runs one cycle from its start minute and returns the minute after its last running one.
int runCycle(const HomeAppliance& appliance, int start, int length, bool pauses,
             const std::vector<std::uint8_t>& activeOccupants, QuarterHourEnergy& energy) {
    // Standby is counted in every minute; a running minute adds the difference.
    const double standby = appliance.type->standbyPower_W;
    const bool shaped = hasWashingShape(appliance.index);
    int minute = start;
    int done = 0;
    while (done < length && minute < kMinutesPerYear) {
        const int period = minute / kPeriodMinutes;
        const int periodEnd = std::min(kMinutesPerYear, (period + 1) * kPeriodMinutes);
        if (pauses && activeOccupants[static_cast<std::size_t>(period)] == 0) {
            minute = periodEnd;
            continue;
        }
        const int run = std::min(length - done, periodEnd - minute);
        if (shaped) {
            for (int k = 0; k < run; ++k) {
                energy.add(minute + k, minute + k + 1,
                           washingCyclePower_W(done + k + 1, appliance.cyclePower_W) - standby);
            }
        } else {
            energy.add(minute, minute + run, appliance.cyclePower_W - standby);
        }
        done += run;
        minute += run;
    }
    return minute;
}

}  // namespace

std::vector<int> simulateApplianceUse(const HouseholdTables& tables,
                                      const std::vector<HomeAppliance>& appliances,
                                      const ApplianceCalibration& calibration,
                                      const std::vector<ClockPeriod>& clock,
                                      const std::vector<std::uint8_t>& activeOccupants,
                                      HouseholdRandom& random, QuarterHourEnergy& energy) {
    const std::vector<std::uint16_t> situations = periodSituations(clock, activeOccupants);
    double standby_W = 0;
    for (const HomeAppliance& appliance : appliances) {
        standby_W += appliance.type->standbyPower_W;
    }
    energy.addEverywhere(standby_W);

    std::vector<int> starts(appliances.size(), 0);
    for (std::size_t i = 0; i < appliances.size(); ++i) {
        const HomeAppliance& appliance = appliances[i];
        const ApplianceType& type = *appliance.type;
        const std::vector<double> hazards = startHazards(tables, type, calibration.startScalar[i]);
        const auto hazardOf = [&](int period) {
            return hazards[situations[static_cast<std::size_t>(period)]];
        };
        const bool pauses = pausesWhileNobodyActive(type);
        const int delay = static_cast<int>(std::lround(type.restartDelay_min));
        int minute =
            isColdAppliance(type) ? static_cast<int>(std::floor(random.uniform() * 2 * delay)) : 0;
        while (minute < kMinutesPerYear) {
            const int start = firstEventMinute(minute, kPeriodMinutes, kPeriodsPerYear,
                                               random.exponential(), hazardOf);
            if (start < 0) {
                break;
            }
            ++starts[i];
            const int length = cycleLength_min(appliance, random);
            const int runEnd = runCycle(appliance, start, length, pauses, activeOccupants, energy);
            // The delay begins in the minute after the cycle; a cycle of no minutes (a
            // television rounded to 0) still takes its start minute.
            minute = std::max(runEnd, start + 1) + delay;
        }
    }
    return starts;
}

}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/household/Lighting.h"

#include <algorithm>

#include "simulation/household/FirstEvent.h"

namespace lumetra::simulation {

namespace {

// Occupancy changes every ten minutes and irradiance every quarter hour, so the chance of a
// switch-on is constant within five minutes.
constexpr int kBlockMinutes = 5;
constexpr int kBlockCount = kMinutesPerYear / kBlockMinutes;
constexpr int kOccupancyLevels = static_cast<int>(kEffectiveOccupancy.size());
// A block's situation: active occupants (0..5) + kOccupancyLevels if it is bright outside.
constexpr int kSituations = 2 * kOccupancyLevels;

std::vector<std::uint8_t> blockSituations(const std::vector<std::uint8_t>& activeOccupants,
                                          std::span<const double> irradiance, double threshold) {
    std::vector<std::uint8_t> situations(kBlockCount);
    for (int block = 0; block < kBlockCount; ++block) {
        const int minute = block * kBlockMinutes;
        const int active =
            std::min<int>(activeOccupants[minute / kPeriodMinutes], kOccupancyLevels - 1);
        const bool bright = irradiance[minute / kMinutesPerQuarterHour] >= threshold;
        situations[static_cast<std::size_t>(block)] =
            static_cast<std::uint8_t>(active + (bright ? kOccupancyLevels : 0));
    }
    return situations;
}

// The first minute after `on` (on < end) in which nobody is active, or `end`.
int lightsOutMinute(const std::vector<std::uint8_t>& activeOccupants, int on, int end) {
    int minute = on + 1;
    while (minute < end && activeOccupants[minute / kPeriodMinutes] > 0) {
        minute = std::min(end, (minute / kPeriodMinutes + 1) * kPeriodMinutes);
    }
    return minute;
}

}  // namespace

double simulateLighting(const HouseholdTables& tables,
                        const std::vector<std::uint8_t>& activeOccupants,
                        std::span<const double> irradiance_W_per_m2, HouseholdRandom& random,
                        QuarterHourEnergy& energy) {
    const std::vector<double>& bulbs = tables.lightBulbs_W[static_cast<std::size_t>(
        random.uniformInt(0, static_cast<int>(tables.lightBulbs_W.size()) - 1))];
    const double threshold =
        random.normal(kIrradianceThresholdMean_W_per_m2, kIrradianceThresholdDeviation_W_per_m2);
    const std::vector<std::uint8_t> situations =
        blockSituations(activeOccupants, irradiance_W_per_m2, threshold);

    double total_Wmin = 0;
    for (double rating_W : bulbs) {
        const double weighting = random.exponential() * kBulbUseScale;
        std::array<double, kSituations> hazard{};
        for (int active = 1; active < kOccupancyLevels; ++active) {
            const double chance = kEffectiveOccupancy[static_cast<std::size_t>(active)] * weighting;
            hazard[static_cast<std::size_t>(active)] = hazardOfChance(chance);
            hazard[static_cast<std::size_t>(active + kOccupancyLevels)] =
                hazardOfChance(chance * kBrightSwitchOnChance);
        }
        const auto hazardOf = [&](int block) {
            return hazard[situations[static_cast<std::size_t>(block)]];
        };
        int minute = 0;
        while (minute < kMinutesPerYear) {
            const int on = firstEventMinute(minute, kBlockMinutes, kBlockCount,
                                            random.exponential(), hazardOf);
            if (on < 0) {
                break;
            }
            const auto durationClass = static_cast<std::size_t>(
                random.uniformInt(0, static_cast<int>(kLightDurationLower_min.size()) - 1));
            const int duration = random.uniformInt(kLightDurationLower_min[durationClass],
                                                   kLightDurationUpper_min[durationClass]);
            const int off =
                lightsOutMinute(activeOccupants, on, std::min(on + duration, kMinutesPerYear));
            energy.add(on, off, rating_W);
            total_Wmin += rating_W * (off - on);
            minute = off;
        }
    }
    return total_Wmin;
}

}  // namespace lumetra::simulation

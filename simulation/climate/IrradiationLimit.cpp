// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/climate/IrradiationLimit.h"

#include <algorithm>
#include <cmath>

#include "simulation/calendar/ReferenceCalendar.h"
#include "simulation/solar/Extraterrestrial.h"
#include "simulation/solar/SolarPosition.h"
#include "support/Angles.h"

namespace lumetra::simulation {

MonthArray monthlyIrradiationLimit_kWh_per_m2(double latitude_deg) {
    // The sun of the reference year is the same for every latitude: computed once.
    static const std::array<SolarDay, kDaysPerYear> sunOfYear = [] {
        std::array<SolarDay, kDaysPerYear> days{};
        for (int d = 0; d < kDaysPerYear; ++d) {
            days[static_cast<std::size_t>(d)] = solarDay(d, 0, 0);
        }
        return days;
    }();
    const double phi = std::clamp(latitude_deg, -90.0, 90.0) * kDegreesToRadians;
    MonthArray limit{};
    limit.fill(kTwilightAllowance_kWh_per_m2);
    for (int d = 0; d < kDaysPerYear; ++d) {
        const SolarDay& sun = sunOfYear[static_cast<std::size_t>(d)];
        limit[static_cast<std::size_t>(monthOfDay(d))] +=
            dailyExtraterrestrialHorizontal_kWh_per_m2(phi, sun.declination_rad, sun.eccentricity);
    }
    return limit;
}

}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simulation/calendar/ReferenceYear.h"

namespace lumetra::simulation {

// Twilight lights a month without sunrise a little, and a table's values are rounded; no
// month's global horizontal irradiation exceeds its extraterrestrial one by more than this.
inline constexpr double kTwilightAllowance_kWh_per_m2 = 2.0;

// The most global horizontal irradiation each month of the reference year can bring at a
// latitude, kWh/m²: what reaches the top of the atmosphere on the horizontal (Duffie and
// Beckman 2013, eq. 1.10.3, day by day) plus kTwilightAllowance_kWh_per_m2. No atmosphere lets
// through more than arrives on top of it over a month, so a table above this is in other
// units or damaged.
MonthArray monthlyIrradiationLimit_kWh_per_m2(double latitude_deg);

}  // namespace lumetra::simulation

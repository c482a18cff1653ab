// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simulation/calendar/ReferenceYear.h"

namespace lumetra::simulation {

// The highest monthly mean clearness index a month may be given (clear-sky months of deserts
// reach about 0.75).
inline constexpr double kMaxMonthlyClearness = 0.75;

// Makes the monthly sums placeable: a month's irradiation above kMaxMonthlyClearness times its
// extraterrestrial irradiation (or any in a month of polar night) is moved to the other months
// in proportion to their irradiation, so the year keeps its sum wherever it can.
MonthArray placeableMonths(const MonthArray& monthly, const MonthArray& extraterrestrial);

// Daily global horizontal irradiation (kWh/m²) from the monthly sums and the daily
// extraterrestrial irradiation on a horizontal plane (kWh/m²).
//
// The daily clearness index follows the distribution of Bendt, Collares-Pereira and Rabl
// (1981; ClearnessDistribution) for the month's mean; successive days are correlated by a
// first-order autoregressive Gaussian sequence carried through the distribution (the transformation
// of Graham, Hollands and Unny, Solar Energy 40, 1988, with their typical lag-one correlation of
// 0.3). The sequence is seeded with a constant, so the same inputs give the same year. Each month
// is then scaled so that its days sum exactly to the monthly value, with no day above a clearness
// of 0.85.
DayArray dailyIrradiation(const MonthArray& monthly, const DayArray& extraterrestrial);

}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <vector>

#include "simulation/ClimateTables.h"
#include "simulation/DemandInput.h"
#include "simulation/WeatherYear.h"

namespace lumetra::simulation {

// The car is charged at home with this power until the day's energy is in.
inline constexpr double kWallboxPower_kW = 11.0;
// Charging starts at these hours of local standard time: after work on working days (Monday
// to Friday that are not holidays), late in the morning on Saturdays, Sundays and holidays.
inline constexpr int kCarWorkdayStartHour = 18;
inline constexpr int kCarWeekendStartHour = 11;

// Share of a day's hot-water electricity in each hour (sums to 1): a morning peak from 6 to
// 9 o'clock, an evening peak from 18 to 22 o'clock and a small standing loss at all hours.
// clang-format off
inline constexpr std::array<double, 24> kHotWaterHourShare = {
    0.010, 0.010, 0.010, 0.010, 0.010, 0.015, 0.080, 0.110, 0.090, 0.050, 0.030, 0.030,
    0.035, 0.030, 0.025, 0.025, 0.030, 0.040, 0.070, 0.090, 0.085, 0.070, 0.030, 0.015,
};
// clang-format on

// Indoor temperature against which the heating weight is counted, and the smallest weight of
// a step (the heat pump also covers standing losses in mild hours).
inline constexpr double kHeatingBalanceTemperature = 20.0;
inline constexpr double kHeatingMinWeight_K = 1.0;
// Temperature above which the cooling weight rises, and its smallest weight.
inline constexpr double kCoolingBalanceTemperature = 18.0;
inline constexpr double kCoolingMinWeight_K = 0.5;

// The demand of each step, kWh per step, with each annual sum exact:
//   household: `household` (the course of a simulated home or a measured year, any scale),
//     or when that is empty the standard load profile H25 of BDEW (2025) by month and day type,
//     multiplied by its dynamisation polynomial F(d) = -3.92e-10 d^4 + 3.2e-7 d^3 - 7.02e-5 d^2
//     + 0.0021 d + 1.24, scaled to the annual figure (south of the equator the profile's
//     months and the polynomial's days are moved by half a year);
//   hot water, car: a twelfth of the year in each month, as the monthly model splits them,
//     the same energy on each day of the month; hot water by kHotWaterHourShare, the car at
//     kWallboxPower_kW from the start hour of its day type;
//   heating, cooling: each month the monthly model's share of the year, spread over the
//     month's steps in proportion to max(20 °C - air temperature, 1 K) for heating and
//     max(air temperature - 18 °C, 0) + 0.5 K for cooling.
// `parts`, when given, receives each demand's series (household, hot water, heating, cooling,
// car) in that order.
void buildDemand(const LoadProfile& profile, const WeatherYear& weather, const DemandInput& input,
                 std::span<const double> household, std::vector<double>& total,
                 std::array<std::vector<double>, kDemandKinds>* parts = nullptr);

}  // namespace lumetra::simulation

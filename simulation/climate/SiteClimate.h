// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simulation/ClimateTables.h"
#include "simulation/calendar/ReferenceYear.h"

namespace lumetra::simulation {

// The site's monthly global horizontal irradiation, kWh/m², scaled so that the year equals
// `annualIrradiation` (the user's figure wins, the data give the shape):
//   inside the irradiation grid, the grid's months bilinear between the points around it;
//   beyond it, a constant clearness: each month in proportion to its extraterrestrial
//   irradiation on the horizontal at the site (`monthlyExtraterrestrial`), so that polar night
//   stays dark and the midnight sun's months are the brightest.
MonthArray siteMonthlyIrradiation(const ClimateTables& climate, double latitude_deg,
                                  double longitude_deg, double annualIrradiation,
                                  const MonthArray& monthlyExtraterrestrial, bool* insideGrid);

// Stations farther away than this do not give the site's temperatures on their own.
inline constexpr double kMaxStationDistance_km = 150.0;
// Farther away, the nearest stations are weighted by their inverse squared distance, each
// moved to the stations' median altitude by the standard atmosphere's lapse rate (ICAO: 6.5 K
// per km), since the site's own altitude is not known and a mountain station would make a
// valley cold.
inline constexpr int kWeightedStationCount = 4;
inline constexpr double kLapseRate_K_per_m = 0.0065;

// Monthly mean air temperature (°C) of tables without stations: the mean of the 198 German
// stations of MonthlyTemperature.csv (1991-2020).
inline constexpr MonthArray kDefaultMonthlyTemperature = {0.6,  1.2,  4.4,  8.7, 12.8, 16.1,
                                                          18.1, 17.7, 13.6, 9.2, 4.6,  1.5};

// The site's monthly mean air temperature, °C: the nearest station's within
// kMaxStationDistance_km (`fromStation` true), else the kWeightedStationCount nearest stations
// at the median altitude weighted by 1 / distance² (kDefaultMonthlyTemperature without
// stations), moved by six months south of the equator.
MonthArray siteMonthlyTemperature(const ClimateTables& climate, double latitude_deg,
                                  double longitude_deg, bool* fromStation);

}  // namespace lumetra::simulation

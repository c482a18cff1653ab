// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "simulation/ClimateTables.h"
#include "simulation/calendar/ReferenceYear.h"
#include "simulation/weather/WeatherFile.h"

namespace lumetra::simulation {

// The wind speed the module temperature assumes where the weather has none, m/s.
inline constexpr double kAssumedWind_m_per_s = 1.0;

// The weather of the reference year at one site, per quarter hour.
struct WeatherYear {
    double latitude_deg = 0;
    double longitude_deg = 0;
    double annualIrradiation = 0;  // kWh/m², the figure asked for (imported: the file's)
    bool imported = false;         // from a weather file, else synthesized
    bool insideGrid = false;       // monthly shape from the irradiation grid
    bool stationTemperature = false;
    double timeZoneMeridian_deg = 15;

    MonthArray monthlyIrradiation{};  // kWh/m², as placed (sums to the figure where possible)
    MonthArray monthlyTemperature{};  // °C
    DayArray dailyIrradiation{};      // kWh/m²
    DayArray dailyExtraterrestrial{};

    std::vector<double> globalHorizontal;  // W/m², mean of each step
    std::vector<float> ambient;            // °C, each step

    // The steps with daylight irradiance, and what every plane needs of them.
    struct Daylight {
        std::vector<int> step;
        std::vector<double> global;      // W/m² on the horizontal
        std::vector<double> diffuse;     // W/m² on the horizontal
        std::vector<double> beamNormal;  // W/m² on a plane facing the sun
        std::vector<double> sunEast;     // unit vector towards the sun
        std::vector<double> sunNorth;
        std::vector<double> sunUp;
        // The diffuse light split by Perez et al. (1990): circumsolar per cos(incidence)
        // (F1 D / max(cos zenith, cos 85°)), isotropic ((1 - F1) D) and horizon band (F2 D).
        std::vector<double> circumsolarPerCos;
        std::vector<double> isotropic;
        std::vector<double> horizon;
        std::vector<float> ambient;  // °C
        std::vector<float> wind;     // m/s
    } daylight;

    // The year's global horizontal irradiation, kWh/m².
    double annualGlobal_kWh_per_m2() const;
    std::size_t memoryBytes() const;
};

// Builds the weather year from the site's monthly climate (climate/SiteClimate), as a short
// composition of the models of solar/:
//   days from months: DailyClearness (Bendt et al. 1981, correlated day to day);
//   steps from days: Collares-Pereira and Rabl (1979) at the middle of each quarter hour,
//     normalised so that each day keeps its sum;
//   diffuse fraction: Erbs, Klein and Duffie (1982) of the step's clearness index;
//   sky brightness: Perez et al. (1990) with the air mass of Kasten and Young (1989);
//   air temperature: the monthly means interpolated between the middles of the months, with a
//     daily swing of 3 K + 10 K x the day's clearness index, lowest at 3:00 and highest at
//     15:00 solar time (a cosine, so each day keeps its mean); wind kAssumedWind_m_per_s.
void buildWeatherYear(const ClimateTables& climate, double latitude_deg, double longitude_deg,
                      double annualIrradiation, WeatherYear& weather);

// Builds the weather year from a real year of a weather file: its hours moved from the file's
// clock to the site's local standard time, and global and diffuse irradiance, air temperature
// and wind taken from it at each quarter hour (HourlySeries: the irradiance as the exact mean
// of straight lines between the file's instants, so that the year keeps the file's
// irradiation; temperature and wind at the quarter hour's middle). The little light those
// lines put before sunrise or after sunset goes to the day's nearest quarter hour with the sun
// up. Beam and sky brightness as for the synthesized year.
void buildImportedWeatherYear(const ClimateTables& climate, double latitude_deg,
                              double longitude_deg, const WeatherFile& file, WeatherYear& weather);

}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/climate/SiteClimate.h"

#include <gtest/gtest.h>

#include <numeric>

#include "simulation/SimulationSupport.h"
#include "simulation/WeatherYear.h"
#include "simulation/calendar/ReferenceCalendar.h"

namespace lumetra::simulation {
namespace {

using test::shippedClimate;

MonthArray monthlyExtraterrestrial(const WeatherYear& weather) {
    MonthArray months{};
    for (int d = 0; d < kDaysPerYear; ++d) {
        months[static_cast<std::size_t>(monthOfDay(d))] +=
            weather.dailyExtraterrestrial[static_cast<std::size_t>(d)];
    }
    return months;
}

TEST(SiteClimateTest, TheGridsShapeInsideAndAConstantClearnessBeyond) {
    bool inside = false;
    WeatherYear berlin;
    buildWeatherYear(*shippedClimate(), 52.6, 13.4, 1092, berlin);
    // Inside: the shape of the grid point, scaled to the user's figure.
    const MonthArray doubled = siteMonthlyIrradiation(*shippedClimate(), 52.6, 13.4, 2 * 1091.9,
                                                      monthlyExtraterrestrial(berlin), &inside);
    EXPECT_TRUE(inside);
    EXPECT_NEAR(doubled[6], 2 * (*shippedClimate()->irradiation().monthlyAt(52.6, 13.4))[6], 0.01);

    // Beyond: every month as clear as the year, polar night dark, the midnight sun bright.
    WeatherYear tromso;
    buildWeatherYear(*shippedClimate(), 69.65, 18.96, 650, tromso);
    const MonthArray extraterrestrial = monthlyExtraterrestrial(tromso);
    const MonthArray months =
        siteMonthlyIrradiation(*shippedClimate(), 69.65, 18.96, 650, extraterrestrial, &inside);
    EXPECT_FALSE(inside);
    const double clearness =
        650 / std::accumulate(extraterrestrial.begin(), extraterrestrial.end(), 0.0);
    for (std::size_t m = 0; m < 12; ++m) {
        EXPECT_NEAR(months[m], clearness * extraterrestrial[m], 1e-9) << m;
    }
    EXPECT_EQ(months[11], 0.0);
    EXPECT_GT(months[5], 3 * months[9]);
}

TEST(SiteClimateTest, TemperatureOfTheNearestStationOrOfTheNearestStationsWeighted) {
    bool fromStation = false;
    const MonthArray berlin = siteMonthlyTemperature(*shippedClimate(), 52.52, 13.41, &fromStation);
    EXPECT_TRUE(fromStation);
    EXPECT_GT(berlin[6], 17);
    EXPECT_LT(berlin[0], 3);

    // 45.0 N, 8.0 E, 310 km from the nearest station: the monthly means of T2m of PVGIS's
    // typical year there (tests/data/weather/) against the weighted stations. The Po valley is
    // warmer than southern Germany: 2.3 K on average, never more than 5 K in a month (the
    // German mean was 4.5 K too cold on average).
    const MonthArray typicalYear = {5.2,  7.0,  8.7,  12.4, 17.0, 22.5,
                                    21.9, 22.1, 20.2, 15.0, 6.3,  4.1};
    const MonthArray weighted = siteMonthlyTemperature(*shippedClimate(), 45.0, 8.0, &fromStation);
    EXPECT_FALSE(fromStation);
    double difference = 0;
    for (std::size_t m = 0; m < 12; ++m) {
        EXPECT_NEAR(weighted[m], typicalYear[m], 5.0) << m;
        difference += (weighted[m] - typicalYear[m]) / 12;
    }
    EXPECT_NEAR(difference, -2.3, 0.2);

    // South of the equator the seasons are half a year apart.
    const MonthArray south = siteMonthlyTemperature(*shippedClimate(), -45.0, 8.0, &fromStation);
    EXPECT_GT(south[0], south[6] + 10);
}

TEST(SiteClimateTest, StationsAgreeingAtTheLapseRateGiveTheirCommonValue) {
    // Three stations whose temperatures differ exactly by the standard atmosphere's lapse rate:
    // whatever their distances, the site gets the value at their median altitude (200 m).
    std::vector<TemperatureStation> stations;
    const double altitudes[] = {0, 200, 1400};
    const double longitudes[] = {10.0, 11.5, 14.0};
    for (int i = 0; i < 3; ++i) {
        TemperatureStation station;
        station.latitude_deg = 40;
        station.longitude_deg = longitudes[i];
        station.altitude_m = altitudes[i];
        station.months.fill(12.0 - kLapseRate_K_per_m * altitudes[i]);
        stations.push_back(station);
    }
    const ClimateTables climate(IrradiationGrid{}, stations, LoadProfile{});
    bool fromStation = true;
    const MonthArray site = siteMonthlyTemperature(climate, 35.0, 12.0, &fromStation);
    EXPECT_FALSE(fromStation);
    EXPECT_NEAR(site[3], 12.0 - kLapseRate_K_per_m * 200, 1e-9);

    // Tables without stations: the German mean.
    const ClimateTables none(IrradiationGrid{}, {}, LoadProfile{});
    EXPECT_EQ(siteMonthlyTemperature(none, 50, 10, &fromStation), kDefaultMonthlyTemperature);
}

}  // namespace
}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/WeatherYear.h"

#include <gtest/gtest.h>

#include <numeric>

#include "simulation/SimulationSupport.h"
#include "simulation/calendar/ReferenceCalendar.h"
#include "simulation/solar/Extraterrestrial.h"
#include "simulation/weather/WeatherSamples.h"
#include "test_support/TestSupport.h"

namespace lumetra::simulation {
namespace {

using test::nearRelative;
using test::shippedClimate;

double annualSum(const WeatherYear& weather) {
    return std::accumulate(weather.globalHorizontal.begin(), weather.globalHorizontal.end(), 0.0) *
           kStepHours / 1000.0;
}

TEST(WeatherYearTest, EachMonthAndTheYearSumToTheirInputs) {
    struct Case {
        const char* name;
        double latitude;
        double longitude;
        double irradiation;
    };
    const Case cases[] = {
        {"Berlin", 52.52, 13.41, 1092},
        {"Graz", 47.07, 15.44, 1278},
        {"Kiel, low figure", 54.32, 10.13, 800},
        {"Kapstadt", -33.9, 18.4, 1900},
        {"Quito", -0.2, -78.5, 1700},
        {"far too dark a figure", 52.52, 13.41, 60},
    };
    for (const Case& c : cases) {
        WeatherYear weather;
        buildWeatherYear(*shippedClimate(), c.latitude, c.longitude, c.irradiation, weather);
        EXPECT_TRUE(nearRelative(annualSum(weather), c.irradiation)) << c.name;
        for (std::size_t m = 0; m < 12; ++m) {
            double month = 0;
            for (int s = kMonthStartDay[m] * kStepsPerDay; s < kMonthStartDay[m + 1] * kStepsPerDay;
                 ++s) {
                month += weather.globalHorizontal[static_cast<std::size_t>(s)];
            }
            EXPECT_TRUE(nearRelative(month * kStepHours / 1000.0, weather.monthlyIrradiation[m]))
                << c.name << " month " << m;
        }
    }
}

TEST(WeatherYearTest, DaysVaryButKeepTheirPhysicalBounds) {
    WeatherYear weather;
    buildWeatherYear(*shippedClimate(), 52.52, 13.41, 1092, weather);
    int clearDays = 0;
    int darkDays = 0;
    for (int d = 0; d < kDaysPerYear; ++d) {
        const double clearness = weather.dailyIrradiation[static_cast<std::size_t>(d)] /
                                 weather.dailyExtraterrestrial[static_cast<std::size_t>(d)];
        EXPECT_GE(clearness, 0.0);
        EXPECT_LE(clearness, 0.85 + 1e-9) << "day " << d;
        clearDays += clearness > 0.6;
        darkDays += clearness < 0.2;
    }
    // A German year has both bright and dull days in numbers.
    EXPECT_GT(clearDays, 20);
    EXPECT_GT(darkDays, 20);
    for (std::size_t i = 0; i < weather.daylight.step.size(); ++i) {
        EXPECT_LE(weather.daylight.diffuse[i], weather.daylight.global[i] + 1e-9);
        EXPECT_LE(weather.daylight.beamNormal[i], kSolarConstant_W_per_m2 * 1.035);
    }
    // Reproducible: the same site gives the same year.
    WeatherYear again;
    buildWeatherYear(*shippedClimate(), 52.52, 13.41, 1092, again);
    EXPECT_EQ(weather.globalHorizontal, again.globalHorizontal);
}

TEST(WeatherYearTest, DailySwingKeepsTheMonthlyMeanTemperature) {
    WeatherYear weather;
    buildWeatherYear(*shippedClimate(), 52.52, 13.41, 1092, weather);
    // The daily swing keeps each month's mean near the station's.
    for (std::size_t m = 0; m < 12; ++m) {
        double sum = 0;
        for (int s = kMonthStartDay[m] * kStepsPerDay; s < kMonthStartDay[m + 1] * kStepsPerDay;
             ++s) {
            sum += weather.ambient[static_cast<std::size_t>(s)];
        }
        EXPECT_NEAR(sum / (kDaysInMonth[m] * kStepsPerDay), weather.monthlyTemperature[m], 1.0)
            << m;
    }
    // Afternoons are warmer than nights.
    const auto at = [&](int day, int hour) {
        return weather.ambient[static_cast<std::size_t>(day * kStepsPerDay + hour * kStepsPerHour)];
    };
    EXPECT_GT(at(180, 15), at(180, 3) + 2);
}

TEST(WeatherYearTest, AnImportedYearKeepsTheFilesIrradiationTemperatureAndClock) {
    std::string error;
    const auto file = readWeatherFile(test::weatherSample("csv"), &error);
    ASSERT_TRUE(file) << error;
    WeatherYear weather;
    buildImportedWeatherYear(*shippedClimate(), 45.0, 8.0, *file, weather);
    EXPECT_TRUE(weather.imported);
    EXPECT_NEAR(annualSum(weather), 1435.861, 1e-3);
    // The irradiance's centre of the day: the file's stamps weighted by G(h) average 11.348 h
    // UTC; with PVGIS's offset of 0.1761 h and central European time that is 12.524 h. A
    // clock off by an hour, or the offset taken the wrong way, moves it by far more than this.
    double weighted = 0;
    double sum = 0;
    for (int s = 0; s < kStepCount; ++s) {
        const double irradiance = weather.globalHorizontal[static_cast<std::size_t>(s)];
        weighted += irradiance * ((s % kStepsPerDay) + 0.5) * kStepHours;
        sum += irradiance;
    }
    EXPECT_NEAR(weighted / sum, 12.524, 0.01);
    // The monthly mean temperatures of the file's T2m.
    const MonthArray typicalYear = {5.2,  7.0,  8.7,  12.4, 17.0, 22.5,
                                    21.9, 22.1, 20.2, 15.0, 6.3,  4.1};
    for (std::size_t m = 0; m < 12; ++m) {
        EXPECT_NEAR(weather.monthlyTemperature[m], typicalYear[m], 0.1) << m;
    }
    for (std::size_t i = 0; i < weather.daylight.step.size(); ++i) {
        ASSERT_LE(weather.daylight.diffuse[i], weather.daylight.global[i]);
        ASSERT_GE(weather.daylight.wind[i], 0.0f);
    }
}

}  // namespace
}  // namespace lumetra::simulation

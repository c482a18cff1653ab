// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/weather/HourlySeries.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace lumetra::simulation {
namespace {

TEST(HourlySeriesTest, StraightLinesBetweenTheInstantsAroundTheYear) {
    const std::vector<float> values = {0, 10, 30, 0};
    const HourlySeries series(values, 0.25);
    EXPECT_DOUBLE_EQ(series.at(1.25), 10.0);
    EXPECT_DOUBLE_EQ(series.at(1.75), 20.0);
    // The year wraps: from the last value (3.25 h) back to the first (4.25 h).
    EXPECT_DOUBLE_EQ(series.at(0.0), 0.0);
    EXPECT_DOUBLE_EQ(series.at(-1.75), 30.0);
    EXPECT_DOUBLE_EQ(series.at(9.75), 20.0);
    // The mean of a line is its middle; across an instant the two lines share it.
    EXPECT_DOUBLE_EQ(series.meanOver(1.25, 2.25), 20.0);
    EXPECT_DOUBLE_EQ(series.meanOver(1.0, 1.5), (8.75 * 0.25 + 12.5 * 0.25) / 0.5);
}

TEST(HourlySeriesTest, TheWalkOverManyStepsGivesWhatSingleCallsGive) {
    std::mt19937 random(35040);
    std::vector<float> values(50);
    for (float& value : values) {
        value = std::uniform_real_distribution<float>(-5, 30)(random);
    }
    const HourlySeries series(values, 0.1761);
    std::vector<double> means;
    std::vector<double> points;
    for (const double start : {-3.3, 0.0, 12.125, 49.9}) {
        series.stepMeans(start, 0.25, 500, means);
        series.stepValues(start + 0.125, 0.25, 500, points);
        for (std::size_t i = 0; i < 500; ++i) {
            const double from = start + 0.25 * static_cast<double>(i);
            ASSERT_NEAR(means[i], series.meanOver(from, from + 0.25), 1e-9) << start << " " << i;
            ASSERT_NEAR(points[i], series.at(from + 0.125), 1e-9) << start << " " << i;
        }
    }
}

TEST(HourlySeriesTest, QuarterHourMeansKeepTheYearsSumWhateverTheShift) {
    std::mt19937 random(8760);
    std::vector<float> values(8760);
    for (float& value : values) {
        value = std::uniform_real_distribution<float>(0, 1000)(random);
    }
    const double sum = std::accumulate(values.begin(), values.end(), 0.0);
    for (const double instant : {0.0, 0.1761, 0.5, -0.8239}) {
        for (const double shift : {0.0, -1.0, 2.5, -5.75}) {
            const HourlySeries series(values, instant);
            std::vector<double> means;
            series.stepMeans(shift, 0.25, 4 * 8760, means);
            const double quarters = std::accumulate(means.begin(), means.end(), 0.0) * 0.25;
            EXPECT_NEAR(quarters, sum, 1e-9 * sum) << instant << " " << shift;
        }
    }
}

}  // namespace
}  // namespace lumetra::simulation

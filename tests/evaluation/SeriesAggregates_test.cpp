// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/SeriesAggregates.h"

#include <gtest/gtest.h>

#include <numeric>

#include "test_support/TestSupport.h"

namespace lumetra::evaluation {
namespace {

using simulation::kStepCount;
using simulation::kStepsPerDay;
using test::nearRelative;

simulation::StepSeries zeroSeries() {
    simulation::StepSeries steps;
    for (auto* series :
         {&steps.pv, &steps.demand, &steps.direct, &steps.batteryCharge, &steps.batteryDischarge,
          &steps.feedIn, &steps.purchase, &steps.stateOfCharge}) {
        series->assign(kStepCount, 0.0f);
    }
    return steps;
}

TEST(SeriesAggregates, MonthsCoverTheReferenceYear) {
    EXPECT_EQ(firstDayOfMonth(0), 0);
    EXPECT_EQ(firstDayOfMonth(5), 151);  // 1 June
    EXPECT_EQ(firstDayOfMonth(11) + daysInMonth(11), 365);
    EXPECT_EQ(daysInMonth(1), 28);
}

TEST(SeriesAggregates, AverageDayIsMeanPowerOfTheMonthsDaysOnly) {
    simulation::StepSeries steps = zeroSeries();
    // 0.5 kWh in the noon quarter hour of every June day, and something in May and July that
    // must not count.
    for (int day = 0; day < 365; ++day) {
        const std::size_t noon = static_cast<std::size_t>(day * kStepsPerDay + 48);
        steps.pv[noon] = day >= 151 && day < 181 ? 0.5f : 9.0f;
        steps.batteryCharge[noon] = 0.25f;
        steps.purchase[noon + 1] = 0.1f;
    }
    const DayProfile june = averageDay(steps, 5);
    EXPECT_TRUE(nearRelative(june.pv[48], 2.0, 1e-6));        // 0.5 kWh in 15 min = 2 kW
    EXPECT_TRUE(nearRelative(june.battery[48], -1.0, 1e-6));  // charging counts negative
    EXPECT_TRUE(nearRelative(june.grid[49], 0.4, 1e-6));
    EXPECT_DOUBLE_EQ(june.pv[47], 0.0);
}

TEST(SeriesAggregates, DailyStateOfChargeRangesAndHourlySurplusSums) {
    simulation::StepSeries steps = zeroSeries();
    for (int q = 0; q < kStepsPerDay; ++q) {
        steps.stateOfCharge[static_cast<std::size_t>(kStepsPerDay + q)] = static_cast<float>(q);
    }
    steps.pv[4] = 1.0f;
    steps.pv[5] = 1.0f;
    steps.demand[6] = 0.5f;
    const std::vector<DailyRange> days = dailyStateOfCharge(steps);
    ASSERT_EQ(days.size(), 365u);
    EXPECT_DOUBLE_EQ(days[1].minimum, 0);
    EXPECT_DOUBLE_EQ(days[1].maximum, 95);
    EXPECT_DOUBLE_EQ(days[1].mean, 47.5);
    const std::vector<double> surplus = hourlySurplus(steps);
    ASSERT_EQ(surplus.size(), 365u * 24);
    EXPECT_DOUBLE_EQ(surplus[1], 1.5);  // steps 4..7 are the second hour
    EXPECT_DOUBLE_EQ(std::accumulate(surplus.begin(), surplus.end(), 0.0), 1.5);
}

TEST(SeriesAggregates, IncompleteSeriesGiveNothing) {
    const simulation::StepSeries empty;
    EXPECT_DOUBLE_EQ(averageDay(empty, 5).pv[48], 0.0);
    EXPECT_TRUE(dailyStateOfCharge(empty).empty());
    EXPECT_TRUE(hourlySurplus(empty).empty());
}

}  // namespace
}  // namespace lumetra::evaluation

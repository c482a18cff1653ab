// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/household/HouseholdSimulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "simulation/DemandSeries.h"
#include "simulation/household/HouseholdSupport.h"
#include "test_support/TestSupport.h"

namespace lumetra::simulation {
namespace {

using test::berlinWeather;
using test::shippedHouseholdTables;

HouseholdYear simulate(const HouseholdSpec& spec, std::span<const double> irradiance) {
    return simulateHousehold(*shippedHouseholdTables(), spec, referenceHouseholdCalendar(),
                             irradiance);
}

HouseholdYear simulateBerlin(const HouseholdSpec& spec) {
    return simulate(spec, berlinWeather().globalHorizontal);
}

std::array<double, 24> byHour(const std::vector<double>& quarterHours) {
    std::array<double, 24> hours{};
    for (std::size_t q = 0; q < quarterHours.size(); ++q) {
        hours[q % 96 / 4] += quarterHours[q];
    }
    return hours;
}

double correlation(const std::array<double, 24>& a, const std::array<double, 24>& b) {
    const double meanA = std::accumulate(a.begin(), a.end(), 0.0) / 24;
    const double meanB = std::accumulate(b.begin(), b.end(), 0.0) / 24;
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t h = 0; h < 24; ++h) {
        ab += (a[h] - meanA) * (b[h] - meanB);
        aa += (a[h] - meanA) * (a[h] - meanA);
        bb += (b[h] - meanB) * (b[h] - meanB);
    }
    return ab / std::sqrt(aa * bb);
}

double peak_kW(const std::vector<double>& quarterHours_kWh) {
    return *std::max_element(quarterHours_kWh.begin(), quarterHours_kWh.end()) * 4;
}

struct SumCase {
    const char* name;
    double persons;
    double annual_kWh;
};

class HouseholdYearSum : public ::testing::TestWithParam<SumCase> {};

TEST_P(HouseholdYearSum, IsTheAnnualFigureExactly) {
    const SumCase& c = GetParam();
    const std::vector<double> year = simulateBerlin({c.persons, c.annual_kWh, 7}).quarterHours_kWh;
    ASSERT_EQ(year.size(), 35'040u);
    EXPECT_TRUE(std::all_of(year.begin(), year.end(), [](double e) { return e >= 0; }));
    const double sum = std::accumulate(year.begin(), year.end(), 0.0);
    if (c.annual_kWh > 0) {
        EXPECT_TRUE(test::nearRelative(sum, c.annual_kWh, 1e-12));
    } else {
        EXPECT_EQ(sum, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Homes, HouseholdYearSum,
                         ::testing::Values(SumCase{"Single1500", 1, 1500},
                                           SumCase{"Family4000", 3, 4000},
                                           SumCase{"Large9000", 7, 9000},
                                           SumCase{"Tiny300", 2, 300}, SumCase{"None", 2, 0}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(HouseholdSimulationTest, SameSeedSameYearAnotherSeedAnother) {
    const auto first = simulateBerlin({3, 4000, 42}).quarterHours_kWh;
    EXPECT_EQ(simulateBerlin({3, 4000, 42}).quarterHours_kWh, first);
    const auto other = simulateBerlin({3, 4000, 43}).quarterHours_kWh;
    std::size_t differing = 0;
    for (std::size_t q = 0; q < first.size(); ++q) {
        differing += first[q] != other[q];
    }
    EXPECT_GT(differing, first.size() / 2);
}

TEST(HouseholdSimulationTest, AppliancesStartAboutAsOftenAsCalibrated) {
    std::vector<double> starts(kApplianceCount, 0);
    std::vector<double> expected(kApplianceCount, 0);
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        for (const auto& appliance : simulateBerlin({3, 4000, seed}).appliances) {
            starts[static_cast<std::size_t>(appliance.index)] += appliance.starts;
            expected[static_cast<std::size_t>(appliance.index)] += appliance.expectedStarts;
        }
    }
    int checked = 0;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        if (expected[i] < 400) {
            continue;  // too few starts for a tight bound
        }
        ++checked;
        // Published for the model: 1.0 to 1.16 times the calibrated starts.
        EXPECT_GT(starts[i] / expected[i], 0.9) << shippedHouseholdTables()->appliances[i].name;
        EXPECT_LT(starts[i] / expected[i], 1.22) << shippedHouseholdTables()->appliances[i].name;
    }
    EXPECT_GE(checked, 15);
}

TEST(HouseholdSimulationTest, LightsFollowTheIrradiance) {
    const std::vector<double> dark(35'040, 0.0);
    const std::vector<double> bright(35'040, 1000.0);
    const double darkLights = simulate({3, 4000, 5}, dark).lighting_kWh;
    const double berlinLights = simulateBerlin({3, 4000, 5}).lighting_kWh;
    const double brightLights = simulate({3, 4000, 5}, bright).lighting_kWh;
    EXPECT_GT(darkLights, berlinLights);
    EXPECT_GT(berlinLights, brightLights);
    // In daylight a light is only considered in one of twenty minutes.
    EXPECT_LT(brightLights, 0.1 * darkLights);
}

// Thirty homes of three persons at 4,000 kWh in Berlin, against the standard profile H25 of the
// same year and energy.
class ManyHomes : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        mean_ = new std::vector<double>(35'040, 0.0);
        peaks_ = new std::vector<double>();
        for (std::uint64_t seed = 100; seed < 130; ++seed) {
            const auto year = simulateBerlin({3, 4000, seed}).quarterHours_kWh;
            for (std::size_t q = 0; q < year.size(); ++q) {
                (*mean_)[q] += year[q] / 30;
            }
            peaks_->push_back(peak_kW(year));
        }
        DemandInput demand;
        demand.household_kWh = 4000;
        standard_ = new std::vector<double>();
        buildDemand(test::shippedClimate()->loadProfile(), berlinWeather(), demand, {}, *standard_);
    }
    static void TearDownTestSuite() {
        delete mean_;
        delete peaks_;
        delete standard_;
    }
    static std::vector<double>* mean_;
    static std::vector<double>* peaks_;
    static std::vector<double>* standard_;
};
std::vector<double>* ManyHomes::mean_ = nullptr;
std::vector<double>* ManyHomes::peaks_ = nullptr;
std::vector<double>* ManyHomes::standard_ = nullptr;

TEST_F(ManyHomes, MeanFollowsTheStandardProfileByHour) {
    const std::array<double, 24> homes = byHour(*mean_);
    const std::array<double, 24> standard = byHour(*standard_);
    EXPECT_GT(correlation(homes, standard), 0.95);
    // About half of the standard profile at night, more in the evening.
    for (int hour = 1; hour <= 4; ++hour) {
        EXPECT_NEAR(homes[hour] / standard[hour], 0.5, 0.15) << hour << " h";
    }
    for (int hour = 17; hour <= 21; ++hour) {
        EXPECT_GT(homes[hour] / standard[hour], 1.05) << hour << " h";
    }
}

TEST_F(ManyHomes, OneHomePeaksFarAboveTheStandardProfile) {
    EXPECT_NEAR(peak_kW(*standard_), 0.9, 0.1);
    for (double peak : *peaks_) {
        EXPECT_GT(peak, 4.5);
        EXPECT_LT(peak, 8.5);
    }
    // Averaging many homes smooths the peaks away.
    EXPECT_LT(peak_kW(*mean_), 1.5);
}

}  // namespace
}  // namespace lumetra::simulation

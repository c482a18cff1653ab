// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/HourlyBalance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <tuple>

#include "simulation/SimulationSupport.h"
#include "simulation/calendar/ReferenceCalendar.h"
#include "simulation/weather/WeatherSamples.h"
#include "test_support/TestSupport.h"

namespace lumetra::simulation {
namespace {

using test::berlinHousehold;
using test::nearRelative;
using test::shippedClimate;

// The three balances of a year or a month, each to 1e-9 of its scale.
void expectBalancesClose(const FlowSums& s, double storedChange, const std::string& where) {
    const double scale = std::max({s.yield_kWh, s.demand_kWh, 1.0});
    EXPECT_NEAR(s.yield_kWh, s.direct_kWh + s.batteryCharge_kWh + s.feedIn_kWh + s.curtailed_kWh,
                1e-9 * scale)
        << where;
    EXPECT_NEAR(s.demand_kWh, s.direct_kWh + s.batteryDischarge_kWh + s.purchase_kWh, 1e-9 * scale)
        << where;
    EXPECT_NEAR(s.batteryCharge_kWh - s.batteryDischarge_kWh, s.batteryLoss_kWh + storedChange,
                1e-9 * scale)
        << where;
}

double storedAtEndOfStep(const HourlyResult& r, int step) {
    return step < 0 ? r.steps.stateOfCharge.back() : r.steps.stateOfCharge[step];
}

TEST(HourlyBalanceTest, BalancesCloseForRandomInputs) {
    HourlyBalance balance(shippedClimate());
    std::mt19937 random(20261207);
    auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    for (int trial = 0; trial < 12; ++trial) {
        SimulationInput input;
        input.latitude_deg = uniform(-60, 65);
        input.longitude_deg = uniform(-180, 180);
        input.annualIrradiation_kWh_per_m2 = uniform(600, 2000);
        const int planes = 1 + trial % 4;
        for (int p = 0; p < planes; ++p) {
            input.planes.push_back({uniform(0.1, 15), uniform(-180, 180), uniform(0, 90)});
        }
        input.systemLosses_fraction = uniform(0, 0.3);
        input.demand.household_kWh = uniform(0, 8000);
        input.demand.hotWater_kWh = uniform(0, 2000);
        input.demand.heating_kWh = uniform(0, 6000);
        input.demand.cooling_kWh = uniform(0, 1000);
        input.demand.car_kWh = uniform(0, 4000);
        input.batteryCapacity_kWh = trial % 3 == 0 ? 0 : uniform(1, 20);
        BatteryBehaviour& battery = input.batteryBehaviour;
        if (trial % 2 == 1) {
            battery = {uniform(0.2, 2), uniform(0.2, 2), uniform(0.8, 1), uniform(0.8, 1),
                       uniform(0, 0.3)};
        }
        // Every feed-in limit offered and others, with and without an inverter that clips.
        const double limits[] = {1, 0.7, 0.6, uniform(0, 1)};
        input.grid.feedInLimit_fraction = limits[trial % 4];
        double peak = 0;
        for (const PlaneInput& plane : input.planes) {
            peak += plane.peakPower_kWp;
        }
        input.grid.inverterPower_kW = trial % 3 == 1 ? uniform(0.3, 1.2) * peak : 0;
        input.electricityPrice_EUR_per_kWh = 0.3;
        input.feedInTariff_EUR_per_kWh = 0.08;
        const std::string where = "trial " + std::to_string(trial);

        const HourlyResult& r = balance.run(input);
        // The year starts with what the year ends with: no net change of the stored energy.
        expectBalancesClose(r.annual, 0.0, where);
        EXPECT_NEAR(r.steps.stateOfCharge.back(),
                    r.steps.stateOfCharge.front() -
                        r.steps.batteryCharge.front() * battery.chargeEfficiency +
                        r.steps.batteryDischarge.front() / battery.dischargeEfficiency,
                    1e-5 * std::max(1.0, input.batteryCapacity_kWh))
            << where;
        for (int m = 0; m < 12; ++m) {
            const int lastStep = kMonthStartDay[m + 1] * kStepsPerDay - 1;
            const int stepBefore = kMonthStartDay[m] * kStepsPerDay - 1;
            const double change = storedAtEndOfStep(r, lastStep) - storedAtEndOfStep(r, stepBefore);
            // The steps hold floats; the month sums are exact, the stored state to float.
            const FlowSums& month = r.monthly[m];
            const double scale = std::max({month.yield_kWh, month.demand_kWh, 1.0});
            EXPECT_NEAR(
                month.yield_kWh,
                month.direct_kWh + month.batteryCharge_kWh + month.feedIn_kWh + month.curtailed_kWh,
                1e-9 * scale)
                << where << " month " << m;
            EXPECT_NEAR(month.demand_kWh,
                        month.direct_kWh + month.batteryDischarge_kWh + month.purchase_kWh,
                        1e-9 * scale)
                << where << " month " << m;
            EXPECT_NEAR(month.batteryCharge_kWh - month.batteryDischarge_kWh,
                        month.batteryLoss_kWh + change,
                        1e-5 * std::max(1.0, input.batteryCapacity_kWh))
                << where << " month " << m;
        }
        const float capacity = static_cast<float>(input.batteryCapacity_kWh);
        const float lowest = capacity * static_cast<float>(battery.minimumStateOfCharge);
        for (float soc : r.steps.stateOfCharge) {
            ASSERT_GE(soc, lowest * 0.999999f) << where;
            ASSERT_LE(soc, capacity * 1.000001f) << where;
        }
        // Nothing beyond the limits reaches the grid; what is curtailed is never negative.
        const double feedInLimit = input.grid.feedInLimit_fraction * peak * kStepHours;
        const double output = input.grid.inverterPower_kW > 0
                                  ? input.grid.inverterPower_kW * kStepHours
                                  : std::numeric_limits<double>::infinity();
        for (int i = 0; i < kStepCount; ++i) {
            ASSERT_LE(r.steps.feedIn[i], feedInLimit * 1.000001 + 1e-9) << where << " step " << i;
            ASSERT_LE(r.steps.direct[i] + r.steps.batteryCharge[i] + r.steps.feedIn[i],
                      output * 1.000001 + 1e-9)
                << where << " step " << i;
            ASSERT_GE(r.steps.curtailed[i], 0.0f) << where << " step " << i;
        }
        // Money: the year without the installation costs the demand at the price.
        EXPECT_TRUE(nearRelative(r.annual.costWithout_EUR, 0.3 * r.annual.demand_kWh));
        EXPECT_TRUE(nearRelative(r.annual.costWith_EUR,
                                 0.3 * r.annual.purchase_kWh - 0.08 * r.annual.feedIn_kWh));
    }
}

TEST(HourlyBalanceTest, AnnualSumsOfDemandEqualTheirInputs) {
    HourlyBalance balance(shippedClimate());
    SimulationInput input = berlinHousehold();
    input.demand.hotWater_kWh = 1234.5;
    input.demand.heating_kWh = 3456.7;
    input.demand.cooling_kWh = 321.0;
    input.demand.car_kWh = 2345.6;
    const double total = 4000 + 1234.5 + 3456.7 + 321.0 + 2345.6;
    for (const double latitude : {52.52, -33.9}) {
        input.latitude_deg = latitude;
        const HourlyResult& r = balance.run(input);
        EXPECT_TRUE(nearRelative(r.annual.demand_kWh, total)) << latitude;
    }
}

TEST(HourlyBalanceTest, MoreBatteryNeverLowersSelfSufficiency) {
    HourlyBalance balance(shippedClimate());
    SimulationInput input = berlinHousehold();
    input.demand.heating_kWh = 2500;
    input.demand.car_kWh = 1500;
    double previous = -1;
    for (const double capacity : {0.0, 0.5, 1.0, 2.0, 3.5, 5.0, 7.5, 10.0, 15.0, 25.0}) {
        input.batteryCapacity_kWh = capacity;
        const double share = balance.run(input).annual.selfSufficiency;
        EXPECT_GE(share, previous - 1e-12) << capacity << " kWh";
        previous = share;
    }
    // and a battery of 5 kWh helps a 5 kWp household clearly
    input.batteryCapacity_kWh = 0;
    const double without = balance.run(input).annual.selfSufficiency;
    input.batteryCapacity_kWh = 5;
    EXPECT_GT(balance.run(input).annual.selfSufficiency, without + 0.1);
}

// A lower feed-in limit curtails more and never less; a battery takes some of what lies above
// the limit, so it curtails less than the same limit without one. The house's own use does
// not depend on the limit.
TEST(HourlyBalanceTest, ALowerFeedInLimitCurtailsMoreAndABatteryTakesSomeOfIt) {
    HourlyBalance balance(shippedClimate());
    SimulationInput input = berlinHousehold();
    input.planes = {{10.0, 0, 35}};
    for (const double battery : {0.0, 8.0}) {
        input.batteryCapacity_kWh = battery;
        double previous = -1;
        double selfSufficiency = -1;
        for (const double limit : {1.0, 0.7, 0.6, 0.3, 0.0}) {
            input.grid.feedInLimit_fraction = limit;
            const FlowSums& year = balance.run(input).annual;
            EXPECT_GE(year.curtailed_kWh, previous) << limit << ", battery " << battery;
            previous = year.curtailed_kWh;
            if (selfSufficiency < 0) {
                selfSufficiency = year.selfSufficiency;
            }
            EXPECT_NEAR(year.selfSufficiency, selfSufficiency, 1e-12);
        }
        // A limit of 0 feeds in nothing at all.
        EXPECT_EQ(balance.run(input).annual.feedIn_kWh, 0.0);
    }
    input.grid.feedInLimit_fraction = 0.6;
    input.batteryCapacity_kWh = 0;
    const double without = balance.run(input).annual.curtailed_kWh;
    input.batteryCapacity_kWh = 8;
    const double with = balance.run(input).annual.curtailed_kWh;
    EXPECT_GT(without, 10.0);
    EXPECT_LT(with, without);
}

TEST(HourlyBalanceTest, MorePvNeverLowersSelfSufficiency) {
    HourlyBalance balance(shippedClimate());
    for (const double battery : {0.0, 6.0}) {
        SimulationInput input = berlinHousehold();
        input.batteryCapacity_kWh = battery;
        double previous = -1;
        for (const double peak : {0.5, 1.0, 2.0, 3.0, 5.0, 8.0, 12.0, 20.0}) {
            input.planes = {{peak * 0.6, 0, 35}, {peak * 0.4, 90, 20}};
            const double share = balance.run(input).annual.selfSufficiency;
            EXPECT_GE(share, previous - 1e-12) << peak << " kWp, battery " << battery;
            previous = share;
        }
    }
}

TEST(HourlyBalanceTest, SouthernHemisphereMirrorsTheSeasons) {
    HourlyBalance balance(shippedClimate());
    SimulationInput north = berlinHousehold();
    north.latitude_deg = 35;
    north.longitude_deg = 15;
    north.demand.heating_kWh = 3000;
    SimulationInput south = north;
    south.latitude_deg = -35;
    south.planes = {{5.0, 180.0, 35.0}};  // facing the equator, which is north there

    const HourlyResult northResult = balance.run(north);
    const HourlyResult& southResult = balance.run(south);
    for (int m = 0; m < 12; ++m) {
        const int mirrored = (m + 6) % 12;
        // Same latitude, same shape moved by half a year: the monthly yields match within the
        // difference of the days and of the sun's distance (perihelion in January).
        EXPECT_NEAR(southResult.monthly[mirrored].yield_kWh / northResult.monthly[m].yield_kWh, 1.0,
                    0.15)
            << "month " << m;
        EXPECT_NEAR(southResult.monthly[mirrored].demand_kWh / northResult.monthly[m].demand_kWh,
                    1.0, 0.12)
            << "month " << m;
    }
    EXPECT_GT(southResult.monthly[0].yield_kWh, 1.5 * southResult.monthly[6].yield_kWh);
    EXPECT_GT(southResult.monthly[6].demand_kWh, southResult.monthly[0].demand_kWh);
    EXPECT_TRUE(nearRelative(southResult.annual.yield_kWh, northResult.annual.yield_kWh, 0.03));
}

TEST(HourlyBalanceTest, SitesOutsideTheGridWork) {
    HourlyBalance balance(shippedClimate());
    struct Case {
        const char* name;
        double latitude;
        double longitude;
        double irradiation;
    };
    const Case cases[] = {
        {"Madrid", 40.4, -3.7, 1700},   {"Kapstadt", -33.9, 18.4, 1900},
        {"Singapur", 1.3, 103.8, 1600}, {"Tromsø (Polarnacht)", 69.65, 18.96, 650},
        {"Nordpol", 90, 0, 500},        {"Datumsgrenze", -15, 180, 1800},
    };
    for (const Case& c : cases) {
        SimulationInput input = berlinHousehold();
        input.latitude_deg = c.latitude;
        input.longitude_deg = c.longitude;
        input.annualIrradiation_kWh_per_m2 = c.irradiation;
        input.batteryCapacity_kWh = 5;
        const HourlyResult& r = balance.run(input);
        EXPECT_FALSE(r.climateFromGrid) << c.name;
        EXPECT_FALSE(r.temperatureFromStation) << c.name;
        EXPECT_GT(r.annual.yield_kWh, 0) << c.name;
        EXPECT_TRUE(std::isfinite(r.annual.selfSufficiency)) << c.name;
        expectBalancesClose(r.annual, 0.0, c.name);
    }
}

TEST(HourlyBalanceTest, NoYieldWhileTheSunIsDown) {
    HourlyBalance balance(shippedClimate());
    SimulationInput input = berlinHousehold();
    const HourlyResult& r = balance.run(input);
    // Berlin in CET: in December the sun rises after 8:00 and sets before 16:00; in June it
    // rises after 3:40 and sets before 20:40.
    for (int d = kMonthStartDay[11]; d < kDaysPerYear; ++d) {
        for (int k = 0; k < kStepsPerDay; ++k) {
            const bool night = k < 8 * kStepsPerHour || k >= 16 * kStepsPerHour;
            if (night) {
                ASSERT_EQ(r.steps.pv[d * kStepsPerDay + k], 0.0f) << "day " << d << " step " << k;
            }
        }
    }
    for (int d = kMonthStartDay[5]; d < kMonthStartDay[6]; ++d) {
        for (int k = 0; k < kStepsPerDay; ++k) {
            if (k < 3 * kStepsPerHour + 2 || k >= 20 * kStepsPerHour + 3) {
                ASSERT_EQ(r.steps.pv[d * kStepsPerDay + k], 0.0f) << "day " << d << " step " << k;
            }
        }
    }
}

TEST(HourlyBalanceTest, CachedRunsEqualAFreshRun) {
    const auto climate = shippedClimate();
    HourlyBalance reused(climate);
    SimulationInput input = berlinHousehold();
    input.batteryCapacity_kWh = 4;
    input.demand.heating_kWh = 2000;
    reused.run(input);

    // Change in turn the battery, a demand, a plane's power, the orientation and the site,
    // then compare each result with that of a balance that never ran before.
    std::vector<SimulationInput> steps;
    input.batteryCapacity_kWh = 7;
    steps.push_back(input);
    input.demand.household_kWh = 5000;
    steps.push_back(input);
    input.planes.push_back({2.0, -90, 45});
    steps.push_back(input);
    input.planes[0].azimuth_deg = 10;
    steps.push_back(input);
    input.latitude_deg = 48.1;
    steps.push_back(input);
    input.annualIrradiation_kWh_per_m2 = 1200;
    steps.push_back(input);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const HourlyResult& cached = reused.run(steps[i]);
        HourlyBalance fresh(climate);
        const HourlyResult& expected = fresh.run(steps[i]);
        EXPECT_EQ(cached.annual.yield_kWh, expected.annual.yield_kWh) << "step " << i;
        EXPECT_EQ(cached.annual.demand_kWh, expected.annual.demand_kWh) << "step " << i;
        EXPECT_EQ(cached.annual.purchase_kWh, expected.annual.purchase_kWh) << "step " << i;
        EXPECT_EQ(cached.steps.stateOfCharge, expected.steps.stateOfCharge) << "step " << i;
    }
}

// With more orientations than the balance keeps series of, a run adds only what changed; it
// must still give a fresh run's figures, to rounding.
TEST(HourlyBalanceTest, ManyOrientationsFollowEveryChangeAsAFreshRunDoes) {
    const auto climate = shippedClimate();
    HourlyBalance reused(climate);
    SimulationInput input = berlinHousehold();
    input.batteryCapacity_kWh = 5;
    input.planes.clear();
    for (int i = 0; i < 40; ++i) {
        input.planes.push_back({0.5 + 0.01 * i, -90.0 + 4.5 * i, static_cast<double>(i % 9) * 10});
    }
    reused.run(input);

    struct Change {
        const char* what;
        std::function<void(SimulationInput&)> apply;
    };
    const Change changes[] = {
        {"one field's power", [](SimulationInput& in) { in.planes[7].peakPower_kWp = 3.25; }},
        {"a field turned to an orientation of its own",
         [](SimulationInput& in) { in.planes[3].azimuth_deg = 12.5; }},
        {"a field turned to another field's orientation",
         [](SimulationInput& in) {
             in.planes[4].azimuth_deg = in.planes[5].azimuth_deg;
             in.planes[4].tilt_deg = in.planes[5].tilt_deg;
         }},
        {"a field added",
         [](SimulationInput& in) {
             in.planes.push_back({1.5, 170, 60});
         }},
        {"a field removed", [](SimulationInput& in) { in.planes.erase(in.planes.begin()); }},
        {"the first power again", [](SimulationInput& in) { in.planes[6].peakPower_kWp = 0.56; }},
    };
    for (const Change& change : changes) {
        change.apply(input);
        const HourlyResult& cached = reused.run(input);
        HourlyBalance fresh(climate);
        const HourlyResult& expected = fresh.run(input);
        for (const auto& [name, got, want] :
             {std::tuple{"yield", cached.annual.yield_kWh, expected.annual.yield_kWh},
              std::tuple{"feed-in", cached.annual.feedIn_kWh, expected.annual.feedIn_kWh},
              std::tuple{"purchase", cached.annual.purchase_kWh, expected.annual.purchase_kWh}}) {
            EXPECT_NEAR(got, want, 1e-9 * want) << change.what << ": " << name;
        }
    }
}

TEST(HourlyBalanceTest, BerlinHouseholdHasTheReadmesFigures) {
    // README, "Hourly energy balance": each figure to 0.5 %, so that a change of a model's
    // constant shows.
    HourlyBalance balance(shippedClimate());
    SimulationInput input = berlinHousehold();
    const FlowSums without = balance.run(input).annual;
    input.batteryCapacity_kWh = 5;
    const FlowSums with = balance.run(input).annual;
    EXPECT_TRUE(nearRelative(without.specificYield_kWh_per_kWp, 1048, 0.005));
    EXPECT_TRUE(nearRelative(without.selfConsumptionShare, 0.286, 0.005));
    EXPECT_TRUE(nearRelative(without.selfSufficiency, 0.375, 0.005));
    EXPECT_TRUE(nearRelative(with.selfConsumptionShare, 0.535, 0.005));
    EXPECT_TRUE(nearRelative(with.selfSufficiency, 0.669, 0.005));
}

TEST(HourlyBalanceTest, BerlinHouseholdIsInTheRangeOfMeasuredHouseholds) {
    HourlyBalance balance(shippedClimate());
    SimulationInput input = berlinHousehold();
    const FlowSums without = balance.run(input).annual;
    input.batteryCapacity_kWh = 5;
    const FlowSums with = balance.run(input).annual;
    // PV yield of a south roof in Berlin after 10 % losses: 950..1100 kWh/kWp.
    EXPECT_GT(without.specificYield_kWh_per_kWp, 950);
    EXPECT_LT(without.specificYield_kWh_per_kWp, 1100);
    // Self-sufficiency of measured households: 25..45 % without, 55..75 % with a battery.
    EXPECT_GT(without.selfSufficiency, 0.25);
    EXPECT_LT(without.selfSufficiency, 0.45);
    EXPECT_GT(with.selfSufficiency, 0.55);
    EXPECT_LT(with.selfSufficiency, 0.75);
    // A 5 kWh battery in a household cycles 150..300 times a year.
    EXPECT_GT(with.batteryCycles, 150);
    EXPECT_LT(with.batteryCycles, 300);
}

TEST(HourlyBalanceTest, AnImportedWeatherYearStandsInForTheSynthesizedOne) {
    std::string error;
    const auto file = readWeatherFile(test::weatherSample("epw"), &error);
    ASSERT_TRUE(file) << error;
    const auto climate = shippedClimate();
    HourlyBalance reused(climate);
    SimulationInput input = berlinHousehold();
    input.latitude_deg = 45.0;
    input.longitude_deg = 8.0;
    const HourlyResult synthesized = reused.run(input);
    EXPECT_FALSE(synthesized.weatherImported);
    EXPECT_NEAR(synthesized.irradiation_kWh_per_m2, 1092, 1e-6);

    input.weather = std::make_shared<const WeatherFile>(*file);
    const HourlyResult imported = reused.run(input);
    EXPECT_TRUE(imported.weatherImported);
    EXPECT_NEAR(imported.irradiation_kWh_per_m2, 1435.861, 1e-3);
    // The main window's irradiation is not used with a weather file.
    input.annualIrradiation_kWh_per_m2 = 700;
    EXPECT_EQ(reused.run(input).annual.yield_kWh, imported.annual.yield_kWh);
    HourlyBalance fresh(climate);
    EXPECT_EQ(fresh.run(input).annual.yield_kWh, imported.annual.yield_kWh);
    // And back: the synthesized year again.
    input.weather.reset();
    input.annualIrradiation_kWh_per_m2 = 1092;
    EXPECT_EQ(reused.run(input).annual.yield_kWh, synthesized.annual.yield_kWh);
}

TEST(HourlyBalanceTest, UnusableInputsGiveAnEmptyButValidYear) {
    HourlyBalance balance(shippedClimate());
    SimulationInput input;
    input.latitude_deg = std::nan("");
    input.annualIrradiation_kWh_per_m2 = -5;
    input.planes = {{-3, 0, 30}, {std::nan(""), 0, 30}};
    input.demand.household_kWh = -100;
    input.batteryCapacity_kWh = std::nan("");
    const HourlyResult& r = balance.run(input);
    EXPECT_EQ(r.annual.yield_kWh, 0);
    EXPECT_EQ(r.annual.demand_kWh, 0);
    EXPECT_EQ(r.annual.selfSufficiency, 0);
    EXPECT_EQ(r.steps.pv.size(), static_cast<std::size_t>(kStepCount));
}

}  // namespace
}  // namespace lumetra::simulation

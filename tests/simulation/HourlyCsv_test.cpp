// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/HourlyCsv.h"

#include <gtest/gtest.h>

#include <charconv>
#include <sstream>
#include <string>
#include <vector>

#include "simulation/SimulationSupport.h"
#include "simulation/TextFields.h"
#include "test_support/TestSupport.h"

namespace lumetra::simulation {
namespace {

TEST(HourlyCsvTest, OneLinePerQuarterHourWhoseSumsMatchTheYear) {
    HourlyBalance balance(test::shippedClimate());
    SimulationInput input = test::berlinHousehold();
    input.batteryCapacity_kWh = 5;
    input.car_kWh = 2000;
    const HourlyResult& result = balance.run(input);
    const std::string csv = hourlyCsv(result);

    std::vector<std::string_view> lines;
    for (std::string_view line : TextLines(csv)) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 1u + kStepCount);
    EXPECT_EQ(lines[0],
              "time,yield_kWh,demand_kWh,direct_kWh,batteryCharge_kWh,batteryDischarge_kWh,"
              "feedIn_kWh,purchase_kWh,stateOfCharge_kWh");
    EXPECT_EQ(lines[1].substr(0, 23), "2025-01-01T00:00+01:00,");
    EXPECT_EQ(lines[2].substr(0, 22), "2025-01-01T00:15+01:00");
    EXPECT_EQ(lines[kStepCount].substr(0, 22), "2025-12-31T23:45+01:00");
    EXPECT_EQ(csv.back(), '\n');

    std::array<double, 8> sums{};
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string_view> fields = splitFields(lines[i], ',');
        ASSERT_EQ(fields.size(), 9u) << i;
        std::vector<double> numbers;
        ASSERT_TRUE(parseNumbers({fields.begin() + 1, fields.end()}, numbers)) << lines[i];
        for (std::size_t c = 0; c < 8; ++c) {
            sums[c] += numbers[c];
        }
    }
    const FlowSums& year = result.annual;
    const double expected[] = {year.yield_kWh,         year.demand_kWh,           year.direct_kWh,
                               year.batteryCharge_kWh, year.batteryDischarge_kWh, year.feedIn_kWh,
                               year.purchase_kWh};
    for (std::size_t c = 0; c < 7; ++c) {
        EXPECT_TRUE(test::nearRelative(sums[c], expected[c], 1e-5)) << "column " << c + 1;
    }
}

TEST(HourlyCsvTest, OffsetOfTheLocalStandardTime) {
    HourlyBalance balance(test::shippedClimate());
    SimulationInput input = test::berlinHousehold();
    input.latitude_deg = 40.7;
    input.longitude_deg = -74.0;
    std::ostringstream out;
    writeHourlyCsv(balance.run(input), out);
    const std::string csv = out.str();
    EXPECT_NE(csv.find("\n2025-01-01T00:00-05:00,"), std::string::npos);
    // Plain decimals only: no exponent anywhere after the header.
    EXPECT_EQ(csv.find('e', csv.find('\n')), std::string::npos);
}

}  // namespace
}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/HourlyCsv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <sstream>
#include <string>
#include <vector>

#include "simulation/SimulationSupport.h"
#include "simulation/TextFields.h"
#include "test_support/TestSupport.h"

namespace lumetra::simulation {
namespace {

// Both layouts carry the same numbers; the German one as a German spreadsheet opens it.
struct CsvLayoutCase {
    const char* name;
    CsvFormat format;
    char separator;
    char decimalSeparator;
};

class HourlyCsvLayoutTest : public ::testing::TestWithParam<CsvLayoutCase> {};

TEST_P(HourlyCsvLayoutTest, OneLinePerQuarterHourWhoseSumsMatchTheYear) {
    const CsvLayoutCase& layout = GetParam();
    HourlyBalance balance(test::shippedClimate());
    SimulationInput input = test::berlinHousehold();
    input.batteryCapacity_kWh = 5;
    input.demand.car_kWh = 2000;
    input.grid.feedInLimit_fraction = 0.3;  // so that some energy is curtailed
    const HourlyResult& result = balance.run(input);
    ASSERT_GT(result.annual.curtailed_kWh, 1.0);
    const std::string csv = hourlyCsv(result, layout.format);

    std::vector<std::string_view> lines;
    for (std::string_view line : TextLines(csv)) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 1u + kStepCount);
    std::string header =
        "time,yield_kWh,demand_kWh,direct_kWh,batteryCharge_kWh,batteryDischarge_kWh,"
        "feedIn_kWh,purchase_kWh,stateOfCharge_kWh,curtailed_kWh";
    std::replace(header.begin(), header.end(), ',', layout.separator);
    EXPECT_EQ(lines[0], header);
    EXPECT_EQ(lines[1].substr(0, 23), "2025-01-01T00:00+01:00" + std::string(1, layout.separator));
    EXPECT_EQ(lines[2].substr(0, 22), "2025-01-01T00:15+01:00");
    EXPECT_EQ(lines[kStepCount].substr(0, 22), "2025-12-31T23:45+01:00");
    EXPECT_EQ(csv.back(), '\n');

    std::array<double, 9> sums{};
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string_view> fields = splitFields(lines[i], layout.separator);
        ASSERT_EQ(fields.size(), 10u) << i;
        std::vector<std::string> texts(fields.begin() + 1, fields.end());
        for (std::string& text : texts) {
            ASSERT_EQ(text.find(layout.decimalSeparator == ',' ? '.' : ','), std::string::npos);
            std::replace(text.begin(), text.end(), layout.decimalSeparator, '.');
        }
        const std::vector<std::string_view> views(texts.begin(), texts.end());
        std::vector<double> numbers;
        ASSERT_TRUE(parseNumbers(views, numbers)) << lines[i];
        for (std::size_t c = 0; c < 9; ++c) {
            sums[c] += numbers[c];
        }
    }
    const FlowSums& year = result.annual;
    const double expected[] = {year.yield_kWh,
                               year.demand_kWh,
                               year.direct_kWh,
                               year.batteryCharge_kWh,
                               year.batteryDischarge_kWh,
                               year.feedIn_kWh,
                               year.purchase_kWh,
                               -1,
                               year.curtailed_kWh};
    for (std::size_t c = 0; c < 9; ++c) {
        if (expected[c] >= 0) {
            EXPECT_TRUE(test::nearRelative(sums[c], expected[c], 1e-5)) << "column " << c + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(HourlyCsv, HourlyCsvLayoutTest,
                         ::testing::Values(CsvLayoutCase{"English", CsvFormat::English, ',', '.'},
                                           CsvLayoutCase{"German", CsvFormat::German, ';', ','}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

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

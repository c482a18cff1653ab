// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as each of the three climate tables of the hourly balance (the first
// byte chooses which) and checks what a reader hands on: a complete grid whose every point lies
// within what its month can bring at its latitude, stations on the earth with plausible
// monthly means, a load profile with energy in every column.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "simulation/ClimateTables.h"
#include "simulation/TextFields.h"
#include "simulation/climate/IrradiationLimit.h"

namespace {

using namespace lumetra::simulation;

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// Every line an accepted grid was made of holds months within the limit of its latitude.
void checkAcceptedGridLines(std::string_view bytes) {
    std::vector<std::string_view> fields;
    std::vector<double> numbers;
    for (std::string_view line : TextLines(bytes)) {
        if (isSkippedLine(line)) {
            continue;
        }
        splitFields(line, ';', fields);
        require(fields.size() == 14 && parseNumbers(fields, numbers));
        const MonthArray limit = monthlyIrradiationLimit_kWh_per_m2(numbers[0]);
        double year = 0;
        for (std::size_t m = 0; m < 12; ++m) {
            require(numbers[m + 2] >= 0 && numbers[m + 2] <= limit[m]);
            year += numbers[m + 2];
        }
        require(year > 0);
    }
}

void checkGrid(std::string_view bytes) {
    std::string error;
    const auto grid = parseIrradiationGrid(bytes, &error);
    if (!grid) {
        require(!error.empty());  // a refusal always says why
        return;
    }
    require(!grid->firstMissingNode() && grid->nodeCount() == grid->pointCount());
    checkAcceptedGridLines(bytes);
    // Round the earth coarsely, and finely over the shipped grid's area: a complete grid has
    // a value wherever it reaches.
    const auto check = [&](double latitude, double longitude) {
        const auto months = grid->monthlyAt(latitude, longitude);
        require(months.has_value() == grid->contains(latitude, longitude));
        if (months) {
            for (double value : *months) {
                require(value >= 0 && value <= 1000);
            }
        }
    };
    for (double latitude = -90; latitude <= 90; latitude += 30) {
        for (double longitude = -180; longitude <= 180; longitude += 45) {
            check(latitude, longitude);
        }
    }
    for (double latitude = 44.9; latitude <= 56.1; latitude += 2.8) {
        for (double longitude = 4.9; longitude <= 16.1; longitude += 2.8) {
            check(latitude, longitude);
        }
    }
}

void checkStations(std::string_view bytes) {
    std::string error;
    const auto stations = parseTemperatureStations(bytes, &error);
    if (!stations) {
        require(!error.empty());
        return;
    }
    require(!stations->empty());
    for (const TemperatureStation& station : *stations) {
        for (double value : station.months) {
            require(value >= kLowestMonthlyTemperature_C && value <= kHighestMonthlyTemperature_C);
        }
    }
    const ClimateTables tables({}, *stations, LoadProfile{});
    if (const auto t = tables.stationTemperature(50, 10, 150)) {
        require(std::isfinite((*t)[0]));
    }
}

void checkProfile(std::string_view bytes) {
    std::string error;
    const auto profile = parseLoadProfile(bytes, &error);
    if (!profile) {
        require(!error.empty());
        return;
    }
    for (const auto& month : profile->values) {
        for (const auto& type : month) {
            double sum = 0;
            for (double value : type) {
                require(value >= 0);
                sum += value;
            }
            require(sum > 0);  // every day type of every month has energy to scale
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
        case 0:
            checkGrid(bytes);
            break;
        case 1:
            checkStations(bytes);
            break;
        default:
            checkProfile(bytes);
            break;
    }
    return 0;
}

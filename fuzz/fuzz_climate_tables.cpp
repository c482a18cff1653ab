// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as each of the three climate tables of the hourly balance (the first
// byte chooses which) and checks what a reader hands on: interpolated irradiation within the
// file's range, stations on the earth, a complete load profile.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "simulation/ClimateTables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumetra::simulation;
    if (size == 0) {
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string error;
    switch (data[0] % 3) {
        case 0: {
            const auto grid = parseIrradiationGrid(bytes, &error);
            if (!grid) {
                if (error.empty()) {
                    __builtin_trap();  // a refusal always says why
                }
                return 0;
            }
            // Round the earth coarsely, and finely over the shipped grid's area.
            const auto check = [&](double latitude, double longitude) {
                if (const auto months = grid->monthlyAt(latitude, longitude)) {
                    for (double value : *months) {
                        if (!(value >= 0 && value <= 1000)) {
                            __builtin_trap();
                        }
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
            break;
        }
        case 1: {
            const auto stations = parseTemperatureStations(bytes, &error);
            if (stations) {
                const ClimateTables tables({}, *stations, LoadProfile{});
                if (const auto t = tables.stationTemperature(50, 10, 150)) {
                    if (!std::isfinite((*t)[0])) {
                        __builtin_trap();
                    }
                }
            }
            break;
        }
        default: {
            const auto profile = parseLoadProfile(bytes, &error);
            if (profile) {
                // Spot checks: the reader refuses any negative value.
                for (const auto& month : profile->values) {
                    for (const auto& type : month) {
                        if (!(type[0] >= 0 && type[47] >= 0 && type[95] >= 0)) {
                            __builtin_trap();
                        }
                    }
                }
            }
            break;
        }
    }
    return 0;
}

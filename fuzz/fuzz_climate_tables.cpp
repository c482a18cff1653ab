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
            for (double latitude = -90; latitude <= 90; latitude += 7.3) {
                for (double longitude = -180; longitude <= 180; longitude += 11.1) {
                    if (const auto months = grid->monthlyAt(latitude, longitude)) {
                        for (double value : *months) {
                            if (!(value >= 0 && value <= 1000)) {
                                __builtin_trap();
                            }
                        }
                    }
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
                for (const auto& month : profile->values) {
                    for (const auto& type : month) {
                        for (double value : type) {
                            if (!(value >= 0)) {
                                __builtin_trap();
                            }
                        }
                    }
                }
            }
            break;
        }
    }
    return 0;
}

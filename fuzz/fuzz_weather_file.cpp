// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a weather file (PVGIS CSV or JSON, EPW, told by the content) and
// checks what the reader hands on: a refusal says why in one line, an accepted year has its
// 8,760 hours of plausible values.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "simulation/weather/WeatherFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumetra::simulation;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto file = parseWeatherFile(bytes, &error);
    if (!file) {
        if (error.rfind("Zeile ", 0) != 0 || error.find('\n') != std::string::npos) {
            __builtin_trap();
        }
        return 0;
    }
    if (file->global.size() != 8760 || file->diffuse.size() != 8760 ||
        file->temperature.size() != 8760 || file->wind.size() != 8760 ||
        !std::isfinite(file->latitude_deg) || !std::isfinite(file->longitude_deg)) {
        __builtin_trap();
    }
    for (std::size_t k = 0; k < 8760; ++k) {
        if (!(file->global[k] >= 0 && file->diffuse[k] >= 0 &&
              file->diffuse[k] <= file->global[k] && std::isfinite(file->temperature[k]) &&
              file->wind[k] >= 0)) {
            __builtin_trap();
        }
    }
    return 0;
}

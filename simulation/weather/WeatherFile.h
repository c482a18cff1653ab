// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::simulation {

// A real weather year read from a file: PVGIS's typical meteorological year (its CSV or JSON
// output) or an EnergyPlus weather file (EPW). 8,760 hours in the order of the reference
// year's calendar, whatever years the file's months come from (a 29 February is left out).
struct WeatherFile {
    enum class Format { PvgisCsv, PvgisJson, Epw };
    Format format = Format::PvgisCsv;
    double latitude_deg = 0;
    double longitude_deg = 0;

    // Hour k begins k hours after 1 January 00:00 on the file's clock, which runs
    // `utcOffset_h` ahead of UTC. The values of hour k hold at k + the instant (hours) on that
    // clock: PVGIS states when its irradiance was seen (its "irradiance time offset"), an EPW
    // file gives the hour's irradiation (the middle of the hour) and the temperature at its
    // end.
    double utcOffset_h = 0;
    double irradianceInstant_h = 0.5;
    double temperatureInstant_h = 0;

    std::vector<float> global;       // W/m² on the horizontal
    std::vector<float> diffuse;      // W/m² on the horizontal, at most the global
    std::vector<float> temperature;  // air, °C
    std::vector<float> wind;         // m/s

    // The year's global horizontal irradiation, kWh/m².
    double annualGlobal_kWh_per_m2() const;
};

// The name of a format in messages ("PVGIS-CSV", "PVGIS-JSON", "EPW").
std::string_view weatherFormatName(WeatherFile::Format format);

// Reads a weather year from a file's bytes, the format told by the content. A file it cannot
// read gives nothing and one German message that names the line (`error`, when given).
std::optional<WeatherFile> parseWeatherFile(std::string_view bytes, std::string* error);

// The same from a file, read only when it is a regular file of sensible size.
std::optional<WeatherFile> readWeatherFile(const std::filesystem::path& path, std::string* error);

}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/weather/WeatherFile.h"

#include <numeric>

#include "persistence/FileAccess.h"
#include "simulation/weather/WeatherReaders.h"
#include "simulation/weather/WeatherRows.h"

namespace lumetra::simulation {

namespace {

// A weather year is a few MB; anything much larger is not one.
constexpr std::uintmax_t kMaxWeatherFileBytes = 64u * 1024 * 1024;

void setError(std::string* error, std::string message) {
    if (error != nullptr) {
        *error = std::move(message);
    }
}

}  // namespace

double WeatherFile::annualGlobal_kWh_per_m2() const {
    return std::accumulate(global.begin(), global.end(), 0.0) / 1000.0;
}

std::string_view weatherFormatName(WeatherFile::Format format) {
    switch (format) {
        case WeatherFile::Format::PvgisCsv:
            return "PVGIS-CSV";
        case WeatherFile::Format::PvgisJson:
            return "PVGIS-JSON";
        case WeatherFile::Format::Epw:
            return "EPW";
    }
    return "";
}

std::optional<WeatherFile> parseWeatherFile(std::string_view bytes, std::string* error) {
    std::string_view start = bytes;
    if (start.substr(0, 3) == "\xEF\xBB\xBF") {
        start.remove_prefix(3);
    }
    const std::size_t first = start.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && start[first] == '{') {
        return parsePvgisJson(bytes, error);
    }
    if (start.substr(0, 9) == "LOCATION,") {
        return parseEpw(bytes, error);
    }
    if (start.substr(0, 8) == "Latitude" || start.find("\ntime(UTC)") != std::string_view::npos) {
        return parsePvgisCsv(bytes, error);
    }
    setError(error, lineError(1, "weder PVGIS (CSV oder JSON) noch EPW"));
    return std::nullopt;
}

std::optional<WeatherFile> readWeatherFile(const std::filesystem::path& path, std::string* error) {
    std::string bytes;
    switch (readRegularFile(path, kMaxWeatherFileBytes, bytes)) {
        case ReadOpenResult::Opened:
            return parseWeatherFile(bytes, error);
        case ReadOpenResult::NotOpened:
            setError(error, "Die Datei kann nicht geöffnet werden");
            return std::nullopt;
        case ReadOpenResult::TooLarge:
            setError(error, "Die Datei ist zu groß für eine Wetterdatei");
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace lumetra::simulation

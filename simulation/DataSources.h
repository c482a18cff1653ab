// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace lumetra::simulation {

// What a file the hourly balance reads holds: its key (as the JSON names it) and its German
// label (as the window and the report name it). A new kind of input file is one more of these.
struct DataSourceKind {
    std::string_view key;
    std::string_view label;
};

inline constexpr DataSourceKind kIrradiationSource{"irradiation", "Globalstrahlung (Monatssummen)"};
inline constexpr DataSourceKind kTemperatureSource{"temperature", "Lufttemperatur (Monatsmittel)"};
inline constexpr DataSourceKind kLoadProfileSource{"loadProfile", "Standardlastprofil H25"};
inline constexpr DataSourceKind kHouseholdSource{"household", "Haushaltsmodell"};
inline constexpr DataSourceKind kWeatherSource{"weather", "Wetterjahr"};
inline constexpr DataSourceKind kMeasuredLoadSource{"measuredLoad", "Gemessener Lastgang"};

// One file in use and where it is.
struct DataSource {
    DataSourceKind kind;
    std::filesystem::path path;
};

// The files the hourly balance read, in the order they were read.
using DataSources = std::vector<DataSource>;

}  // namespace lumetra::simulation

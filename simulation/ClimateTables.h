// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "persistence/DataSearch.h"
#include "simulation/TableFiles.h"
#include "simulation/calendar/ReferenceYear.h"
#include "simulation/household/HouseholdTables.h"

namespace lumetra::simulation {

// The file names of the climate tables as shipped in data/.
inline constexpr std::string_view kIrradiationFileName = "MonthlyIrradiation.csv";
inline constexpr std::string_view kTemperatureFileName = "MonthlyTemperature.csv";
inline constexpr std::string_view kLoadProfileFileName = "LoadProfileH25.csv";

// Monthly global horizontal irradiation (kWh/m² per month) on a regular latitude/longitude
// grid. Points may be missing; a cell is interpolated from the corners it has.
class IrradiationGrid {
  public:
    struct Point {
        double latitude_deg = 0;
        double longitude_deg = 0;
        MonthArray months{};
    };

    IrradiationGrid() = default;
    // Throws std::invalid_argument when the points do not lie on one regular grid.
    explicit IrradiationGrid(const std::vector<Point>& points);

    // Bilinear between the surrounding grid points that exist; std::nullopt outside the grid
    // or where none of the four exists.
    std::optional<MonthArray> monthlyAt(double latitude_deg, double longitude_deg) const;

    bool contains(double latitude_deg, double longitude_deg) const;
    std::size_t pointCount() const { return pointCount_; }
    // The nodes of the grid (rows times columns), and the first one that has no point, from
    // north to south and from west to east (latitude, longitude); nothing when all have one.
    std::size_t nodeCount() const { return present_.size(); }
    std::optional<std::pair<double, double>> firstMissingNode() const;

  private:
    double latitudeMin_ = 0;
    double longitudeMin_ = 0;
    double latitudeStep_ = 1;
    double longitudeStep_ = 1;
    int latitudeCount_ = 0;
    int longitudeCount_ = 0;
    std::size_t pointCount_ = 0;
    std::vector<MonthArray> cells_;  // [latitude index * longitudeCount + longitude index]
    std::vector<bool> present_;
};

// Monthly mean air temperature (°C) of weather stations.
struct TemperatureStation {
    std::string name;
    double latitude_deg = 0;
    double longitude_deg = 0;
    std::optional<double> altitude_m;  // above sea level, where the table gives it
    MonthArray months{};
};

// The household standard load profile: kWh per quarter hour for each month, day type (DayType)
// and quarter hour of a reference of about 1 GWh a year (before the dynamisation).
struct LoadProfile {
    // [month][day type][quarter hour]
    std::array<std::array<std::array<double, 96>, 3>, 12> values{};
};

// The tables the hourly balance reads: the three climate and load tables, and the simulated
// home's tables (nothing where they were not read: the standard load profile stands in).
// Immutable once built; shared between instances.
class ClimateTables {
  public:
    ClimateTables(IrradiationGrid grid, std::vector<TemperatureStation> stations,
                  LoadProfile profile, std::shared_ptr<const HouseholdTables> household = nullptr);

    const IrradiationGrid& irradiation() const { return grid_; }
    const std::vector<TemperatureStation>& stations() const { return stations_; }
    const LoadProfile& loadProfile() const { return profile_; }
    const std::shared_ptr<const HouseholdTables>& household() const { return household_; }

    // The monthly mean temperatures of the nearest station within `maxDistance_km`, or
    // std::nullopt.
    std::optional<MonthArray> stationTemperature(double latitude_deg, double longitude_deg,
                                                 double maxDistance_km) const;

  private:
    IrradiationGrid grid_;
    std::vector<TemperatureStation> stations_;
    LoadProfile profile_;
    std::shared_ptr<const HouseholdTables> household_;
};

// Readers of the three files' bytes (UTF-8, LF or CRLF, comment lines begin with ';'). Each
// returns nothing and sets `error` (when given) to a German message that names the file (as
// `source` names it: its path, or the bare file name) and the line, for a file that is malformed
// or implausible:
// - the irradiation: the points must fill a regular grid completely (a file cut short leaves
//   its last row incomplete), and each month lie between 0 and what the month can bring at
//   the point's latitude (monthlyIrradiationLimit_kWh_per_m2), with light in the year;
// - the temperatures: at least one station, each month's mean between the coldest (about
//   -75 °C at Vostok, British Antarctic Survey READER data) and the hottest (42.3 °C, Death
//   Valley, July 2018, NOAA) monthly means ever measured, with a margin: -80..45 °C;
// - the load profile: 96 quarter hours of 36 columns, no value negative, and energy in every
//   column (month and day type), since the profile is scaled to the annual demand.
std::optional<IrradiationGrid> parseIrradiationGrid(std::string_view bytes, std::string* error,
                                                    std::string_view source = kIrradiationFileName);
std::optional<std::vector<TemperatureStation>> parseTemperatureStations(
    std::string_view bytes, std::string* error, std::string_view source = kTemperatureFileName);
std::optional<LoadProfile> parseLoadProfile(std::string_view bytes, std::string* error,
                                            std::string_view source = kLoadProfileFileName);

// The bounds of a monthly mean air temperature in a table, °C.
inline constexpr double kLowestMonthlyTemperature_C = -80;
inline constexpr double kHighestMonthlyTemperature_C = 45;

// The tables from the three files' bytes; nullptr and a message when one cannot be read.
std::shared_ptr<const ClimateTables> climateTablesFromBytes(std::string_view irradiation,
                                                            std::string_view temperature,
                                                            std::string_view loadProfile,
                                                            std::string* error);

// The tables from explicit files, each read as readTableFile reads it.
std::shared_ptr<const ClimateTables> loadClimateTables(const std::filesystem::path& irradiation,
                                                       const std::filesystem::path& temperature,
                                                       const std::filesystem::path& loadProfile,
                                                       std::string* error);

// The shipped tables (never a copy in the current directory).
std::shared_ptr<const ClimateTables> loadClimateTables(const lumetra::DataSearch& search,
                                                       std::string* error);

// The tables as the search says, the simulated home's included: the chosen folder's where it
// holds them, else the shipped ones; a refused chosen folder gives the shipped tables and the
// reason (loadTables).
using ClimateTablesLoad = TableLoad<ClimateTables>;
ClimateTablesLoad loadClimateTables(const TableSearch& search);

}  // namespace lumetra::simulation

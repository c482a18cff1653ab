// SPDX-License-Identifier: GPL-3.0-or-later
// The readers of the climate tables and the load profile, and their plausibility checks.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <stdexcept>

#include "persistence/FileAccess.h"
#include "simulation/ClimateTables.h"
#include "simulation/TextFields.h"
#include "simulation/climate/IrradiationLimit.h"

namespace lumetra::simulation {

namespace {

void setError(std::string* error, std::string message) {
    if (error != nullptr) {
        *error = std::move(message);
    }
}

std::string lineMessage(std::string_view file, int line, std::string_view what) {
    return std::string(file) + ", Zeile " + std::to_string(line) + ": " + std::string(what);
}

// A number as a German message writes it: up to three decimals, a decimal comma.
std::string germanNumber(double value) {
    char buffer[32];
    const auto [end, failure] =
        std::to_chars(buffer, buffer + sizeof buffer, std::round(value * 1000) / 1000,
                      std::chars_format::general, 8);
    std::string text = failure == std::errc() ? std::string(buffer, end) : std::string("?");
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string coordinates(double latitude_deg, double longitude_deg) {
    return germanNumber(std::abs(latitude_deg)) + "° " + (latitude_deg < 0 ? "S" : "N") + " " +
           germanNumber(std::abs(longitude_deg)) + "° " + (longitude_deg < 0 ? "W" : "O");
}

constexpr std::array<std::string_view, 12> kMonthNames = {
    "Januar", "Februar", "März",      "April",   "Mai",      "Juni",
    "Juli",   "August",  "September", "Oktober", "November", "Dezember"};

// The irradiation of a grid point is plausible: each month between 0 and what it can bring at
// the latitude, and light in the year. The limits of each latitude are computed once.
class IrradiationCheck {
  public:
    std::optional<std::string> problem(const IrradiationGrid::Point& point) {
        auto [entry, added] = limits_.try_emplace(point.latitude_deg);
        if (added) {
            entry->second = monthlyIrradiationLimit_kWh_per_m2(point.latitude_deg);
        }
        double year = 0;
        for (std::size_t m = 0; m < 12; ++m) {
            const double value = point.months[m];
            if (!(value >= 0) || value > entry->second[m]) {
                return "Globalstrahlung im " + std::string(kMonthNames[m]) + " " +
                       germanNumber(value) + " kWh/m², möglich sind 0 bis " +
                       germanNumber(std::floor(entry->second[m])) + " kWh/m² bei " +
                       germanNumber(point.latitude_deg) + "° Breite";
            }
            year += value;
        }
        if (!(year > 0)) {
            return std::string("ein Jahr ohne Globalstrahlung");
        }
        return std::nullopt;
    }

  private:
    std::map<double, MonthArray> limits_;
};

}  // namespace

std::optional<IrradiationGrid> parseIrradiationGrid(std::string_view bytes, std::string* error,
                                                    std::string_view source) {
    std::vector<IrradiationGrid::Point> points;
    std::vector<std::string_view> fields;
    std::vector<double> numbers;
    IrradiationCheck check;
    int lineNumber = 0;
    int lastDataLine = 0;
    for (std::string_view line : TextLines(bytes)) {
        ++lineNumber;
        if (isSkippedLine(line)) {
            continue;
        }
        lastDataLine = lineNumber;
        splitFields(line, ';', fields);
        if (fields.size() != 14 || !parseNumbers(fields, numbers)) {
            setError(error, lineMessage(source, lineNumber,
                                        "erwartet Breitengrad;Längengrad;12 Monatswerte"));
            return std::nullopt;
        }
        IrradiationGrid::Point point{numbers[0], numbers[1], {}};
        if (std::abs(point.latitude_deg) > 90 || std::abs(point.longitude_deg) > 180) {
            setError(error, lineMessage(source, lineNumber, "Koordinaten außerhalb der Erde"));
            return std::nullopt;
        }
        std::copy(numbers.begin() + 2, numbers.end(), point.months.begin());
        if (const auto problem = check.problem(point)) {
            setError(error, lineMessage(source, lineNumber, *problem));
            return std::nullopt;
        }
        points.push_back(point);
    }
    if (points.empty()) {
        setError(error, std::string(source) + ": keine Gitterpunkte");
        return std::nullopt;
    }
    std::optional<IrradiationGrid> grid;
    try {
        grid.emplace(points);
    } catch (const std::invalid_argument& problem) {
        setError(error, std::string(source) + ": " + problem.what());
        return std::nullopt;
    }
    // A file cut short ends inside a row of the grid: its last line reads, but points are
    // missing, and sites there would lie beside the grid.
    if (const auto missing = grid->firstMissingNode()) {
        const std::size_t missingCount = grid->nodeCount() - grid->pointCount();
        setError(error, lineMessage(source, lastDataLine,
                                    std::string("das Gitter ist unvollständig, es ") +
                                        (missingCount == 1 ? "fehlt " : "fehlen ") +
                                        std::to_string(missingCount) + " von " +
                                        std::to_string(grid->nodeCount()) + " Punkten, zuerst " +
                                        coordinates(missing->first, missing->second)));
        return std::nullopt;
    }
    return grid;
}

std::optional<std::vector<TemperatureStation>> parseTemperatureStations(std::string_view bytes,
                                                                        std::string* error,
                                                                        std::string_view source) {
    std::vector<TemperatureStation> stations;
    std::vector<std::string_view> fields;
    std::vector<double> numbers;
    int lineNumber = 0;
    for (std::string_view line : TextLines(bytes)) {
        ++lineNumber;
        if (isSkippedLine(line)) {
            continue;
        }
        splitFields(line, ';', fields);
        // The altitude (field 3) may be empty; a text that is no number counts as empty.
        if (fields.size() != 16) {
            setError(error, lineMessage(source, lineNumber,
                                        "erwartet Station;Breitengrad;Längengrad;Höhe;12 Werte"));
            return std::nullopt;
        }
        std::vector<std::string_view> numeric{fields[1], fields[2]};
        numeric.insert(numeric.end(), fields.begin() + 4, fields.end());
        if (!parseNumbers(numeric, numbers)) {
            setError(error, lineMessage(source, lineNumber, "keine Zahl"));
            return std::nullopt;
        }
        TemperatureStation station;
        station.name = std::string(fields[0]);
        station.latitude_deg = numbers[0];
        station.longitude_deg = numbers[1];
        if (std::abs(station.latitude_deg) > 90 || std::abs(station.longitude_deg) > 180) {
            setError(error, lineMessage(source, lineNumber, "Koordinaten außerhalb der Erde"));
            return std::nullopt;
        }
        for (std::size_t m = 0; m < 12; ++m) {
            station.months[m] = numbers[m + 2];
            if (station.months[m] < kLowestMonthlyTemperature_C ||
                station.months[m] > kHighestMonthlyTemperature_C) {
                setError(error,
                         lineMessage(source, lineNumber,
                                     "Monatsmittel der Lufttemperatur im " +
                                         std::string(kMonthNames[m]) + " " +
                                         germanNumber(station.months[m]) + " °C, möglich sind " +
                                         germanNumber(kLowestMonthlyTemperature_C) + " bis " +
                                         germanNumber(kHighestMonthlyTemperature_C) + " °C"));
                return std::nullopt;
            }
        }
        const std::string_view altitude[] = {fields[3]};
        if (std::vector<double> value; parseNumbers(altitude, value) && std::abs(value[0]) < 9000) {
            station.altitude_m = value[0];
        }
        stations.push_back(std::move(station));
    }
    if (stations.empty()) {
        setError(error, std::string(source) + ": keine Station");
        return std::nullopt;
    }
    return stations;
}

std::optional<LoadProfile> parseLoadProfile(std::string_view bytes, std::string* error,
                                            std::string_view source) {
    LoadProfile profile;
    // Column c (1..36) of the data lines: its month and day type, from the two heading lines.
    std::vector<int> monthOf;
    std::vector<int> typeOf;
    std::array<std::array<bool, 3>, 12> seen{};
    int lineNumber = 0;
    // The headings are the first two lines that are not empty, so that data never comes before
    // the columns are known, whatever blank lines lead the file.
    int headingLines = 0;
    int typeLine = 0;
    int dataLines = 0;
    std::vector<std::string_view> fields;
    std::vector<double> numbers;
    for (std::string_view line : TextLines(bytes)) {
        ++lineNumber;
        if (line.empty()) {
            continue;
        }
        if (headingLines == 0) {
            ++headingLines;
            splitFields(line, ',', fields);
            for (std::size_t c = 1; c < fields.size(); ++c) {
                const auto it = std::find(kMonthNames.begin(), kMonthNames.end(), fields[c]);
                monthOf.push_back(
                    it == kMonthNames.end() ? -1 : static_cast<int>(it - kMonthNames.begin()));
            }
            continue;
        }
        if (headingLines == 1) {
            ++headingLines;
            typeLine = lineNumber;
            splitFields(line, ',', fields);
            for (std::size_t c = 1; c < fields.size(); ++c) {
                typeOf.push_back(fields[c] == "SA"   ? 0
                                 : fields[c] == "FT" ? 1
                                 : fields[c] == "WT" ? 2
                                                     : -1);
            }
            if (monthOf.size() != 36 || typeOf.size() != 36) {
                setError(error, lineMessage(source, lineNumber, "erwartet 36 Spalten"));
                return std::nullopt;
            }
            for (std::size_t c = 0; c < 36; ++c) {
                if (monthOf[c] < 0 || typeOf[c] < 0 || seen[monthOf[c]][typeOf[c]]) {
                    setError(error, lineMessage(source, lineNumber,
                                                "Monat und Tagtyp jeder Spalte fehlen oder "
                                                "kommen doppelt vor"));
                    return std::nullopt;
                }
                seen[monthOf[c]][typeOf[c]] = true;
            }
            continue;
        }
        if (dataLines >= 96 || !parseNumbersAfterFirstField(line, ',', 36, numbers)) {
            setError(error,
                     lineMessage(source, lineNumber, "erwartet eine Viertelstunde mit 36 Werten"));
            return std::nullopt;
        }
        for (std::size_t c = 0; c < 36; ++c) {
            if (numbers[c] < 0 || numbers[c] > 1e6) {
                setError(error, lineMessage(source, lineNumber, "Wert außerhalb 0..1000000"));
                return std::nullopt;
            }
            profile.values[monthOf[c]][typeOf[c]][dataLines] = numbers[c];
        }
        ++dataLines;
    }
    if (dataLines != 96) {
        setError(error, std::string(source) + ": erwartet 96 Viertelstunden");
        return std::nullopt;
    }
    // Scaled to the annual demand, a column without energy would leave its days without
    // household demand.
    static constexpr std::array<std::string_view, 3> kTypeNames = {"SA", "FT", "WT"};
    for (std::size_t c = 0; c < 36; ++c) {
        const auto& quarterHours = profile.values[monthOf[c]][typeOf[c]];
        double sum = 0;
        for (double value : quarterHours) {
            sum += value;
        }
        if (!(sum > 0)) {
            setError(error, lineMessage(source, typeLine,
                                        "die Spalte " + std::to_string(c + 2) + " (" +
                                            std::string(kMonthNames[monthOf[c]]) + " " +
                                            std::string(kTypeNames[typeOf[c]]) +
                                            ") enthält keine Energie"));
            return std::nullopt;
        }
    }
    return profile;
}

namespace {

// The tables of the bytes of the irradiation, the temperatures and the load profile, each
// message naming its file as `sources` does.
std::shared_ptr<const ClimateTables> climateTablesOf(
    const std::array<std::string_view, 3>& bytes, const std::array<std::string, 3>& sources,
    std::string* error, std::shared_ptr<const HouseholdTables> household = nullptr) {
    auto grid = parseIrradiationGrid(bytes[0], error, sources[0]);
    if (!grid) {
        return nullptr;
    }
    auto stations = parseTemperatureStations(bytes[1], error, sources[1]);
    if (!stations) {
        return nullptr;
    }
    auto profile = parseLoadProfile(bytes[2], error, sources[2]);
    if (!profile) {
        return nullptr;
    }
    return std::make_shared<const ClimateTables>(std::move(*grid), std::move(*stations), *profile,
                                                 std::move(household));
}

// The three climate and load tables first, then the simulated home's.
std::shared_ptr<const ClimateTables> climateTablesFromFiles(std::span<const TableFile> files,
                                                            std::string* error) {
    std::shared_ptr<const HouseholdTables> household;
    if (files.size() > 3) {
        household = readHouseholdTables(files.subspan(3), error);
        if (!household) {
            return nullptr;
        }
    }
    return climateTablesOf({files[0].bytes, files[1].bytes, files[2].bytes},
                           {lumetra::utf8Path(files[0].path), lumetra::utf8Path(files[1].path),
                            lumetra::utf8Path(files[2].path)},
                           error, std::move(household));
}

const std::array<TableName, 3>& climateTableNames() {
    static const std::array<TableName, 3> names = {
        TableName{std::string(kIrradiationFileName), kIrradiationSource},
        TableName{std::string(kTemperatureFileName), kTemperatureSource},
        TableName{std::string(kLoadProfileFileName), kLoadProfileSource}};
    return names;
}

// Every table the hourly balance reads: the three above and the simulated home's.
const std::vector<TableName>& balanceTableNames() {
    static const std::vector<TableName> names = [] {
        std::vector<TableName> all(climateTableNames().begin(), climateTableNames().end());
        for (std::string& name : householdTableFileNames()) {
            all.push_back({std::move(name), kHouseholdSource});
        }
        return all;
    }();
    return names;
}

}  // namespace

std::shared_ptr<const ClimateTables> climateTablesFromBytes(std::string_view irradiation,
                                                            std::string_view temperature,
                                                            std::string_view loadProfile,
                                                            std::string* error) {
    return climateTablesOf({irradiation, temperature, loadProfile},
                           {std::string(kIrradiationFileName), std::string(kTemperatureFileName),
                            std::string(kLoadProfileFileName)},
                           error);
}

std::shared_ptr<const ClimateTables> loadClimateTables(const std::filesystem::path& irradiation,
                                                       const std::filesystem::path& temperature,
                                                       const std::filesystem::path& loadProfile,
                                                       std::string* error) {
    const std::array<const std::filesystem::path*, 3> paths = {&irradiation, &temperature,
                                                               &loadProfile};
    std::vector<TableFile> files;
    for (std::size_t k = 0; k < 3; ++k) {
        auto bytes = readTableFile(*paths[k], error);
        if (!bytes) {
            return nullptr;
        }
        files.push_back({climateTableNames()[k], *paths[k], std::move(*bytes)});
    }
    return climateTablesFromFiles(files, error);
}

std::shared_ptr<const ClimateTables> loadClimateTables(const lumetra::DataSearch& search,
                                                       std::string* error) {
    ClimateTablesLoad load = loadClimateTables(TableSearch{search, {}});
    setError(error, load.error);
    return load.tables;
}

ClimateTablesLoad loadClimateTables(const TableSearch& search) {
    ClimateTablesLoad load =
        loadTables<ClimateTables>(search, balanceTableNames(), &climateTablesFromFiles);
    // The simulated home's many tables are named by their folder, once for each folder.
    DataSources sources;
    for (DataSource& source : load.sources) {
        if (source.kind.key == kHouseholdSource.key) {
            source.path = source.path.parent_path();
            const bool named = std::any_of(sources.begin(), sources.end(), [&](const auto& s) {
                return s.kind.key == kHouseholdSource.key && s.path == source.path;
            });
            if (named) {
                continue;
            }
        }
        sources.push_back(std::move(source));
    }
    load.sources = std::move(sources);
    return load;
}

}  // namespace lumetra::simulation

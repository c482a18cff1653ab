// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/ClimateTables.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <span>
#include <stdexcept>

#include "persistence/FileAccess.h"
#include "simulation/TextFields.h"
#include "simulation/climate/Distance.h"

namespace lumetra::simulation {

namespace {

// A larger grid is not a climate table but a mistake (or a hostile file).
constexpr long kMaxGridCells = 4'000'000;

void setError(std::string* error, std::string message) {
    if (error != nullptr) {
        *error = std::move(message);
    }
}

std::string lineMessage(std::string_view file, int line, std::string_view what) {
    return std::string(file) + ", Zeile " + std::to_string(line) + ": " + std::string(what);
}

// The smallest positive gap between sorted distinct values; 0 when there is only one value.
double smallestGap(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    double gap = 0;
    for (std::size_t i = 1; i < values.size(); ++i) {
        const double d = values[i] - values[i - 1];
        if (d > 1e-9 && (gap == 0 || d < gap)) {
            gap = d;
        }
    }
    return gap;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    std::FILE* file = lumetra::openFile(path, "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

IrradiationGrid::IrradiationGrid(const std::vector<Point>& points) {
    if (points.empty()) {
        return;
    }
    std::vector<double> latitudes;
    std::vector<double> longitudes;
    latitudes.reserve(points.size());
    longitudes.reserve(points.size());
    for (const Point& p : points) {
        latitudes.push_back(p.latitude_deg);
        longitudes.push_back(p.longitude_deg);
    }
    latitudeMin_ = *std::min_element(latitudes.begin(), latitudes.end());
    longitudeMin_ = *std::min_element(longitudes.begin(), longitudes.end());
    const double latitudeMax = *std::max_element(latitudes.begin(), latitudes.end());
    const double longitudeMax = *std::max_element(longitudes.begin(), longitudes.end());
    latitudeStep_ = smallestGap(latitudes);
    longitudeStep_ = smallestGap(longitudes);
    if (latitudeStep_ == 0) {
        latitudeStep_ = 1;
    }
    if (longitudeStep_ == 0) {
        longitudeStep_ = 1;
    }
    const double rows = std::round((latitudeMax - latitudeMin_) / latitudeStep_) + 1;
    const double columns = std::round((longitudeMax - longitudeMin_) / longitudeStep_) + 1;
    // A few points spread far apart with a tiny step would ask for a huge, almost empty grid.
    if (rows * columns > static_cast<double>(kMaxGridCells) ||
        rows * columns > 8.0 * static_cast<double>(points.size()) + 1024) {
        throw std::invalid_argument("Das Gitter ist zu groß für seine Punkte");
    }
    latitudeCount_ = static_cast<int>(rows);
    longitudeCount_ = static_cast<int>(columns);
    const auto cellCount = static_cast<std::size_t>(latitudeCount_) * longitudeCount_;
    cells_.assign(cellCount, MonthArray{});
    present_.assign(cellCount, false);
    for (const Point& p : points) {
        const double i = (p.latitude_deg - latitudeMin_) / latitudeStep_;
        const double j = (p.longitude_deg - longitudeMin_) / longitudeStep_;
        // Rounded coordinates may sit a little off the node, but never a tenth of a step.
        if (std::abs(i - std::round(i)) > 0.1 || std::abs(j - std::round(j)) > 0.1) {
            throw std::invalid_argument("Die Punkte liegen nicht auf einem regelmäßigen Gitter");
        }
        const std::size_t index =
            static_cast<std::size_t>(std::lround(i)) * longitudeCount_ + std::lround(j);
        if (present_[index]) {
            throw std::invalid_argument("Ein Gitterpunkt kommt doppelt vor");
        }
        present_[index] = true;
        cells_[index] = p.months;
    }
    pointCount_ = points.size();
}

bool IrradiationGrid::contains(double latitude_deg, double longitude_deg) const {
    if (pointCount_ == 0 || !std::isfinite(latitude_deg) || !std::isfinite(longitude_deg)) {
        return false;
    }
    const double i = (latitude_deg - latitudeMin_) / latitudeStep_;
    const double j = (longitude_deg - longitudeMin_) / longitudeStep_;
    return i >= 0 && j >= 0 && i <= latitudeCount_ - 1 && j <= longitudeCount_ - 1;
}

std::optional<MonthArray> IrradiationGrid::monthlyAt(double latitude_deg,
                                                     double longitude_deg) const {
    if (!contains(latitude_deg, longitude_deg)) {
        return std::nullopt;
    }
    const double i = (latitude_deg - latitudeMin_) / latitudeStep_;
    const double j = (longitude_deg - longitudeMin_) / longitudeStep_;
    const int i0 = std::min(static_cast<int>(i), latitudeCount_ - 1);
    const int j0 = std::min(static_cast<int>(j), longitudeCount_ - 1);
    const int i1 = std::min(i0 + 1, latitudeCount_ - 1);
    const int j1 = std::min(j0 + 1, longitudeCount_ - 1);
    const double fi = i - i0;
    const double fj = j - j0;
    const int rowsOf[4] = {i0, i0, i1, i1};
    const int columnsOf[4] = {j0, j1, j0, j1};
    const double weights[4] = {(1 - fi) * (1 - fj), (1 - fi) * fj, fi * (1 - fj), fi * fj};

    MonthArray result{};
    double weightSum = 0;
    for (int k = 0; k < 4; ++k) {
        const std::size_t index =
            static_cast<std::size_t>(rowsOf[k]) * longitudeCount_ + columnsOf[k];
        if (!present_[index] || weights[k] <= 0) {
            continue;
        }
        weightSum += weights[k];
        for (std::size_t m = 0; m < 12; ++m) {
            result[m] += weights[k] * cells_[index][m];
        }
    }
    if (weightSum <= 0) {
        // The site sits exactly on missing nodes: take any present corner.
        for (int k = 0; k < 4; ++k) {
            const std::size_t index =
                static_cast<std::size_t>(rowsOf[k]) * longitudeCount_ + columnsOf[k];
            if (present_[index]) {
                return cells_[index];
            }
        }
        return std::nullopt;
    }
    for (double& value : result) {
        value /= weightSum;
    }
    return result;
}

ClimateTables::ClimateTables(IrradiationGrid grid, std::vector<TemperatureStation> stations,
                             LoadProfile profile)
    : grid_(std::move(grid)), stations_(std::move(stations)), profile_(profile) {}

std::optional<MonthArray> ClimateTables::stationTemperature(double latitude_deg,
                                                            double longitude_deg,
                                                            double maxDistance_km) const {
    if (!std::isfinite(latitude_deg) || !std::isfinite(longitude_deg)) {
        return std::nullopt;
    }
    const TemperatureStation* nearest = nullptr;
    double best = maxDistance_km;
    for (const TemperatureStation& station : stations_) {
        const double d = greatCircleDistance_km(latitude_deg, longitude_deg, station.latitude_deg,
                                                station.longitude_deg);
        if (d <= best) {
            best = d;
            nearest = &station;
        }
    }
    if (nearest == nullptr) {
        return std::nullopt;
    }
    return nearest->months;
}

std::optional<IrradiationGrid> parseIrradiationGrid(std::string_view bytes, std::string* error) {
    constexpr std::string_view kFile = kIrradiationFileName;
    std::vector<IrradiationGrid::Point> points;
    std::vector<std::string_view> fields;
    std::vector<double> numbers;
    int lineNumber = 0;
    for (std::string_view line : TextLines(bytes)) {
        ++lineNumber;
        if (isSkippedLine(line)) {
            continue;
        }
        splitFields(line, ';', fields);
        if (fields.size() != 14 || !parseNumbers(fields, numbers)) {
            setError(error, lineMessage(kFile, lineNumber,
                                        "erwartet Breitengrad;Längengrad;12 Monatswerte"));
            return std::nullopt;
        }
        IrradiationGrid::Point point{numbers[0], numbers[1], {}};
        if (std::abs(point.latitude_deg) > 90 || std::abs(point.longitude_deg) > 180) {
            setError(error, lineMessage(kFile, lineNumber, "Koordinaten außerhalb der Erde"));
            return std::nullopt;
        }
        for (std::size_t m = 0; m < 12; ++m) {
            point.months[m] = numbers[m + 2];
            if (point.months[m] < 0 || point.months[m] > 1000) {
                setError(error, lineMessage(kFile, lineNumber, "Monatswert außerhalb 0..1000"));
                return std::nullopt;
            }
        }
        points.push_back(point);
    }
    if (points.empty()) {
        setError(error, std::string(kFile) + ": keine Gitterpunkte");
        return std::nullopt;
    }
    try {
        return IrradiationGrid(points);
    } catch (const std::invalid_argument& problem) {
        setError(error, std::string(kFile) + ": " + problem.what());
        return std::nullopt;
    }
}

std::optional<std::vector<TemperatureStation>> parseTemperatureStations(std::string_view bytes,
                                                                        std::string* error) {
    constexpr std::string_view kFile = kTemperatureFileName;
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
            setError(error, lineMessage(kFile, lineNumber,
                                        "erwartet Station;Breitengrad;Längengrad;Höhe;12 Werte"));
            return std::nullopt;
        }
        std::vector<std::string_view> numeric{fields[1], fields[2]};
        numeric.insert(numeric.end(), fields.begin() + 4, fields.end());
        if (!parseNumbers(numeric, numbers)) {
            setError(error, lineMessage(kFile, lineNumber, "keine Zahl"));
            return std::nullopt;
        }
        TemperatureStation station;
        station.name = std::string(fields[0]);
        station.latitude_deg = numbers[0];
        station.longitude_deg = numbers[1];
        if (std::abs(station.latitude_deg) > 90 || std::abs(station.longitude_deg) > 180) {
            setError(error, lineMessage(kFile, lineNumber, "Koordinaten außerhalb der Erde"));
            return std::nullopt;
        }
        for (std::size_t m = 0; m < 12; ++m) {
            station.months[m] = numbers[m + 2];
            if (station.months[m] < -90 || station.months[m] > 60) {
                setError(error, lineMessage(kFile, lineNumber, "Temperatur außerhalb -90..60 °C"));
                return std::nullopt;
            }
        }
        const std::string_view altitude[] = {fields[3]};
        if (std::vector<double> value; parseNumbers(altitude, value) && std::abs(value[0]) < 9000) {
            station.altitude_m = value[0];
        }
        stations.push_back(std::move(station));
    }
    return stations;
}

std::optional<LoadProfile> parseLoadProfile(std::string_view bytes, std::string* error) {
    constexpr std::string_view kFile = kLoadProfileFileName;
    constexpr std::array<std::string_view, 12> kMonthNames = {
        "Januar", "Februar", "März",      "April",   "Mai",      "Juni",
        "Juli",   "August",  "September", "Oktober", "November", "Dezember"};

    LoadProfile profile;
    // Column c (1..36) of the data lines: its month and day type, from the two heading lines.
    std::vector<int> monthOf;
    std::vector<int> typeOf;
    std::array<std::array<bool, 3>, 12> seen{};
    int lineNumber = 0;
    // The headings are the first two lines that are not empty, so that data never comes before
    // the columns are known, whatever blank lines lead the file.
    int headingLines = 0;
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
            splitFields(line, ',', fields);
            for (std::size_t c = 1; c < fields.size(); ++c) {
                typeOf.push_back(fields[c] == "SA"   ? 0
                                 : fields[c] == "FT" ? 1
                                 : fields[c] == "WT" ? 2
                                                     : -1);
            }
            if (monthOf.size() != 36 || typeOf.size() != 36) {
                setError(error, lineMessage(kFile, lineNumber, "erwartet 36 Spalten"));
                return std::nullopt;
            }
            for (std::size_t c = 0; c < 36; ++c) {
                if (monthOf[c] < 0 || typeOf[c] < 0 || seen[monthOf[c]][typeOf[c]]) {
                    setError(error, lineMessage(kFile, lineNumber,
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
                     lineMessage(kFile, lineNumber, "erwartet eine Viertelstunde mit 36 Werten"));
            return std::nullopt;
        }
        for (std::size_t c = 0; c < 36; ++c) {
            if (numbers[c] < 0 || numbers[c] > 1e6) {
                setError(error, lineMessage(kFile, lineNumber, "Wert außerhalb 0..1000000"));
                return std::nullopt;
            }
            profile.values[monthOf[c]][typeOf[c]][dataLines] = numbers[c];
        }
        ++dataLines;
    }
    if (dataLines != 96) {
        setError(error, std::string(kFile) + ": erwartet 96 Viertelstunden");
        return std::nullopt;
    }
    return profile;
}

std::shared_ptr<const ClimateTables> climateTablesFromBytes(std::string_view irradiation,
                                                            std::string_view temperature,
                                                            std::string_view loadProfile,
                                                            std::string* error) {
    auto grid = parseIrradiationGrid(irradiation, error);
    if (!grid) {
        return nullptr;
    }
    auto stations = parseTemperatureStations(temperature, error);
    if (!stations) {
        return nullptr;
    }
    auto profile = parseLoadProfile(loadProfile, error);
    if (!profile) {
        return nullptr;
    }
    return std::make_shared<const ClimateTables>(std::move(*grid), std::move(*stations), *profile);
}

std::shared_ptr<const ClimateTables> loadClimateTables(const std::filesystem::path& irradiation,
                                                       const std::filesystem::path& temperature,
                                                       const std::filesystem::path& loadProfile,
                                                       std::string* error) {
    std::array<std::string, 3> bytes;
    const std::array<const std::filesystem::path*, 3> paths = {&irradiation, &temperature,
                                                               &loadProfile};
    for (std::size_t k = 0; k < 3; ++k) {
        auto content = readWholeFile(*paths[k]);
        if (!content) {
            setError(error, "Die Datei " + paths[k]->string() + " konnte nicht geöffnet werden");
            return nullptr;
        }
        bytes[k] = std::move(*content);
    }
    return climateTablesFromBytes(bytes[0], bytes[1], bytes[2], error);
}

std::shared_ptr<const ClimateTables> loadClimateTables(const lumetra::DataSearch& search,
                                                       std::string* error) {
    return loadClimateTables(lumetra::findDataFile(search, kIrradiationFileName),
                             lumetra::findDataFile(search, kTemperatureFileName),
                             lumetra::findDataFile(search, kLoadProfileFileName), error);
}

}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <vector>

#include "simulation/TextFields.h"
#include "simulation/weather/WeatherReaders.h"
#include "simulation/weather/WeatherRows.h"

namespace lumetra::simulation {

namespace {

// The fields of a data line (0-based), as the EnergyPlus auxiliary programs' manual lists them.
constexpr std::size_t kMonth = 1;
constexpr std::size_t kDay = 2;
constexpr std::size_t kHour = 3;  // 1..24: the hour ending then
constexpr std::size_t kDryBulb = 6;
constexpr std::size_t kGlobal = 13;
constexpr std::size_t kDiffuse = 15;
constexpr std::size_t kWind = 21;
constexpr std::size_t kDataFields = 22;

constexpr std::string_view kPvgisOffset = "Irradiance Time Offset (h):";

bool failed(std::string* error, int line, std::string_view what) {
    if (error != nullptr) {
        *error = lineError(line, what);
    }
    return false;
}

// A whole number within low..high, read from a double without undefined conversions.
bool wholeNumber(double value, int low, int high, int& out) {
    if (!(value >= low && value <= high) || value != std::floor(value)) {
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

bool isDataLine(std::string_view line) {
    return !line.empty() && ((line.front() >= '0' && line.front() <= '9') || line.front() == '-');
}

}  // namespace

std::optional<WeatherFile> parseEpw(std::string_view bytes, std::string* error) {
    WeatherFile file;
    file.format = WeatherFile::Format::Epw;
    file.irradianceInstant_h = 0.5;   // the hour's irradiation: its middle
    file.temperatureInstant_h = 1.0;  // at the hour's end
    WeatherRows rows(file);
    bool located = false;
    int lineNumber = 0;
    std::vector<std::string_view> fields;
    std::vector<double> numbers;
    for (std::string_view line : TextLines(bytes)) {
        ++lineNumber;
        if (lineNumber == 1) {
            splitFields(line, ',', fields);
            const std::string_view location[] = {fields.size() >= 10 ? fields[6] : "",
                                                 fields.size() >= 10 ? fields[7] : "",
                                                 fields.size() >= 10 ? fields[8] : ""};
            if (fields.empty() || fields[0] != "LOCATION" || !parseNumbers(location, numbers) ||
                std::abs(numbers[0]) > 90 || std::abs(numbers[1]) > 180 ||
                std::abs(numbers[2]) > 14) {
                failed(error, lineNumber,
                       "erwartet LOCATION mit Breitengrad, Längengrad und Zeitzone");
                return std::nullopt;
            }
            file.latitude_deg = numbers[0];
            file.longitude_deg = numbers[1];
            file.utcOffset_h = numbers[2];
            located = true;
            continue;
        }
        if (!isDataLine(line)) {
            if (const std::size_t at = line.find(kPvgisOffset); at != std::string_view::npos) {
                const std::string_view offset[] = {line.substr(at + kPvgisOffset.size())};
                splitFields(offset[0], ',', fields);
                const std::string_view first[] = {fields[0]};
                if (parseNumbers(first, numbers)) {
                    // PVGIS writes its rows in UTC whatever the LOCATION line says, and gives
                    // the irradiance's instant from the end of the row's hour.
                    file.utcOffset_h = 0;
                    file.irradianceInstant_h = 1.0 + numbers[0];
                    file.temperatureInstant_h = 0.0;
                }
            } else if (line.substr(0, 12) == "DATA PERIODS") {
                splitFields(line, ',', fields);
                if (fields.size() < 3 || fields[2] != "1") {
                    failed(error, lineNumber, "nur Dateien mit einem Wert je Stunde");
                    return std::nullopt;
                }
            }
            continue;
        }
        splitFields(line, ',', fields);
        if (fields.size() < kDataFields) {
            failed(error, lineNumber, "erwartet mindestens 22 Felder");
            return std::nullopt;
        }
        const std::string_view numeric[] = {fields[kMonth],   fields[kDay],    fields[kHour],
                                            fields[kDryBulb], fields[kGlobal], fields[kDiffuse],
                                            fields[kWind]};
        if (!parseNumbers(numeric, numbers)) {
            failed(error, lineNumber, "keine Zahl in Datum, Temperatur, Strahlung oder Wind");
            return std::nullopt;
        }
        int month = 0;
        int day = 0;
        int hour = 0;
        if (!wholeNumber(numbers[0], 1, 12, month) || !wholeNumber(numbers[1], 1, 31, day) ||
            !wholeNumber(numbers[2], 1, 24, hour)) {
            failed(error, lineNumber, "Monat, Tag oder Stunde (1 bis 24) ungültig");
            return std::nullopt;
        }
        if (!rows.add(lineNumber, month, day, hour - 1, numbers[4], numbers[5], numbers[3],
                      numbers[6], error)) {
            return std::nullopt;
        }
    }
    if (!located) {
        failed(error, 1, "erwartet LOCATION");
        return std::nullopt;
    }
    if (!rows.complete(lineNumber, error)) {
        return std::nullopt;
    }
    return file;
}

}  // namespace lumetra::simulation

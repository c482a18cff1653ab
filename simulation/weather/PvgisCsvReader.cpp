// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

#include "simulation/TextFields.h"
#include "simulation/weather/PvgisTimeStamp.h"
#include "simulation/weather/WeatherReaders.h"
#include "simulation/weather/WeatherRows.h"

namespace lumetra::simulation {

namespace {

std::string_view trimmedText(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// The number after "Name (unit):" of a heading line, if the line begins with `name`.
std::optional<double> headingValue(std::string_view line, std::string_view name) {
    if (line.substr(0, name.size()) != name) {
        return std::nullopt;
    }
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view field[] = {trimmedText(line.substr(colon + 1))};
    std::vector<double> number;
    if (!parseNumbers(field, number)) {
        return std::nullopt;
    }
    return number[0];
}

}  // namespace

std::optional<WeatherFile> parsePvgisCsv(std::string_view bytes, std::string* error) {
    WeatherFile file;
    file.format = WeatherFile::Format::PvgisCsv;
    file.irradianceInstant_h = 0;  // PVGIS's own offset, where it states one
    file.temperatureInstant_h = 0;
    std::optional<double> latitude;
    std::optional<double> longitude;
    WeatherRows rows(file);

    // Columns of the table: time, T2m, G(h), Gd(h), WS10m.
    constexpr std::array<std::string_view, 5> kColumns = {"time(UTC)", "T2m", "G(h)", "Gd(h)",
                                                          "WS10m"};
    std::array<std::size_t, 5> column{};
    bool inTable = false;
    int lineNumber = 0;
    std::vector<std::string_view> fields;
    std::vector<double> numbers;
    std::vector<std::string_view> numeric(4);
    for (std::string_view line : TextLines(bytes)) {
        ++lineNumber;
        if (!inTable) {
            if (auto value = headingValue(line, "Latitude")) {
                latitude = value;
            } else if (auto east = headingValue(line, "Longitude")) {
                longitude = east;
            } else if (auto offset = headingValue(line, "Irradiance Time Offset")) {
                file.irradianceInstant_h = *offset;
            } else if (line.substr(0, 5) == "time(") {
                splitFields(line, ',', fields);
                for (std::size_t c = 0; c < kColumns.size(); ++c) {
                    const auto at = std::find(fields.begin(), fields.end(), kColumns[c]);
                    if (at == fields.end()) {
                        if (error != nullptr) {
                            *error = lineError(lineNumber,
                                               "Spalte " + std::string(kColumns[c]) + " fehlt");
                        }
                        return std::nullopt;
                    }
                    column[c] = static_cast<std::size_t>(at - fields.begin());
                }
                if (!latitude || !longitude) {
                    if (error != nullptr) {
                        *error = lineError(lineNumber, "Breiten- oder Längengrad fehlt");
                    }
                    return std::nullopt;
                }
                inTable = true;
            }
            continue;
        }
        if (trimmedText(line).empty()) {
            break;  // the legend follows the table
        }
        splitFields(line, ',', fields);
        const std::size_t needed = *std::max_element(column.begin(), column.end()) + 1;
        const auto stamp =
            fields.size() >= needed ? parsePvgisTimeStamp(fields[column[0]]) : std::nullopt;
        for (std::size_t c = 1; c < 5 && fields.size() >= needed; ++c) {
            numeric[c - 1] = fields[column[c]];
        }
        if (!stamp || !parseNumbers(numeric, numbers)) {
            if (error != nullptr) {
                *error = lineError(lineNumber, "erwartet Zeitpunkt und Zahlen in jeder Spalte");
            }
            return std::nullopt;
        }
        if (!rows.add(lineNumber, stamp->month, stamp->day, stamp->hour, numbers[1], numbers[2],
                      numbers[0], numbers[3], error)) {
            return std::nullopt;
        }
    }
    if (!inTable) {
        if (error != nullptr) {
            *error = lineError(lineNumber, "keine Tabelle \"time(UTC),...\" gefunden");
        }
        return std::nullopt;
    }
    if (!rows.complete(lineNumber, error)) {
        return std::nullopt;
    }
    file.latitude_deg = *latitude;
    file.longitude_deg = *longitude;
    return file;
}

}  // namespace lumetra::simulation

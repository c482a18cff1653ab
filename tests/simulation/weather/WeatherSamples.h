// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace lumetra::test {

// PVGIS's typical year for 45.0 N, 8.0 E (tests/data/weather/SOURCES.md).
inline std::filesystem::path weatherSample(std::string_view extension) {
    return std::filesystem::path(LUMETRA_SOURCE_DIR) / "tests" / "data" / "weather" /
           ("pvgis-tmy_45.000_8.000_2005_2023." + std::string(extension));
}

inline std::string weatherSampleText(std::string_view extension) {
    std::ifstream in(weatherSample(extension), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The sample's table in the layout of PVGIS's JSON output, one hour per line: the same hours,
// written as PVGIS writes its JSON.
inline std::string pvgisJsonOf(const std::string& csv) {
    std::string json =
        "{\"inputs\": {\"location\": {\"latitude\": 45.0, \"longitude\": 8.0, \"elevation\": "
        "250.0, \"irradiance_time_offset\": 0.1761}},\n\"outputs\": {\"tmy_hourly\": [";
    std::istringstream lines(csv);
    std::string line;
    bool first = true;
    while (std::getline(lines, line)) {
        if (line.size() < 14 || line[8] != ':' || line[0] < '0' || line[0] > '9') {
            continue;
        }
        std::string fields[10];
        std::istringstream row(line);
        for (std::string& field : fields) {
            std::getline(row, field, ',');
        }
        json += first ? "\n" : ",\n";
        first = false;
        json += "{\"time(UTC)\": \"" + fields[0] + "\", \"T2m\": " + fields[1] +
                ", \"RH\": " + fields[2] + ", \"G(h)\": " + fields[3] +
                ", \"Gb(n)\": " + fields[4] + ", \"Gd(h)\": " + fields[5] +
                ", \"IR(h)\": " + fields[6] + ", \"WS10m\": " + fields[7] +
                ", \"WD10m\": " + fields[8] + ", \"SP\": " + fields[9] + "}";
    }
    return json + "]}}\n";
}

}  // namespace lumetra::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace lumetra::test {

// The shipped tables of the hourly balance, and copies of them changed as a test needs.

inline std::string shippedTableText(const std::string& name) {
    std::ifstream in(std::filesystem::path(LUMETRA_DATA_DIR) / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeTable(const std::filesystem::path& folder, const std::string& name,
                       const std::string& text) {
    std::filesystem::create_directories((folder / name).parent_path());
    std::ofstream(folder / name, std::ios::binary) << text;
}

// Each data line of a ';'- or ','-separated table (or only line `onlyLine`) with the fields from
// `first` on replaced by `value`; the first `headingLines` lines and comment lines (';') stay.
inline std::string tableWithValues(const std::string& text, char separator, int first,
                                   const std::string& value, int headingLines = 0,
                                   int onlyLine = 0) {
    std::istringstream lines(text);
    std::string result;
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (number > headingLines && !line.empty() && line[0] != ';' &&
            (onlyLine == 0 || number == onlyLine)) {
            std::string changed;
            int field = 0;
            for (std::size_t start = 0;; ++field) {
                const std::size_t end = line.find(separator, start);
                changed += field >= first ? value : line.substr(start, end - start);
                if (end == std::string::npos) {
                    break;
                }
                changed += separator;
                start = end + 1;
            }
            line = changed;
        }
        result += line + "\n";
    }
    return result;
}

// The shipped stations with every monthly mean at `celsius`; only the station of line
// `onlyLine` when given.
inline std::string stationsAt(const std::string& celsius, int onlyLine = 0) {
    return tableWithValues(shippedTableText("MonthlyTemperature.csv"), ';', 4, celsius, 0,
                           onlyLine);
}

// The shipped load profile's headings with every quarter hour at zero.
inline std::string loadProfileOfZeros() {
    return tableWithValues(shippedTableText("LoadProfileH25.csv"), ',', 1, "0", 2);
}

// The shipped irradiation table cut after `bytes` bytes, as a copy that broke off.
inline std::string irradiationCutAt(std::size_t bytes) {
    return shippedTableText("MonthlyIrradiation.csv").substr(0, bytes);
}

}  // namespace lumetra::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/measured/MeasuredLayout.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "simulation/TextFields.h"
#include "simulation/measured/MeasuredText.h"
#include "support/CharClass.h"
#include "support/Windows1252.h"

namespace lumetra::simulation {

namespace {

constexpr std::array<char, 2> kSeparators = {';', ','};

bool isWordCharacter(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

void setError(std::string* error, std::string message) {
    if (error != nullptr) {
        *error = std::move(message);
    }
}

std::string columnList(const MeasuredLayout& layout) {
    std::string list;
    for (std::size_t c = 1; c < layout.columns.size(); ++c) {
        list += (c > 1 ? ", " : "") + std::to_string(layout.columns[c].number) + " „" +
                layout.columns[c].name + "“";
    }
    return list;
}

}  // namespace

std::optional<MeasuredUnit> unitInColumnName(std::string_view name) {
    constexpr std::pair<std::string_view, MeasuredUnit> kUnits[] = {{"kWh", MeasuredUnit::kWh},
                                                                    {"Wh", MeasuredUnit::Wh},
                                                                    {"kW", MeasuredUnit::kW},
                                                                    {"W", MeasuredUnit::W}};
    std::optional<MeasuredUnit> unit;
    std::size_t position = 0;
    while (position < name.size()) {
        std::size_t end = position;
        while (end < name.size() && isWordCharacter(name[end])) {
            ++end;
        }
        const std::string_view word = name.substr(position, end - position);
        for (const auto& [text, candidate] : kUnits) {
            if (equalsIgnoringCase(word, text)) {
                unit = candidate;
            }
        }
        position = end + 1;
    }
    return unit;
}

std::optional<MeasuredLayout> detectMeasuredLayout(std::string_view bytes, std::string* error) {
    std::vector<std::string_view> fields;
    std::string_view previous;  // the last non-empty line before the current one
    int lineNumber = 0;
    for (std::string_view line : TextLines(bytes)) {
        ++lineNumber;
        if (line.find_first_not_of(" \t") == std::string_view::npos) {
            continue;
        }
        for (char separator : kSeparators) {
            splitQuotedFields(line, separator, fields);
            if (fields.size() < 2 || !parseTimeStamp(fields[0])) {
                continue;
            }
            MeasuredLayout layout;
            layout.separator = separator;
            layout.decimalComma = separator == ';';
            layout.firstDataLine = lineNumber;
            // Exports often end each line with a separator.
            std::size_t count = fields.size();
            while (count > 2 && fields[count - 1].empty()) {
                --count;
            }
            std::vector<std::string> names(count);
            if (!previous.empty()) {
                splitQuotedFields(previous, separator, fields);
                if (fields.size() >= count && !parseTimeStamp(fields[0])) {
                    count = fields.size();
                    names.assign(fields.size(), {});
                    for (std::size_t c = 0; c < fields.size(); ++c) {
                        names[c] = lumetra::windows1252ToUtf8(fields[c]);
                    }
                }
            }
            for (std::size_t c = 0; c < count; ++c) {
                const int number = static_cast<int>(c) + 1;
                std::string name = names[c].empty() ? "Spalte " + std::to_string(number) : names[c];
                const auto unit = unitInColumnName(name);
                layout.columns.push_back({number, std::move(name), unit});
            }
            return layout;
        }
        previous = line;
    }
    setError(error,
             "Keine Zeile beginnt mit einer Zeit (erwartet TT.MM.JJJJ hh:mm mit ';' oder "
             "JJJJ-MM-TTThh:mm mit ',')");
    return std::nullopt;
}

std::optional<MeasuredColumn> chooseMeasuredColumn(const MeasuredLayout& layout,
                                                   std::string_view choice, std::string* error) {
    if (choice.empty()) {
        if (layout.columns.size() == 2) {
            return layout.columns[1];
        }
        setError(error,
                 "Die Datei hat mehrere Wertespalten; bitte eine wählen: " + columnList(layout));
        return std::nullopt;
    }
    for (std::size_t c = 1; c < layout.columns.size(); ++c) {
        if (layout.columns[c].name == choice) {
            return layout.columns[c];
        }
    }
    int number = 0;
    const auto [end, failure] =
        std::from_chars(choice.data(), choice.data() + choice.size(), number);
    if (failure == std::errc() && end == choice.data() + choice.size()) {
        if (number == 1) {
            setError(error, "Spalte 1 enthält die Zeit; bitte eine Wertespalte wählen: " +
                                columnList(layout));
            return std::nullopt;
        }
        if (number >= 2 && number <= static_cast<int>(layout.columns.size())) {
            return layout.columns[static_cast<std::size_t>(number - 1)];
        }
    }
    setError(error, "Die Spalte „" + lumetra::windows1252ToUtf8(choice) +
                        "“ gibt es nicht; die Datei hat: " + columnList(layout));
    return std::nullopt;
}

}  // namespace lumetra::simulation

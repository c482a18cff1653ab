// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "simulation/measured/MeasuredLoad.h"

namespace lumetra::simulation {

// How a measured-load file is laid out.
struct MeasuredLayout {
    char separator = ';';
    bool decimalComma = true;  // with ';'; a decimal point with ','
    int firstDataLine = 0;     // 1-based: the first line that begins with a time stamp
    std::vector<MeasuredColumn> columns;
};

// The layout: the first line that splits at ';' (else ',') into at least two fields, the first
// of them a time stamp, begins the data; the non-empty line before it, when it has as many
// fields or more and is no data itself, names the columns. std::nullopt and a message when no
// line begins with a time stamp.
std::optional<MeasuredLayout> detectMeasuredLayout(std::string_view bytes, std::string* error);

// The unit a column's name gives, the last of "kWh", "Wh", "kW", "W" written as a word of its
// own (any case; "Verbrauch [kWh]", "demand_kWh", "Leistung in W").
std::optional<MeasuredUnit> unitInColumnName(std::string_view name);

// The column `choice` names (a name, else a number counted from 1), or the only value column
// when `choice` is empty; std::nullopt and a message naming the columns otherwise.
std::optional<MeasuredColumn> chooseMeasuredColumn(const MeasuredLayout& layout,
                                                   std::string_view choice, std::string* error);

}  // namespace lumetra::simulation

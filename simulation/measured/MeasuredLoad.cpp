// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/measured/MeasuredLoad.h"

#include <numeric>

#include "simulation/measured/CivilTime.h"
#include "simulation/measured/MeasuredLayout.h"
#include "simulation/measured/MeasuredRecords.h"
#include "simulation/measured/MeasuredYear.h"

namespace lumetra::simulation {

std::optional<std::vector<MeasuredColumn>> measuredLoadColumns(std::string_view bytes,
                                                               std::string* error) {
    std::optional<MeasuredLayout> layout = detectMeasuredLayout(bytes, error);
    if (!layout) {
        return std::nullopt;
    }
    return std::move(layout->columns);
}

std::optional<MeasuredLoad> readMeasuredLoad(std::string_view bytes,
                                             const MeasuredLoadTarget& target,
                                             const MeasuredLoadOptions& options,
                                             std::string* error) {
    if (isLeapYear(target.referenceYear)) {
        if (error != nullptr) {
            *error = "Das Bezugsjahr muss 365 Tage haben";
        }
        return std::nullopt;
    }
    const std::optional<MeasuredLayout> layout = detectMeasuredLayout(bytes, error);
    if (!layout) {
        return std::nullopt;
    }
    MeasuredLoad load;
    const std::optional<MeasuredColumn> column =
        chooseMeasuredColumn(*layout, options.column, error);
    if (!column) {
        return std::nullopt;
    }
    load.column = *column;
    const std::optional<MeasuredUnit> unit = options.unit ? options.unit : column->unit;
    if (!unit) {
        if (error != nullptr) {
            *error = "Die Einheit der Spalte „" + column->name +
                     "“ ist nicht zu erkennen; bitte angeben: Wh oder kWh (Energie je "
                     "Zeitschritt), W oder kW (mittlere Leistung)";
        }
        return std::nullopt;
    }
    load.unit = *unit;
    std::optional<std::vector<MeasuredRecord>> records =
        readMeasuredRecords(bytes, *layout, *column, error);
    if (!records) {
        return std::nullopt;
    }
    load.timeBasis = resolveTimeBasis(*records, options.timeBasis, target.utcOffset_min);
    if (!toStandardTime(*records, load.timeBasis, target.utcOffset_min, error)) {
        return std::nullopt;
    }
    const std::optional<MeasuredYear> year =
        measuredYear(*records, load.unit, load.timeBasis, target.utcOffset_min, error);
    if (!year) {
        return std::nullopt;
    }
    load.stepMinutes = year->stepMinutes;
    load.leapDayDropped = year->leapDay.has_value();
    load.filledGaps = year->filledGaps;
    load.firstTime = fileTimeText(year->first_min, load.timeBasis, target.utcOffset_min);
    load.quarterHours_kWh = onReferenceYear(*year, target.referenceYear);
    load.annual_kWh =
        std::accumulate(load.quarterHours_kWh.begin(), load.quarterHours_kWh.end(), 0.0);
    return load;
}

}  // namespace lumetra::simulation

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "model/ModuleFieldRowCache.h"
#include "model/ModuleFieldTable.h"
#include "model/Quantity.h"

namespace lumetra {

using MonthlyValues = std::array<double, 12>;  // index 0 = January of the site's calendar
using QuantityValues = std::array<double, kQuantityCount>;
using QuantityFlags = std::array<bool, kQuantityCount>;

// The monthly figures and module totals kept by the yield and balance relations. All 0 when
// the calculator is created; each relation overwrites only its own.
struct MonthlyFigures {
    MonthlyValues monthlyYield{};        // kWh
    MonthlyValues monthlyHeating{};      // kWh
    MonthlyValues monthlyCooling{};      // kWh
    MonthlyValues monthlyConsumption{};  // kWh
    MonthlyValues monthlySelfUse{};      // kWh
    MonthlyValues monthlyPurchase{};     // kWh
    double maxMonthlyYield = 0;          // kWh
    double maxMonthlyConsumption = 0;    // kWh
    double peakDailyDemand = 0;          // kWh per day
    double peakDaytimeDemand = 0;        // kWh per day
    double totalModuleArea = 0;          // m²
    double totalPeakPower = 0;           // Wp
};

// Everything the main dialog owns of the model: the value store, the preset state, the
// monthly figures and the two redraw requests.
struct CalculatorState {
    QuantityValues values{};
    QuantityFlags preset{};
    QuantityFlags derived{};
    std::array<std::uint32_t, kQuantityCount> presetStamp{};
    std::uint32_t stampCounter = 0;

    MonthlyFigures figures;

    bool tableRefreshPending = false;  // the refresh tick reformats the table rows
    bool chartRedrawPending = false;   // the refresh tick redraws the monthly chart

    // The always-last empty row of the module-field table; not a field.
    RowHandle placeholderRow = kNoRow;

    // The rows as the yield relation and the refresh tick last saw them.
    YieldRowCache yieldRows;
    RowFormatCache formattedRows;
};

}  // namespace lumetra

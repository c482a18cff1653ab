// SPDX-License-Identifier: GPL-3.0-or-later
#include "energy/YieldBalance.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "energy/ModuleFieldColumns.h"
#include "energy/ModuleFieldRules.h"
#include "energy/MonthlyShares.h"
#include "energy/OrientationFactor.h"
#include "support/Angles.h"
#include "support/TextFormat.h"

namespace lumetra {

namespace {

constexpr double kOneTwelfth = 0.08333333333333333;
constexpr double kPerMonthDay = 0.03289473684210526;   // a month has 30.4 days
constexpr double kPerYearDay = 0.0027412280701754384;  // a year has 364.8 days

std::size_t monthIndex(int month, int shift) {
    return static_cast<std::size_t>((month + shift) % 12);
}

// How strongly the seasons swing at a latitude, relative to the reference latitude: the
// difference of the noon sun's height ten degrees either side, 0 at the equator, 1 at
// 50.5 degrees, about 1.296 at the poles.
double seasonalSwing(double latitude) {
    const double here = std::abs(std::cos((latitude + 10) * kDegreesToRadians) -
                                 std::cos((latitude - 10) * kDegreesToRadians));
    const double reference =
        std::abs(std::cos(60.5 * kDegreesToRadians) - std::cos(40.5 * kDegreesToRadians));
    return here / reference;
}

}  // namespace

MonthlyValues irradiationShape(double latitude, double* shapeSum) {
    const double ratio = seasonalSwing(latitude);

    double shareSum = 0;
    for (double share : kIrradiationShare) {
        shareSum += share;
    }
    const double average = shareSum * kOneTwelfth;
    std::array<double, 12> scaled{};
    double scaledSum = 0;
    for (std::size_t j = 0; j < 12; ++j) {
        scaled[j] = average + (kIrradiationShare[j] - average) * ratio;
        // Near the poles the swing would take the darkest month below nothing; it gets
        // nothing, and the year is spread over the others.
        if (scaled[j] < 0) {
            scaled[j] = 0;
        }
        scaledSum += scaled[j];
    }
    if (shapeSum != nullptr) {
        *shapeSum = scaledSum;
    }
    return scaled;
}

void splitAnnualYield(CalculatorState& state) {
    const auto& v = state.values;
    MonthlyFigures& figures = state.figures;
    double scaledSum = 0;
    const MonthlyValues scaled = irradiationShape(v[Latitude], &scaledSum);

    const int shift = seasonShift(v[Latitude]);
    figures.maxMonthlyYield = 0;
    for (int j = 0; j < 12; ++j) {
        const double month = v[AnnualYield] * scaled[static_cast<std::size_t>(j)] / scaledSum;
        if (month > figures.maxMonthlyYield) {
            figures.maxMonthlyYield = month;
        }
        figures.monthlyYield[monthIndex(j, shift)] = month;
    }
}

namespace {

// The demand of month i without the battery question: base loads spread evenly plus the
// month's heating and cooling.
double monthlyDemand(const CalculatorState& state, std::size_t i) {
    const auto& v = state.values;
    return v[HouseholdElectricity] / 12 + v[WaterElectricity] / 12 + v[CarElectricity] / 12 +
           state.figures.monthlyCooling[i] + state.figures.monthlyHeating[i];
}

}  // namespace

namespace {

using SiteFigures = std::array<double, 3>;  // latitude, ideal yield per area, power per area

bool sameSite(const SiteFigures& a, const SiteFigures& b) {
    // Compared bit for bit: a figure that only compares equal (0 and -0) may still change a
    // row's texts.
    return std::memcmp(a.data(), b.data(), sizeof(SiteFigures)) == 0;
}

// Completes one row and writes its power and yield; the placeholder row only takes its place.
YieldRowCache::Row evaluateRow(ModuleFieldTable& table, RowHandle row, RowHandle placeholder,
                               const SiteFigures& site) {
    YieldRowCache::Row entry;
    entry.handle = row;
    if (row == placeholder) {
        return entry;
    }
    completeModuleFieldRow(table, row, -1, {});

    const double area = readCellValue(table.cellText(row, ColumnArea));
    const double azimuth = readCellValue(table.cellText(row, ColumnAzimuth));
    const double tilt = readCellValue(table.cellText(row, ColumnTilt));

    const double power = area * site[2];
    table.setCellText(row, ColumnPower, formatString("%.0F Wp ", power));

    // A row's yield is before the installation's losses.
    const double yield = site[1] * area * orientationFactor(tilt, azimuth, site[0]);
    table.setCellText(row, ColumnYield, formatString("%.1F kWh ", yield));

    entry.counts = true;
    entry.area = area;
    entry.power = power;
    entry.yield = yield;
    return entry;
}

// Reads the rows again in display order; a row that is not `stale` (and was kept) keeps its
// figures. `stale` null: every row is read.
void rebuildRows(YieldRowCache& cache, ModuleFieldTable& table, RowHandle placeholder,
                 const SiteFigures& site, const std::unordered_set<RowHandle>* stale) {
    std::vector<YieldRowCache::Row> rows;
    rows.reserve(cache.rows.size() + 1);
    for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row)) {
        const auto kept = cache.positions.find(row);
        if (stale != nullptr && kept != cache.positions.end() && stale->count(row) == 0) {
            rows.push_back(cache.rows[kept->second]);
        } else {
            rows.push_back(evaluateRow(table, row, placeholder, site));
        }
    }
    cache.rows = std::move(rows);
    cache.positions.clear();
    cache.positions.reserve(cache.rows.size());
    for (std::size_t i = 0; i < cache.rows.size(); ++i) {
        cache.positions.emplace(cache.rows[i].handle, i);
    }
}

// Reads the rows added after the last kept row; false when a changed row is still unknown
// after that (so the kept order no longer holds).
bool appendNewRows(YieldRowCache& cache, ModuleFieldTable& table, RowHandle placeholder,
                   const SiteFigures& site, std::size_t unknownRows) {
    RowHandle row = cache.rows.empty() ? table.firstRow() : table.nextRow(cache.rows.back().handle);
    std::size_t appended = 0;
    for (; row != kNoRow; row = table.nextRow(row)) {
        cache.positions.emplace(row, cache.rows.size());
        cache.rows.push_back(evaluateRow(table, row, placeholder, site));
        ++appended;
    }
    return appended >= unknownRows;
}

// The running totals from row `from` on, in display order, continuing those before it.
void sumFrom(YieldRowCache& cache, std::size_t from) {
    for (std::size_t i = from; i < cache.rows.size(); ++i) {
        YieldRowCache::Row& row = cache.rows[i];
        if (i == 0) {
            row.areaTotal = 0;
            row.powerTotal = 0;
            row.yieldTotal = 0;
            row.countedRows = 0;
        } else {
            const YieldRowCache::Row& before = cache.rows[i - 1];
            row.areaTotal = before.areaTotal;
            row.powerTotal = before.powerTotal;
            row.yieldTotal = before.yieldTotal;
            row.countedRows = before.countedRows;
        }
        if (row.counts) {
            row.areaTotal += row.area;
            row.powerTotal += row.power;
            row.yieldTotal += row.yield;
            ++row.countedRows;
        }
    }
}

// Brings the kept rows up to date with the table and returns the first row whose figures
// changed (the totals from there on are stale).
std::size_t updateRows(YieldRowCache& cache, ModuleFieldTable& table, RowHandle placeholder,
                       const SiteFigures& site) {
    const bool sameTable = cache.table == &table && table.changeCount() >= cache.seenCount;
    if (!sameTable || !sameSite(cache.site, site)) {
        cache.positions.clear();
        rebuildRows(cache, table, placeholder, site, nullptr);
        return 0;
    }

    std::vector<RowHandle> changed = table.rowsChangedSince(cache.seenCount);
    if (cache.placeholderRow != placeholder) {
        // The former placeholder counts again, the new one no longer. A row is read once per
        // run, as the walk over all rows reads it: reading it twice could complete it twice.
        for (const RowHandle row : {cache.placeholderRow, placeholder}) {
            if (std::find(changed.begin(), changed.end(), row) == changed.end()) {
                changed.push_back(row);
            }
        }
    }
    if (table.layoutChangeCount() > cache.seenCount) {
        const std::unordered_set<RowHandle> stale(changed.begin(), changed.end());
        rebuildRows(cache, table, placeholder, site, &stale);
        return 0;
    }

    // Without a row deleted or inserted between others, rows were only added at the end.
    std::size_t first = cache.rows.size();
    std::size_t unknownRows = 0;
    for (const RowHandle row : changed) {
        const auto kept = cache.positions.find(row);
        if (kept == cache.positions.end()) {
            unknownRows += row != kNoRow ? 1 : 0;
            continue;
        }
        cache.rows[kept->second] = evaluateRow(table, row, placeholder, site);
        first = std::min(first, kept->second);
    }
    if (unknownRows > 0 && !appendNewRows(cache, table, placeholder, site, unknownRows)) {
        const std::unordered_set<RowHandle> stale(changed.begin(), changed.end());
        rebuildRows(cache, table, placeholder, site, &stale);
        return 0;
    }
    return first;
}

}  // namespace

void evaluateAnnualYield(CalculatorState& state, ModuleFieldTable& table, QuantityId target) {
    auto& v = state.values;
    MonthlyFigures& figures = state.figures;

    // Read once: none of them changes while the rows are walked.
    const SiteFigures site = {v[Latitude], v[AnnualIrradiation] * v[Efficiency] * 0.01,
                              v[PowerPerArea]};

    // Only the rows changed since the last run are read and written again; the others keep
    // the figures of that run, which their unchanged cells would give again.
    YieldRowCache& cache = state.yieldRows;
    const std::uint64_t begun = table.changeCount();
    const std::size_t first = updateRows(cache, table, state.placeholderRow, site);
    sumFrom(cache, first);
    cache.table = &table;
    cache.seenCount = begun;  // rows written by this run are read once more by the next
    cache.placeholderRow = state.placeholderRow;
    cache.site = site;

    double sum = 0;
    figures.totalModuleArea = 0;
    figures.totalPeakPower = 0;
    if (!cache.rows.empty()) {
        const YieldRowCache::Row& last = cache.rows.back();
        figures.totalModuleArea = last.areaTotal;
        figures.totalPeakPower = last.powerTotal;
        sum = last.yieldTotal;
        if (last.countedRows > 0) {
            state.tableRefreshPending = true;
        }
    }

    if (target != AnnualYield) {
        return;
    }
    v[AnnualYield] = (100 - v[SystemLosses]) * sum * 0.01;
    splitAnnualYield(state);
    state.chartRedrawPending = true;
}

void fillMonthlyHeating(CalculatorState& state) {
    const int shift = seasonShift(state.values[Latitude]);
    for (int j = 0; j < 12; ++j) {
        state.figures.monthlyHeating[monthIndex(j, shift)] =
            state.values[HeatingElectricity] * kHeatingShare[static_cast<std::size_t>(j)];
    }
}

void fillMonthlyCooling(CalculatorState& state) {
    const int shift = seasonShift(state.values[Latitude]);
    for (int j = 0; j < 12; ++j) {
        state.figures.monthlyCooling[monthIndex(j, shift)] =
            state.values[CoolingElectricity] * kCoolingShare[static_cast<std::size_t>(j)];
    }
}

void evaluateSelfConsumption(CalculatorState& state, QuantityId target) {
    if (target != SelfConsumption) {
        return;
    }
    auto& v = state.values;
    MonthlyFigures& figures = state.figures;

    // Daily loads; hot water counts at 60 %, as part of it is made outside the sunny hours.
    const double household = v[HouseholdElectricity] * kPerYearDay;
    const double water = 0.6 * v[WaterElectricity] * kPerYearDay;
    const double car = v[CarElectricity] * kPerYearDay;
    figures.peakDailyDemand = 0;
    figures.peakDaytimeDemand = 0;
    for (std::size_t i = 0; i < 12; ++i) {
        const double cool = figures.monthlyCooling[i] * kPerMonthDay;
        const double heat = figures.monthlyHeating[i] * kPerMonthDay;
        const double daily = household + water + car + cool + heat;
        const double daytime = 0.6 * household + water + 0.05 * car + 0.3 * cool + 0.7 * heat;
        if (daily > figures.peakDailyDemand) {
            figures.peakDailyDemand = daily;
        }
        if (daytime > figures.peakDaytimeDemand) {
            figures.peakDaytimeDemand = daytime;
        }
    }

    if (v[StorageDays] > 0.8) {
        // A battery moves the yield to whenever it is needed within the month.
        for (std::size_t i = 0; i < 12; ++i) {
            const double demand = monthlyDemand(state, i);
            figures.monthlySelfUse[i] = std::min(demand, figures.monthlyYield[i]);
        }
    } else {
        // Without one, only what is used while the sun shines counts, and only part of the
        // yield falls on those hours.
        const double base = v[HouseholdElectricity] / 12 + v[WaterElectricity] / 12;
        for (std::size_t i = 0; i < 12; ++i) {
            const double cool = figures.monthlyCooling[i];
            const double heat = figures.monthlyHeating[i];
            const double yield = figures.monthlyYield[i];
            double direct = 0.55 * base + 0.55 * cool + 0.25 * heat;
            if (direct > 0.8 * yield) {
                direct = 0.8 * yield;
            }
            double shifted =
                0.35 * base + 0.25 * cool + 0.28 * heat + 0.05 * v[CarElectricity] / 12;
            if (shifted > 0.2 * yield) {
                shifted = 0.2 * yield;
            }
            figures.monthlySelfUse[i] = direct + shifted;
        }
    }

    double total = 0;
    for (double month : figures.monthlySelfUse) {
        total += month;
    }
    v[SelfConsumption] = total;
    state.chartRedrawPending = true;
}

void evaluateStorageCapacity(CalculatorState& state, QuantityId target) {
    if (target != StorageCapacity) {
        return;
    }
    auto& v = state.values;
    const MonthlyFigures& figures = state.figures;
    // Up to one day the battery covers only what is needed outside the sunny hours; beyond
    // that it covers whole days.
    if (v[StorageDays] > 1) {
        v[StorageCapacity] = v[StorageDays] * figures.peakDailyDemand;
    } else {
        v[StorageCapacity] = v[StorageDays] * (figures.peakDailyDemand - figures.peakDaytimeDemand);
    }
}

void evaluateGridPurchase(CalculatorState& state, QuantityId target) {
    if (target != GridPurchase) {
        return;
    }
    MonthlyFigures& figures = state.figures;
    figures.maxMonthlyConsumption = 0;
    double sum = 0;
    for (std::size_t i = 0; i < 12; ++i) {
        const double demand = monthlyDemand(state, i);
        figures.monthlyConsumption[i] = demand;
        if (demand > figures.maxMonthlyConsumption) {
            figures.maxMonthlyConsumption = demand;
        }
        double purchase = demand - figures.monthlySelfUse[i];
        if (purchase < 0) {
            purchase = 0;
        }
        figures.monthlyPurchase[i] = purchase;
        sum += purchase;
    }
    state.values[GridPurchase] = sum;
    state.tableRefreshPending = true;
}

}  // namespace lumetra

#include "energy/YieldBalance.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "energy/ModuleFieldColumns.h"
#include "energy/ModuleFieldRules.h"
#include "energy/MonthlyShares.h"
#include "energy/OrientationFactor.h"
#include "support/TextFormat.h"

namespace lumetra {

namespace {

constexpr double kDegreesToRadians = 0.017453292519943295;
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

void evaluateAnnualYield(CalculatorState& state, ModuleFieldTable& table, QuantityId target) {
    auto& v = state.values;
    MonthlyFigures& figures = state.figures;
    figures.totalModuleArea = 0;
    figures.totalPeakPower = 0;
    double sum = 0;

    // Read once: none of them changes while the rows are walked.
    const double latitude = v[Latitude];
    const double idealPerArea = v[AnnualIrradiation] * v[Efficiency] * 0.01;
    const double powerPerArea = v[PowerPerArea];

    for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row)) {
        if (row == state.placeholderRow) {
            continue;
        }
        completeModuleFieldRow(table, row, -1, {});
        state.tableRefreshPending = true;

        const double area = readCellValue(table.cellText(row, ColumnArea));
        const double azimuth = readCellValue(table.cellText(row, ColumnAzimuth));
        const double tilt = readCellValue(table.cellText(row, ColumnTilt));

        const double power = area * powerPerArea;
        table.setCellText(row, ColumnPower, formatString("%.0F Wp ", power));
        figures.totalModuleArea += area;
        figures.totalPeakPower += power;

        // A row's yield is before the installation's losses.
        const double yield = idealPerArea * area * orientationFactor(tilt, azimuth, latitude);
        table.setCellText(row, ColumnYield, formatString("%.1F kWh ", yield));
        sum += yield;
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

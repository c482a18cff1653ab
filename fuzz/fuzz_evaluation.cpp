// SPDX-License-Identifier: GPL-3.0-or-later
// Applies arbitrary bytes, read as a data file, to an opened calculator, then brings the
// Auswertung up to date from it as the refresh tick does: the hourly balance over the shipped
// climate tables, both models' key figures, the money over the years and their texts. One
// Evaluation serves every input, so its caches see changes from any state to any other.
// Whatever the file holds, the balance's year keeps its energy: what the modules yield goes to
// the house, the battery or the grid, and what the house needs comes from the modules, the
// battery or the grid.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "evaluation/Evaluation.h"
#include "evaluation/EvaluationFileLines.h"
#include "evaluation/KeyFigures.h"
#include "fuzz/OpenedCalculator.h"
#include "persistence/DataSearch.h"
#include "simulation/ClimateTables.h"

namespace {

// As in the data file target: rows far beyond this only make the input slow.
constexpr int kMaxRowNumber = 64;

std::shared_ptr<const lumetra::simulation::ClimateTables> shippedClimate() {
    lumetra::DataSearch search;
    search.buildDataDir = LUMETRA_DATA_DIR;
    std::string error;
    auto tables = lumetra::simulation::loadClimateTables(search, &error);
    if (!tables) {
        std::abort();  // the fuzzer needs the shipped tables
    }
    return tables;
}

// Whether `whole` equals the sum of its parts to rounding, for figures that are finite.
bool balances(double whole, double a, double b, double c) {
    const double parts = a + b + c;
    if (!std::isfinite(whole) || !std::isfinite(parts)) {
        return true;
    }
    return std::abs(whole - parts) <= 1e-9 * std::max({1.0, std::abs(whole), std::abs(parts)});
}

bool withinShare(const std::optional<double>& share) {
    return !share || !(*share < -1e-12 || *share > 1 + 1e-9);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumetra;
    static fuzz::OpenedCalculator opened;
    static evaluation::Evaluation auswertung(shippedClimate());
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!opened.loadDataFile(bytes, kMaxRowNumber)) {
        return -1;  // not added to the corpus
    }
    const Calculator& calculator = opened.calculator();
    auswertung.setInputs(evaluation::readEvaluationLines(bytes).inputs);
    auswertung.update(calculator.state(), opened.table());

    const simulation::HourlyResult* result = auswertung.hourlyResult();
    if (result == nullptr || !auswertung.hourlyFigures()) {
        __builtin_trap();  // the shipped tables always give a balance
    }
    for (const simulation::FlowSums& sums : result->monthly) {
        for (double flow :
             {sums.yield_kWh, sums.demand_kWh, sums.direct_kWh, sums.batteryCharge_kWh,
              sums.batteryDischarge_kWh, sums.feedIn_kWh, sums.purchase_kWh}) {
            if (!(flow >= 0)) {
                __builtin_trap();
            }
        }
        if (!balances(sums.yield_kWh, sums.direct_kWh, sums.batteryCharge_kWh, sums.feedIn_kWh) ||
            !balances(sums.demand_kWh, sums.direct_kWh, sums.batteryDischarge_kWh,
                      sums.purchase_kWh)) {
            __builtin_trap();
        }
    }
    const evaluation::KeyFigures& hourly = *auswertung.hourlyFigures();
    if (!withinShare(hourly.selfConsumptionShare) || !withinShare(hourly.selfSufficiency)) {
        __builtin_trap();
    }
    // The money over the years covers every year asked for, whatever the figures.
    for (const evaluation::MoneyResult* money :
         {&auswertung.monthlyMoney(), &auswertung.hourlyMoney()}) {
        if (money->years.size() != static_cast<std::size_t>(auswertung.inputs().years) + 1) {
            __builtin_trap();
        }
    }
    // The texts the window, the report and the status line show.
    (void)evaluation::keyFigureRows(auswertung.monthlyFigures(), auswertung.hourlyFigures());
    (void)evaluation::statusLineText(hourly);
    return 0;
}

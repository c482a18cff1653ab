// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/DataSetBaseline.h"

#include <cstring>

#include "calculator/Calculator.h"
#include "energy/ModuleFieldRules.h"
#include "persistence/DataFileFormat.h"

namespace lumetra {
namespace {

// A row's seven numbers as its data-file lines write them.
std::string rowNumbersOf(const ModuleFieldTable& table, RowHandle row) {
    std::string numbers;
    for (int column = 1; column <= kRowColumnCount; ++column) {
        numbers += formatRowValue(readCellValue(table.cellText(row, column)));
        numbers += '\n';
    }
    return numbers;
}

// Equal bit for bit: 0 and -0 write different lines, and a NaN equals itself.
bool sameBits(const QuantityValues& a, const QuantityValues& b) {
    return std::memcmp(a.data(), b.data(), sizeof(double) * a.size()) == 0;
}

}  // namespace

void DataSetBaseline::take(const Calculator& calculator) {
    const ModuleFieldTable& table = calculator.table();
    rowNumbers_.refresh(table, [&table](RowHandle row) { return rowNumbersOf(table, row); });
    values_ = calculator.state().values;
    preset_ = calculator.state().preset;
    quantities_.reset();
    rows_.clear();
    for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row)) {
        rows_.push_back(row == calculator.state().placeholderRow ? std::string()
                                                                 : rowNumbers_[row]);
    }
    rowNumbers_.dropDeletedRows(rows_.size());
}

bool DataSetBaseline::differs(const Calculator& calculator) const {
    const CalculatorState& state = calculator.state();
    if (!sameBits(state.values, values_) || state.preset != preset_) {
        if (!quantities_) {
            quantities_ = quantityLinesText(values_, preset_);
        }
        if (quantityLinesText(state.values, state.preset) != *quantities_) {
            return true;
        }
    }
    const ModuleFieldTable& table = calculator.table();
    rowNumbers_.refresh(table, [&table](RowHandle row) { return rowNumbersOf(table, row); });
    std::size_t line = 0;
    for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row), ++line) {
        if (line == rows_.size()) {
            return true;
        }
        const bool placeholder = row == calculator.state().placeholderRow;
        if (placeholder ? !rows_[line].empty() : rowNumbers_[row] != rows_[line]) {
            return true;
        }
    }
    return line != rows_.size();
}

bool DataSetBaseline::refreshTick(Calculator& calculator) {
    if (!calculator.state().tableRefreshPending) {
        return calculator.refreshTick();
    }
    const bool unchanged = !differs(calculator);
    const bool redrawChart = calculator.refreshTick();
    if (unchanged) {
        take(calculator);
    }
    return redrawChart;
}

}  // namespace lumetra

// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/DataSetBaseline.h"

#include "calculator/Calculator.h"
#include "persistence/DataFileFormat.h"

namespace lumetra {

void DataSetBaseline::take(const Calculator& calculator) {
    bytes_ = dataFileBytes(calculator);
}

bool DataSetBaseline::differs(const Calculator& calculator) const {
    return dataFileBytes(calculator) != bytes_;
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

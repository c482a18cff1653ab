// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "evaluation/EvaluationInputs.h"
#include "evaluation/KeyFigures.h"
#include "evaluation/MoneyModel.h"
#include "evaluation/SizingSweep.h"

namespace lumetra::evaluation {

// One installation the Auswertung compares: its battery, its key figures and its money by the
// hourly balance, and what its battery alone adds (moneyDifference to the same installation
// without; empty without a battery).
struct Variant {
    double batteryCapacity_kWh = 0;
    KeyFigures figures;
    MoneyResult money;
    std::optional<MoneyResult> batteryAlone;
};

// "ohne Speicher", "mit Speicher" (the battery the hourly balance simulates) and the battery
// size of the sweep with the highest net present value (of equal ones the smallest; it may be
// none).
struct Variants {
    Variant withoutBattery;
    Variant withBattery;
    Variant bestBattery;
};

// The variants of the installation whose battery sweep (the same input at every battery size)
// and whose current result (with its own battery) are given, at the prices in use (euros per
// kWh) and the Auswertung's money inputs.
Variants computeVariants(const BatterySweep& sweep, const simulation::HourlyResult& current,
                         double electricityPrice, double feedInTariff,
                         const EvaluationInputs& inputs);

}  // namespace lumetra::evaluation

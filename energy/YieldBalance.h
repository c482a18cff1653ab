// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CalculatorState.h"
#include "model/ModuleFieldTable.h"
#include "model/Quantity.h"

namespace lumetra {

// The relations of the calculator that work on the module-field table and the monthly
// figures. Each is called by the solver with the quantity it wants computed.

// Relation 4: per-row power and yield, module totals; for target AnnualYield also the annual
// yield and its monthly split.
void evaluateAnnualYield(CalculatorState& state, ModuleFieldTable& table, QuantityId target);

// The monthly irradiation shape of the monthly model at a latitude, by northern month index
// (not yet moved by six months south of the equator) and not normalised: the shares of the
// reference latitude with the latitude's seasonal swing, none below 0 (the polar night).
// `shapeSum` receives their sum.
MonthlyValues irradiationShape(double latitude, double* shapeSum);

// Spreads AnnualYield over monthlyYield by the irradiation shares, with the seasonal swing of
// the latitude and, south of the equator, moved by six months; keeps maxMonthlyYield.
void splitAnnualYield(CalculatorState& state);

// The monthly parts of relations 8 and 9, run after their annual part for every target.
void fillMonthlyHeating(CalculatorState& state);
void fillMonthlyCooling(CalculatorState& state);

// Relation 11 (target SelfConsumption), 13 (target StorageCapacity) and 14 (target
// GridPurchase); any other target changes nothing.
void evaluateSelfConsumption(CalculatorState& state, QuantityId target);
void evaluateStorageCapacity(CalculatorState& state, QuantityId target);
void evaluateGridPurchase(CalculatorState& state, QuantityId target);

}  // namespace lumetra

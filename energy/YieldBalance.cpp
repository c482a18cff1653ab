#include "energy/YieldBalance.h"

namespace lumetra {

// Dispatch points only: the yield and balance arithmetic is not built yet.
void evaluateAnnualYield(CalculatorState&, ModuleFieldTable&, QuantityId) {}
void fillMonthlyHeating(CalculatorState&) {}
void fillMonthlyCooling(CalculatorState&) {}
void evaluateSelfConsumption(CalculatorState&, QuantityId) {}
void evaluateStorageCapacity(CalculatorState&, QuantityId) {}
void evaluateGridPurchase(CalculatorState&, QuantityId) {}

}  // namespace lumetra

// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "calculator/Calculator.h"
#include "energy/YieldBalance.h"
#include "support/Angles.h"

namespace lumetra {

namespace {

using Values = std::array<double, kQuantityCount>;

double& at(Values& v, QuantityId q) {
    return v[static_cast<std::size_t>(q)];
}

void peakIrradiance(Values& v, QuantityId t) {
    if (t != PeakIrradiance) {
        return;
    }
    double x = std::fabs(at(v, Latitude)) - 21.0;
    if (x > 90.0) {
        x = 90.0;
    } else if (x < 0) {
        x = 0;
    }
    at(v, PeakIrradiance) = std::cos(x * kDegreesToRadians) * 1150.0;
}

void moduleArea(Values& v, QuantityId t) {
    switch (t) {
        case ModuleArea:
            at(v, ModuleArea) = at(v, ModuleWidth) * at(v, ModuleHeight);
            break;
        case ModuleWidth:
            at(v, ModuleWidth) =
                at(v, ModuleHeight) > 0 ? at(v, ModuleArea) / at(v, ModuleHeight) : 0.0;
            break;
        case ModuleHeight:
            at(v, ModuleHeight) =
                at(v, ModuleWidth) > 0 ? at(v, ModuleArea) / at(v, ModuleWidth) : 0.0;
            break;
        default:
            break;
    }
}

void powerPerArea(Values& v, QuantityId t) {
    switch (t) {
        case ModulePower:
            at(v, ModulePower) = at(v, ModuleArea) * at(v, PowerPerArea);
            break;
        case PowerPerArea:
            // Without an area the old figure is kept.
            if (at(v, ModuleArea) > 0) {
                at(v, PowerPerArea) = at(v, ModulePower) / at(v, ModuleArea);
            }
            break;
        case ModuleArea:
            if (at(v, PowerPerArea) > 0) {
                at(v, ModuleArea) = at(v, ModulePower) / at(v, PowerPerArea);
            }
            break;
        default:
            break;
    }
}

void efficiency(Values& v, QuantityId t) {
    // ModulePower is a member only to order the work; it is never computed here.
    if (t == PowerPerArea) {
        at(v, PowerPerArea) = at(v, Efficiency) * 10.0;
    } else if (t == Efficiency) {
        at(v, Efficiency) = at(v, PowerPerArea) * 0.1;
    }
}

// A piecewise linear curve through (1, 2300), (2, 3000), (3, 3600) kWh, 800 kWh per person
// below one person and 500 above three.
void householdElectricity(Values& v, QuantityId t, bool& tableRefreshPending) {
    if (t == HouseholdElectricity) {
        const double p = at(v, Persons);
        double e = 0.0;
        if (!(p > 0.01)) {
            e = 0.0;
        } else if (p <= 1.0) {
            e = p * 800.0 + 1500.0;
        } else if (p <= 2.0) {
            e = (p - 1.0) * 700.0 + 2300.0;
        } else if (p <= 3.0) {
            e = (p - 2.0) * 600.0 + 3000.0;
        } else {
            e = (p - 3.0) * 500.0 + 3600.0;
        }
        at(v, HouseholdElectricity) = e;
        tableRefreshPending = true;
    } else if (t == Persons) {
        const double e = at(v, HouseholdElectricity);
        double p = 0.0;
        if (!(e > 0.1)) {
            p = 0.0;
        } else if (e <= 2300.0) {
            p = (e - 1500.0) * 0.00125;
        } else if (e < 3000.0) {
            p = (e - 2300.0) * 0.0014285714285714286 + 1.0;
        } else if (e < 3600.0) {
            p = (e - 3000.0) * 0.0016666666666666668 + 2.0;
        } else {
            p = (e - 3600.0) * 0.002 + 3.0;
        }
        at(v, Persons) = p;
    }
}

void waterVolume(Values& v, QuantityId t) {
    switch (t) {
        case WaterPerYear:
            at(v, WaterPerYear) = at(v, WaterPersons) * at(v, WaterPerPersonDay) * 0.36;
            break;
        case WaterPersons:
            at(v, WaterPersons) =
                at(v, WaterPerPersonDay) > 0
                    ? at(v, WaterPerYear) * 2.7777777777777777 / at(v, WaterPerPersonDay)
                    : 0.0;
            break;
        case WaterPerPersonDay:
            at(v, WaterPerPersonDay) =
                at(v, WaterPersons) > 0
                    ? at(v, WaterPerYear) * 2.7777777777777777 / at(v, WaterPersons)
                    : 0.0;
            break;
        default:
            break;
    }
}

void waterElectricity(Values& v, QuantityId t, bool& tableRefreshPending) {
    switch (t) {
        case WaterElectricity:
            at(v, WaterElectricity) = at(v, WaterPersons) * at(v, WaterPerPersonDay) * 20.88;
            tableRefreshPending = true;
            break;
        case WaterPersons:
            at(v, WaterPersons) = at(v, WaterPerPersonDay) > 0
                                      ? at(v, WaterElectricity) * 4.789272030651341e-05 /
                                            at(v, WaterPerPersonDay) * 1000.0
                                      : 0.0;
            break;
        case WaterPerPersonDay:
            at(v, WaterPerPersonDay) =
                at(v, WaterPersons) > 0
                    ? at(v, WaterElectricity) * 4.789272030651341e-05 / at(v, WaterPersons) * 1000.0
                    : 0.0;
            break;
        default:
            break;
    }
}

// The performance factor from a zero annual electricity divides by zero; the field shows the
// infinite result as "1.#INF" and reads it back as 1 (see FieldText.h).
void heatingElectricity(Values& v, QuantityId t, bool& tableRefreshPending) {
    const double area = at(v, HeatedArea);
    const double factor = at(v, HeatingDemandFactor);
    switch (t) {
        case HeatingElectricity: {
            double j = at(v, HeatingPerformanceFactor);
            if (j < 0.01) {
                j = 0.01;
            }
            at(v, HeatingElectricity) = factor * area / j;
            tableRefreshPending = true;
            break;
        }
        case HeatedArea:
            at(v, HeatedArea) =
                factor > 0 ? at(v, HeatingElectricity) * at(v, HeatingPerformanceFactor) / factor
                           : 0.0;
            break;
        case HeatingDemandFactor:
            at(v, HeatingDemandFactor) =
                area > 0 ? at(v, HeatingElectricity) * at(v, HeatingPerformanceFactor) / area : 0.0;
            break;
        case HeatingPerformanceFactor:
            at(v, HeatingPerformanceFactor) =
                factor > 0 && area > 0 ? area * factor / at(v, HeatingElectricity) : 1.0;
            break;
        default:
            break;
    }
}

void coolingElectricity(Values& v, QuantityId t, bool& tableRefreshPending) {
    const double area = at(v, CooledArea);
    const double load = at(v, CoolingLoadPerArea);
    switch (t) {
        case CoolingElectricity: {
            double j = at(v, CoolingPerformanceFactor);
            if (j < 0.01) {
                j = 0.01;
            }
            at(v, CoolingElectricity) = load * area / j * 0.6;
            tableRefreshPending = true;
            break;
        }
        case CooledArea:
            at(v, CooledArea) = load > 0
                                    ? at(v, CoolingElectricity) * at(v, CoolingPerformanceFactor) /
                                          load * 1.6666666666666667
                                    : 0.0;
            break;
        case CoolingLoadPerArea:
            at(v, CoolingLoadPerArea) = area > 0 ? at(v, CoolingElectricity) *
                                                       at(v, CoolingPerformanceFactor) / area *
                                                       1.6666666666666667
                                                 : 0.0;
            break;
        case CoolingPerformanceFactor:
            at(v, CoolingPerformanceFactor) =
                load > 0 && area > 0 ? area * load * 0.6 / at(v, CoolingElectricity) : 1.0;
            break;
        default:
            break;
    }
}

void carElectricity(Values& v, QuantityId t, bool& tableRefreshPending) {
    const double a = (100.0 - at(v, ChargingLosses)) * 0.01;
    const double distance = at(v, CarDistance);
    const double consumption = at(v, CarConsumptionPer100km);
    switch (t) {
        case CarElectricity:
            at(v, CarElectricity) = a * distance * consumption * 0.01;
            tableRefreshPending = true;
            break;
        case CarConsumptionPer100km:
            at(v, CarConsumptionPer100km) =
                a > 0 && distance > 0 ? at(v, CarElectricity) / a * 100.0 / distance : 0.0;
            break;
        case CarDistance:
            at(v, CarDistance) =
                a > 0 && consumption > 0 ? at(v, CarElectricity) / a * 100.0 / consumption : 0.0;
            break;
        case ChargingLosses:
            at(v, ChargingLosses) =
                distance > 0 && consumption > 0
                    ? (1.0 - at(v, CarElectricity) / distance * 100.0 / consumption) * 100.0
                    : 0.0;
            break;
        default:
            break;
    }
}

}  // namespace

void Calculator::evaluateRelation(int f, QuantityId t) {
    Values& v = state_.values;
    bool& refresh = state_.tableRefreshPending;
    switch (f) {
        case 0:
            peakIrradiance(v, t);
            break;
        case 1:
            moduleArea(v, t);
            break;
        case 2:
            powerPerArea(v, t);
            break;
        case 3:
            efficiency(v, t);
            break;
        case 4:
            evaluateAnnualYield(state_, table_, t);
            break;
        case 5:
            householdElectricity(v, t, refresh);
            break;
        case 6:
            waterVolume(v, t);
            break;
        case 7:
            waterElectricity(v, t, refresh);
            break;
        case 8:
            heatingElectricity(v, t, refresh);
            fillMonthlyHeating(state_);
            break;
        case 9:
            coolingElectricity(v, t, refresh);
            fillMonthlyCooling(state_);
            break;
        case 10:
            carElectricity(v, t, refresh);
            break;
        case 11:
            evaluateSelfConsumption(state_, t);
            break;
        case 12:
            if (t == FeedIn) {
                at(v, FeedIn) = at(v, AnnualYield) - at(v, SelfConsumption);
            }
            break;
        case 13:
            evaluateStorageCapacity(state_, t);
            break;
        case 14:
            evaluateGridPurchase(state_, t);
            break;
        case 15:
            if (t == SelfConsumptionValue) {
                at(v, SelfConsumptionValue) = at(v, ElectricityPrice) * at(v, SelfConsumption);
            }
            break;
        case 16:
            if (t == FeedInValue) {
                at(v, FeedInValue) = at(v, FeedInTariff) * at(v, FeedIn);
            }
            break;
        case 17:
            if (t == GridPurchaseCost) {
                at(v, GridPurchaseCost) = at(v, ElectricityPrice) * at(v, GridPurchase);
            }
            break;
        case 18:
            if (t == SolarArea) {
                at(v, SolarArea) = state_.figures.totalModuleArea;
            }
            break;
        case 19:
            if (t == SolarPower) {
                at(v, SolarPower) = state_.figures.totalPeakPower;
            }
            break;
        default:
            break;
    }
}

}  // namespace lumetra

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/EvaluationJson.h"

#include <QJsonValue>

#include <optional>

#include "evaluation/Evaluation.h"

namespace lumetra::cli {

namespace {

QJsonValue orNull(const std::optional<double>& value) {
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonObject moneyJson(const evaluation::MoneyResult& money) {
    return {{"investment_EUR", money.investment_EUR},
            {"payback_years", orNull(money.paybackYears)},
            {"npv_EUR", money.netPresentValue_EUR},
            {"lcoe_EUR_per_kWh", orNull(money.levelizedCost_EUR_per_kWh)}};
}

QJsonObject variantJson(const evaluation::Variant& variant) {
    QJsonObject object{
        {"batteryCapacity_kWh", variant.batteryCapacity_kWh},
        {"selfSufficiency", orNull(variant.figures.selfSufficiency)},
        {"selfConsumptionShare", orNull(variant.figures.selfConsumptionShare)},
        {"curtailed_kWh", orNull(variant.figures.curtailed_kWh)},
        {"investment_EUR", variant.money.investment_EUR},
        {"npv_EUR", variant.money.netPresentValue_EUR},
        {"payback_years", orNull(variant.money.paybackYears)},
    };
    if (variant.batteryAlone) {
        object["battery"] =
            QJsonObject{{"npv_EUR", variant.batteryAlone->netPresentValue_EUR},
                        {"payback_years", orNull(variant.batteryAlone->paybackYears)}};
    }
    return object;
}

}  // namespace

QJsonObject evaluationJson(const evaluation::Evaluation& evaluation) {
    QJsonObject object{
        {"electricityPrice_EUR_per_kWh", evaluation.electricityPrice()},
        {"feedInTariff_EUR_per_kWh", evaluation.feedInTariff()},
        {"money", moneyJson(evaluation.hourlyMoney())},
    };
    if (const auto& variants = evaluation.variants()) {
        object["variants"] = QJsonObject{{"withoutBattery", variantJson(variants->withoutBattery)},
                                         {"withBattery", variantJson(variants->withBattery)},
                                         {"bestBattery", variantJson(variants->bestBattery)}};
    } else {
        object["variants"] = QJsonValue::Null;
    }
    return object;
}

}  // namespace lumetra::cli

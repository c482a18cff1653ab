// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>

namespace lumetra::evaluation {
class Evaluation;
}

namespace lumetra::cli {

// The Auswertung's answer as the JSON object under "evaluation", from the hourly balance:
// the prices in use, "money" (investment_EUR, payback_years or null, npv_EUR,
// lcoe_EUR_per_kWh or null) and "variants" (withoutBattery, withBattery, bestBattery, each
// with batteryCapacity_kWh, selfSufficiency, selfConsumptionShare, curtailed_kWh,
// investment_EUR, npv_EUR, payback_years and, with a battery, what the battery alone adds
// under "battery": npv_EUR, payback_years). Shares are fractions 0..1.
QJsonObject evaluationJson(const evaluation::Evaluation& evaluation);

}  // namespace lumetra::cli

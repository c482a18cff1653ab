// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/SpreadTexts.h"

#include "evaluation/Spread.h"
#include "evaluation/SpreadTexts.h"

namespace lumetra {

QList<SpreadRow> spreadRows(const evaluation::Spread& spread) {
    const QString homes = QStringLiteral(", %1 Haushalte").arg(spread.homes);
    const auto text = [](const std::string& range) { return QString::fromStdString(range); };
    return {
        {QStringLiteral("Autarkiegrad") + homes,
         text(evaluation::percentRangeText(spread.selfSufficiency))},
        {QStringLiteral("Eigenverbrauchsanteil") + homes,
         text(evaluation::percentRangeText(spread.selfConsumptionShare))},
        {QStringLiteral("Kapitalwert") + homes, text(evaluation::euroRangeText(spread.npv_EUR))},
    };
}

QString spreadExplanationText(int homes) {
    return QString::fromStdString(evaluation::spreadExplanation(homes));
}

}  // namespace lumetra

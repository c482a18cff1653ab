// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/SpreadTexts.h"

#include "evaluation/Spread.h"
#include "evaluation_ui/ChartSupport.h"

namespace lumetra {

QString percentileRange(const evaluation::Percentiles& values, int decimals, const QString& unit,
                        bool percent) {
    const double scale = percent ? 100.0 : 1.0;
    const auto text = [&](double value) { return charts::german(value * scale, decimals); };
    // Short, so that the key figures stay narrow: the unit once, the median without it.
    return QStringLiteral("%1–%2 %4 (Median %3)")
        .arg(text(values.p10), text(values.p90), text(values.p50), unit);
}

QList<SpreadRow> spreadRows(const evaluation::Spread& spread) {
    const QString homes = QStringLiteral(", %1 Haushalte").arg(spread.homes);
    const QString percent = QStringLiteral("%");
    return {
        {QStringLiteral("Autarkiegrad") + homes,
         percentileRange(spread.selfSufficiency, 1, percent, true)},
        {QStringLiteral("Eigenverbrauchsanteil") + homes,
         percentileRange(spread.selfConsumptionShare, 1, percent, true)},
        {QStringLiteral("Kapitalwert") + homes,
         percentileRange(spread.npv_EUR, 0, QStringLiteral("€"), false)},
    };
}

QString spreadExplanation(int homes) {
    return QStringLiteral(
               "%1 simulierte Haushalte gleicher Größe und gleichen Verbrauchs: acht von zehn "
               "liegen in der Spanne (10. bis 90. Perzentil), der Median teilt sie in zwei "
               "gleich große Hälften. So weit streut das Ergebnis allein durch den Alltag eines "
               "Haushalts.")
        .arg(homes);
}

}  // namespace lumetra

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JsonOutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include "cli/EvaluationJson.h"
#include "cli/HourlyOutput.h"
#include "cli/Session.h"
#include "energy/ModuleFieldRules.h"

namespace lumetra::cli {
namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QJsonArray monthly(const MonthlyValues& values) {
    QJsonArray array;
    for (double value : values) {
        array.append(value);
    }
    return array;
}

QJsonValue background(const std::optional<Rgb>& colour) {
    if (!colour) {
        return QJsonValue::Null;
    }
    constexpr char kHexDigits[] = "0123456789abcdef";
    std::string text = "#";
    for (const std::uint8_t channel : {colour->r, colour->g, colour->b}) {
        text.push_back(kHexDigits[channel >> 4]);
        text.push_back(kHexDigits[channel & 0xF]);
    }
    return fromUtf8(text);
}

}  // namespace

std::string stateJson(const Session& session, const simulation::HourlyResult* hourly,
                      const evaluation::Evaluation* evaluation,
                      const simulation::DataSources& sources, const evaluation::Spread* spread) {
    const CalculatorState& state = session.calculator().state();

    QJsonArray quantities;
    for (int i = 0; i < kQuantityCount; ++i) {
        const auto q = static_cast<QuantityId>(i);
        QJsonObject quantity;
        quantity["index"] = i;
        quantity["id"] = fromUtf8(std::string(quantityIdentifier(q)));
        quantity["label"] = fromUtf8(std::string(kQuantityInfo[i].name));
        quantity["unit"] = fromUtf8(std::string(kQuantityInfo[i].unit));
        quantity["text"] = fromUtf8(session.fields().fieldText(q));
        quantity["value"] = state.values[q];
        quantity["state"] = state.preset[q] ? "preset" : state.derived[q] ? "derived" : "free";
        quantities.append(quantity);
    }

    QJsonArray rows;
    const MemoryModuleFieldTable& table = session.table();
    for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row)) {
        if (row == state.placeholderRow) {
            continue;
        }
        QJsonArray cells;
        QJsonArray values;
        QJsonArray backgrounds;
        for (int column = 1; column <= 7; ++column) {
            const std::string text = table.cellText(row, column);
            cells.append(fromUtf8(text));
            // The number the text stands for, as the yield and a save read it.
            values.append(readCellValue(text));
            backgrounds.append(background(table.cellBackground(row, column)));
        }
        rows.append(QJsonObject{{"cells", cells}, {"values", values}, {"background", backgrounds}});
    }

    const MonthlyFigures& f = state.figures;
    const QJsonObject months{
        {"yield", monthly(f.monthlyYield)},     {"heating", monthly(f.monthlyHeating)},
        {"cooling", monthly(f.monthlyCooling)}, {"consumption", monthly(f.monthlyConsumption)},
        {"selfUse", monthly(f.monthlySelfUse)}, {"purchase", monthly(f.monthlyPurchase)},
    };
    const QJsonObject figures{
        {"maxMonthlyYield", f.maxMonthlyYield}, {"maxMonthlyConsumption", f.maxMonthlyConsumption},
        {"peakDailyDemand", f.peakDailyDemand}, {"peakDaytimeDemand", f.peakDaytimeDemand},
        {"totalModuleArea", f.totalModuleArea}, {"totalPeakPower", f.totalPeakPower},
    };
    const QJsonObject root{
        {"quantities", quantities},
        {"rows", rows},
        {"monthly", months},
        {"figures", figures},
        {"hourly",
         hourly != nullptr ? QJsonValue(hourlyJson(*hourly, sources, spread)) : QJsonValue()},
        {"evaluation", hourly != nullptr && evaluation != nullptr
                           ? QJsonValue(evaluationJson(*evaluation))
                           : QJsonValue()},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace lumetra::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/VariantTexts.h"

#include "evaluation/GermanNumber.h"
#include "evaluation/MoneyTexts.h"

namespace lumetra::evaluation {

namespace {

std::string share(const std::optional<double>& fraction) {
    return fraction ? formatGermanPercent(*fraction, 0) : std::string(kNoFigure);
}

std::string euros(double value) {
    return formatWithUnit(value, 0, "Euro");
}

std::string battery(double capacity_kWh) {
    return formatWithUnit(capacity_kWh, 1, "kWh");
}

std::string batteryAlone(const Variant& variant, std::string (*text)(const MoneyResult&, int),
                         int years) {
    return variant.batteryAlone ? text(*variant.batteryAlone, years) : std::string(kNoFigure);
}

std::string paybackOf(const MoneyResult& money, int years) {
    return paybackText(money, years);
}

std::string netPresentValueOf(const MoneyResult& money, int /*years*/) {
    return euros(money.netPresentValue_EUR);
}

std::string costPerKWh(const MoneyResult& money) {
    return money.levelizedCost_EUR_per_kWh
               ? formatWithUnit(*money.levelizedCost_EUR_per_kWh * 100, 1, "Cent/kWh")
               : std::string(kNoFigure);
}

// "amortisiert nach 9,8 Jahren" or "amortisiert sich nicht innerhalb von 20 Jahren".
std::string paybackPhrase(const MoneyResult& money, int years) {
    if (!money.paybackYears) {
        return "amortisiert sich nicht innerhalb von " +
               yearsText(years, 0, GrammaticalCase::Dative);
    }
    return *money.paybackYears <= 0 ? "kostet nichts"
                                    : "amortisiert sich " + paybackText(money, years);
}

}  // namespace

std::vector<std::string> variantTitles(const Variants& variants) {
    return {"ohne Speicher",
            "mit Speicher (" + battery(variants.withBattery.batteryCapacity_kWh) + ")",
            "bester Speicher (" + battery(variants.bestBattery.batteryCapacity_kWh) + ")"};
}

std::vector<VariantRow> variantRows(const Variants& variants, int years) {
    const Variant* const columns[] = {&variants.withoutBattery, &variants.withBattery,
                                      &variants.bestBattery};
    const auto row = [&](std::string label, auto text) {
        return VariantRow{std::move(label), text(*columns[0]), text(*columns[1]),
                          text(*columns[2])};
    };
    return {
        row("Speicher", [](const Variant& v) { return battery(v.batteryCapacity_kWh); }),
        row("Autarkiegrad", [](const Variant& v) { return share(v.figures.selfSufficiency); }),
        row("Eigenverbrauchsanteil",
            [](const Variant& v) { return share(v.figures.selfConsumptionShare); }),
        row("Abgeregelt",
            [](const Variant& v) {
                return formatWithUnit(v.figures.curtailed_kWh.value_or(0), 0, "kWh");
            }),
        row("Investition", [](const Variant& v) { return euros(v.money.investment_EUR); }),
        row("Amortisation", [&](const Variant& v) { return paybackText(v.money, years); }),
        row(netPresentValueLabel(years),
            [](const Variant& v) { return euros(v.money.netPresentValue_EUR); }),
        row("Kosten je erzeugte kWh", [](const Variant& v) { return costPerKWh(v.money); }),
        row("Speicher allein: Amortisation",
            [&](const Variant& v) { return batteryAlone(v, &paybackOf, years); }),
        row("Speicher allein: Kapitalwert",
            [&](const Variant& v) { return batteryAlone(v, &netPresentValueOf, years); }),
    };
}

std::string variantVerdict(const std::string& title, const Variant& variant, int years) {
    std::string text = title + ": " + paybackPhrase(variant.money, years) + ", " +
                       netPresentValueLabel(years) + " " +
                       euros(variant.money.netPresentValue_EUR) + ", Autarkiegrad " +
                       share(variant.figures.selfSufficiency);
    if (variant.batteryAlone) {
        text += "; der Speicher allein " + paybackPhrase(*variant.batteryAlone, years) +
                " (Kapitalwert " + euros(variant.batteryAlone->netPresentValue_EUR) + ")";
    }
    return text + ".";
}

std::string overallVerdict(const Variants& variants, int years) {
    const Variant& best = variants.bestBattery;
    if (best.money.netPresentValue_EUR < 0) {
        return "Keine der Varianten lohnt sich innerhalb von " +
               yearsText(years, 0, GrammaticalCase::Dative) + ": ihr Kapitalwert bleibt negativ.";
    }
    if (best.batteryCapacity_kWh <= 0) {
        return "Am wirtschaftlichsten ist die Anlage ohne Speicher: jeder Speicher bis " +
               formatWithUnit(sizingBatteryCapacities().back(), 0, "kWh") +
               " senkt ihren Kapitalwert.";
    }
    return "Am wirtschaftlichsten ist die Anlage mit einem Speicher von " +
           battery(best.batteryCapacity_kWh) + " (Kapitalwert " +
           euros(best.money.netPresentValue_EUR) + ", ohne Speicher " +
           euros(variants.withoutBattery.money.netPresentValue_EUR) + ").";
}

}  // namespace lumetra::evaluation

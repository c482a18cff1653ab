// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/MoneyTexts.h"

#include "evaluation/GermanNumber.h"

namespace lumetra::evaluation {

std::string yearsText(double years, int decimals, GrammaticalCase grammaticalCase) {
    const std::string number = formatGerman(years, decimals);
    if (number == "1") {
        return number + " Jahr";
    }
    return number + (grammaticalCase == GrammaticalCase::Dative ? " Jahren" : " Jahre");
}

std::string paybackText(const MoneyResult& result, int years) {
    if (!result.paybackYears) {
        return "nicht innerhalb von " + yearsText(years, 0, GrammaticalCase::Dative);
    }
    if (*result.paybackYears <= 0) {
        return "sofort";
    }
    return "nach " + yearsText(*result.paybackYears, 1, GrammaticalCase::Dative);
}

std::string netPresentValueLabel(int years) {
    return "Kapitalwert nach " + yearsText(years, 0, GrammaticalCase::Dative);
}

std::string inputText(const EvaluationInputs& inputs, InputId id, const MainWindowInputs& main) {
    const double value = inputValue(inputs, id, main);
    const InputRange range = inputRange(inputs, id);
    if (id == InputId::Years || id == InputId::BatteryLifetime) {
        return yearsText(value, range.decimals, GrammaticalCase::Nominative);
    }
    if ((id == InputId::FeedInLimit && value >= 100) ||
        (id == InputId::InverterPower && value <= 0)) {
        return "keine";
    }
    return formatWithUnit(value, range.decimals, inputUnit(inputs, id));
}

}  // namespace lumetra::evaluation

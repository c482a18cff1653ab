// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/DataFileFormat.h"

#include "calculator/Calculator.h"
#include "energy/ModuleFieldRules.h"
#include "support/TextFormat.h"
#include "support/Windows1252.h"

namespace lumetra {

std::string paddedEntryName(int entry) {
    const std::string label = quantityLabel(entry);
    return label.substr(0, label.find('>'));
}

std::string paddedEntryUnit(int entry) {
    const std::string label = quantityLabel(entry);
    const std::size_t mark = label.find('>');
    return mark == std::string::npos ? std::string() : label.substr(mark + 1);
}

std::string formatQuantityLine(int quantity, double value, bool preset) {
    std::string line = formatString("%s      = %18f %s", paddedEntryName(quantity), value,
                                    paddedEntryUnit(quantity));
    if (preset) {
        line += "  *";
    }
    line += '\n';
    return line;
}

std::string formatRowLine(int rowNumber, int column, double value) {
    const int entry = kFirstColumnEntry + column - 1;
    std::string line = formatString("[%02i] %s = ", rowNumber, paddedEntryName(entry));
    line += formatRowValue(value);
    line += ' ';
    line += paddedEntryUnit(entry);
    line += '\n';
    return line;
}

std::string formatRowValue(double value) {
    return formatString("%18f", value);
}

std::string quantityLinesText(const QuantityValues& values, const QuantityFlags& preset) {
    std::string text;
    for (int q = 0; q < kQuantityCount; ++q) {
        text += formatQuantityLine(q, values[q], preset[q]);
    }
    return text;
}

std::string quantityLinesText(const CalculatorState& state) {
    return quantityLinesText(state.values, state.preset);
}

std::string dataFileText(const Calculator& calculator) {
    const CalculatorState& state = calculator.state();
    std::string text = quantityLinesText(state);
    const ModuleFieldTable& table = calculator.table();
    int rowNumber = 1;
    for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row), ++rowNumber) {
        if (row == state.placeholderRow) {
            continue;
        }
        for (int column = 1; column <= kRowColumnCount; ++column) {
            text += formatRowLine(rowNumber, column, readCellValue(table.cellText(row, column)));
        }
    }
    return text;
}

std::string dataFileBytes(const Calculator& calculator) {
    return utf8ToWindows1252(dataFileText(calculator));
}

}  // namespace lumetra

// SPDX-License-Identifier: GPL-3.0-or-later
#include "energy/ModuleFieldRules.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <system_error>
#include <unordered_set>
#include <vector>

#include "energy/ModuleFieldColumns.h"
#include "support/CharClass.h"
#include "support/NamedCharacters.h"
#include "support/TextFormat.h"

namespace lumetra {

namespace {

constexpr std::size_t kParsedLength = 63;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Display form and valid range of the input columns 1..5.
struct InputColumnFormat {
    std::string_view format;
    std::string_view unit;
    double minimum;
    double maximum;
};

constexpr std::string_view kSquareMetres = "m\u00B2";

constexpr std::array<InputColumnFormat, 5> kInputColumnFormats = {{
    {"%.2F %s ", "m", 0, 1000},
    {"%.2F %s ", "m", 0, 1000},
    {"%.2F %s ", kSquareMetres, 0, 1000000},
    {"%.0F %s ", kDegreeSign, -180, 180},
    {"%.0F %s ", kDegreeSign, 0, 90},
}};

constexpr Rgb kOutOfRangeOddRow{255, 233, 233};
constexpr Rgb kOutOfRangeEvenRow{255, 244, 244};

// Whole numbers of up to 15 digits are exact in a double, so they need no general decimal
// conversion; most cell texts are such numbers, and every solve reads every row.
constexpr std::size_t kExactIntegerDigits = 15;

double readStandardDecimal(std::string_view text) {
    if (!text.empty() && text.size() <= kExactIntegerDigits) {
        std::uint64_t whole = 0;
        std::size_t k = 0;
        while (k < text.size() && isDigit(text[k])) {
            whole = whole * 10 + static_cast<std::uint64_t>(text[k] - '0');
            ++k;
        }
        if (k == text.size()) {
            return static_cast<double>(whole);
        }
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc()) {
        return 0;
    }
    return value;
}

}  // namespace

double ParseLeadingNumber(std::string_view text) {
    text = text.substr(0, std::min(text.size(), kParsedLength));
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
        while (i < n && isBlank(text[i])) {
            ++i;
        }
    }

    // The accepted characters, blanks dropped and the decimal comma made a point; at most
    // 63 of them, so a fixed buffer holds them with a leading "0".
    std::array<char, kParsedLength + 2> digits{};
    std::size_t length = 0;
    bool anyDigit = false;
    while (i < n) {
        if (isDigit(text[i])) {
            digits[length++] = text[i++];
            anyDigit = true;
        } else if (text[i] == ' ' && anyDigit && i + 1 < n && isDigit(text[i + 1])) {
            ++i;  // one blank between digits separates digit groups
        } else {
            break;
        }
    }
    if (length == 0) {
        digits[length++] = '0';
    }
    if (i < n && (text[i] == '.' || text[i] == ',')) {
        ++i;
        const std::size_t point = length;
        digits[length++] = '.';
        while (i < n && isDigit(text[i])) {
            digits[length++] = text[i++];
            anyDigit = true;
        }
        if (length == point + 1) {
            --length;  // a point without fraction digits adds nothing
        }
    }
    if (!anyDigit) {
        return 0.0;
    }
    const double value = readStandardDecimal(std::string_view(digits.data(), length));
    return negative ? -value : value;
}

double readCellValue(std::string_view text) {
    const double value = ParseLeadingNumber(text);
    if (value != 0) {
        return value;
    }
    const std::size_t space = text.find(kNoBreakSpace);
    if (space == std::string_view::npos) {
        return value;
    }
    return ParseLeadingNumber(text.substr(space + kNoBreakSpace.size()));
}

std::string formatDerivedValue(double value) {
    if (!std::isfinite(value)) {
        return "0";
    }
    // Round to six significant digits first, as "%g" does, then lay the digits out without
    // an exponent.
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, 5);
    const std::string_view scientific(buffer.data(),
                                      static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t e = scientific.find('e');
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+' ? 1 : 0),
                    scientific.data() + scientific.size(), exponent);

    const bool negative = scientific.front() == '-';
    std::string mantissa;
    for (std::size_t k = negative ? 1 : 0; k < e; ++k) {
        if (isDigit(scientific[k])) {
            mantissa.push_back(scientific[k]);
        }
    }
    while (mantissa.size() > 1 && mantissa.back() == '0') {
        mantissa.pop_back();
    }
    if (mantissa == "0") {
        return "0";  // also turns a negative zero into a plain "0"
    }

    std::string out = negative ? "-" : "";
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += mantissa;
        return out;
    }
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (mantissa.size() <= integerDigits) {
        out += mantissa;
        out.append(integerDigits - mantissa.size(), '0');
        return out;
    }
    out.append(mantissa, 0, integerDigits);
    out += '.';
    out.append(mantissa, integerDigits, std::string::npos);
    return out;
}

void completeModuleFieldRow(ModuleFieldTable& table, RowHandle row, int mode,
                            std::string_view newText) {
    if (mode != -1 && (mode < ColumnWidth || mode > ColumnArea)) {
        return;  // orientation and tilt do not take part
    }
    auto read = [&](int column) {
        return column == mode ? ParseLeadingNumber(newText)
                              : ParseLeadingNumber(table.cellText(row, column));
    };
    const double b = read(ColumnWidth);
    const double h = read(ColumnHeight);
    const double f = read(ColumnArea);

    auto write = [&](int column, double value) {
        table.setCellText(row, column, formatDerivedValue(value));
    };
    // While completing, a cell is only rewritten when its text changes the value, so that a
    // complete row is left exactly as it stands.
    auto writeIfChanged = [&](int column, double value, double current) {
        const std::string text = formatDerivedValue(value);
        if (readStandardDecimal(text) != current) {
            table.setCellText(row, column, text);
        }
    };

    switch (mode) {
        case ColumnWidth:
            if (b <= 0) {
                return;
            }
            if (h > 0) {
                write(ColumnArea, b * h);
            } else if (f >= 0) {
                write(ColumnHeight, f / b);
            }
            return;
        case ColumnHeight:
            if (h <= 0) {
                return;
            }
            if (b > 0) {
                write(ColumnArea, b * h);
            } else if (f >= 0) {
                write(ColumnWidth, f / h);
            }
            return;
        case ColumnArea:
            if (f <= 0) {
                return;
            }
            if (b > 0) {
                write(ColumnHeight, f / b);
            } else if (h > 0) {
                write(ColumnWidth, f / h);
            }
            return;
        default:
            if (b <= 0 && h > 0 && f >= 0) {
                writeIfChanged(ColumnWidth, f / h, b);
            } else if (b > 0 && h <= 0 && f >= 0) {
                writeIfChanged(ColumnHeight, f / b, h);
            } else if (b > 0 && h > 0) {
                writeIfChanged(ColumnArea, b * h, f);
            }
            return;
    }
}

namespace {

// Rewrites columns 1..5 of one row into their display form and colours its out-of-range
// cells by the row's display line (asked of the table only when needed). Returns whether a
// cell was coloured out of range.
bool formatRow(ModuleFieldTable& table, RowHandle row, std::optional<int> line) {
    bool marked = false;
    for (int column = kFirstInputColumn; column <= kLastInputColumn; ++column) {
        const std::string text = table.cellText(row, column);
        if (text.empty()) {
            continue;
        }
        const double value = readCellValue(text);
        const InputColumnFormat& format =
            kInputColumnFormats[static_cast<std::size_t>(column - kFirstInputColumn)];
        table.setCellText(row, column, formatString(format.format, value, format.unit));
        if (value >= format.minimum && value <= format.maximum) {
            table.setCellBackground(row, column, std::nullopt);
        } else {
            if (!line) {
                line = table.rowIndex(row);
            }
            table.setCellBackground(row, column,
                                    *line % 2 != 0 ? kOutOfRangeOddRow : kOutOfRangeEvenRow);
            marked = true;
        }
    }
    return marked;
}

}  // namespace

void formatModuleFieldRows(ModuleFieldTable& table, RowHandle placeholderRow) {
    // The display line is counted along the walk: asking the table for it row by row would
    // make the walk cost the square of the rows.
    int line = -1;
    for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row)) {
        ++line;
        if (row == placeholderRow) {
            continue;  // the placeholder row is never formatted or coloured
        }
        formatRow(table, row, line);
    }
}

void formatChangedModuleFieldRows(ModuleFieldTable& table, RowHandle placeholderRow,
                                  RowFormatCache& cache) {
    const std::uint64_t begun = table.changeCount();
    if (cache.table != &table || begun < cache.seenCount) {
        cache.marked.clear();
        int line = -1;
        for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row)) {
            ++line;
            if (row != placeholderRow && formatRow(table, row, line)) {
                cache.marked.insert(row);
            }
        }
    } else {
        // A row left alone since the last formatting still shows what formatting it again
        // would show, unless it moved to a line of the other parity with a coloured cell.
        std::vector<RowHandle> rows = table.rowsChangedSince(cache.seenCount);
        // Each row is formatted once, as the walk over all rows formats it.
        std::unordered_set<RowHandle> listed(rows.begin(), rows.end());
        auto add = [&](RowHandle row) {
            if (listed.insert(row).second) {
                rows.push_back(row);
            }
        };
        add(cache.placeholderRow);  // formatted when it has become a field
        if (table.layoutChangeCount() > cache.seenCount) {
            for (const RowHandle row : cache.marked) {
                add(row);
            }
        }
        for (const RowHandle row : rows) {
            if (row == kNoRow || row == placeholderRow) {
                continue;
            }
            if (formatRow(table, row, std::nullopt)) {
                cache.marked.insert(row);
            } else {
                cache.marked.erase(row);
            }
        }
    }
    cache.table = &table;
    cache.seenCount = begun;  // rows written now are formatted once more, finding them done
    cache.placeholderRow = placeholderRow;
}

}  // namespace lumetra

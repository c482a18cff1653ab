// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/DataFileReader.h"

#include <cfloat>
#include <charconv>
#include <limits>
#include <string>
#include <vector>

#include "persistence/DataFileFormat.h"
#include "persistence/FileAccess.h"
#include "persistence/LinePieceReader.h"
#include "support/CharClass.h"
#include "support/Windows1252.h"

namespace lumetra {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

template <class IsTrimmed>
std::string_view trimmed(std::string_view text, IsTrimmed isTrimmed) {
    while (!text.empty() && isTrimmed(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isTrimmed(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view trimBlanks(std::string_view text) {
    return trimmed(text, isBlank);
}
std::string_view trimSpace(std::string_view text) {
    return trimmed(text, isSpace);
}

// The row number after "[": leading white space, an optional sign, decimal digits; no digits
// give 0. Numbers too large for any row are held just above the largest row number kept.
int readRowNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long number = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        number = std::min<long long>(number * 10 + (text[i] - '0'), kMaxDataFileRowNumber + 1LL);
    }
    return static_cast<int>(negative ? -number : number);
}

int entryColumn(int entry) {
    return entry - kFirstColumnEntry + 1;
}

// The entries a label names; entries sharing a name are few, so a small list does.
std::vector<int> entriesNamed(std::string_view label) {
    std::vector<int> entries;
    for (int entry = 0; entry < kDataFileEntryCount; ++entry) {
        if (kQuantityInfo[entry].name == label) {
            entries.push_back(entry);
        }
    }
    return entries;
}

// Keeps the entries for which `keep` holds, unless that would leave none.
template <class Predicate>
void narrow(std::vector<int>& entries, Predicate keep) {
    std::vector<int> kept;
    for (int entry : entries) {
        if (keep(entry)) {
            kept.push_back(entry);
        }
    }
    if (!kept.empty()) {
        entries = std::move(kept);
    }
}

}  // namespace

double readDecimalNumber(std::string_view text, std::size_t* consumed) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t digits = 0;
    int leadingExponent = 0;  // decimal exponent of the first significant digit, roughly
    bool significant = false;
    std::size_t integerDigits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits) {
        significant = significant || text[i] != '0';
        if (significant) {
            ++integerDigits;
        }
    }
    leadingExponent = static_cast<int>(integerDigits) - 1;
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && isDigit(text[i]); ++i, ++digits) {
            if (!significant) {
                --leadingExponent;
                significant = text[i] != '0';
            }
        }
    }
    if (digits == 0) {
        if (consumed != nullptr) {
            *consumed = 0;
        }
        return 0.0;
    }
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            for (; j < text.size() && isDigit(text[j]); ++j) {
                exponent = std::min<long long>(exponent * 10 + (text[j] - '0'), 1'000'000);
            }
            exponent = negativeExponent ? -exponent : exponent;
            i = j;
        }
    }
    if (consumed != nullptr) {
        *consumed = i;
    }
    double value = 0.0;
    const auto result =
        std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = significant && leadingExponent + exponent > 0 ? DBL_MAX : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

void DataFileReader::readLine(std::string_view bytes) {
    const std::string decoded = windows1252ToUtf8(untilZeroByte(bytes));
    std::string_view line = decoded;

    // Row prefix.
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) {
        ++i;
    }
    int rowNumber = 0;
    bool hasRowPrefix = false;
    if (i < line.size() && line[i] == '[') {
        rowNumber = readRowNumber(line.substr(i + 1));
        if (const std::size_t close = line.find(']'); close != std::string_view::npos) {
            hasRowPrefix = true;
            line.remove_prefix(close + 1);
            while (!line.empty() && isBlank(line.front())) {
                line.remove_prefix(1);
            }
        }
    }

    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    std::vector<int> entries = entriesNamed(trimBlanks(line.substr(0, equals)));
    if (entries.empty()) {
        return;
    }

    const std::string_view afterEquals = line.substr(equals + 1);
    std::size_t numberLength = 0;
    const double value = readDecimalNumber(afterEquals, &numberLength);
    const bool marked = afterEquals.find('*') != std::string_view::npos;

    if (entries.size() > 1) {
        narrow(entries,
               [hasRowPrefix](int entry) { return (entry >= kFirstColumnEntry) == hasRowPrefix; });
    }
    if (entries.size() > 1) {
        std::string_view unit = afterEquals.substr(numberLength);
        unit = trimSpace(unit.substr(0, unit.find('*')));
        narrow(entries, [unit](int entry) { return kQuantityInfo[entry].unit == unit; });
    }
    int entry = entries.front();
    for (int candidate : entries) {
        if (candidate > lastQuantity_) {
            entry = candidate;
            break;
        }
    }

    ++reading_.recognisedLines;
    if (entry < kQuantityCount) {
        reading_.read[entry] = true;
        reading_.value[entry] = value;
        reading_.marked[entry] = reading_.marked[entry] || marked;
        lastQuantity_ = entry;
        return;
    }
    if (rowNumber < 1 || rowNumber > kMaxDataFileRowNumber) {
        return;
    }
    reading_.rows[rowNumber][entryColumn(entry) - 1] = value;
}

namespace {
DataFileReading readAll(LinePieceReader& pieces, const DataFileLineObserver& observer) {
    DataFileReader reader;
    std::string_view piece;
    std::size_t lineNumber = 1;
    while (pieces.next(piece)) {
        reader.readLine(piece);
        if (observer) {
            observer(lineNumber, piece);
        }
        if (piece.back() == '\n') {
            ++lineNumber;
        }
    }
    return reader.reading();
}
}  // namespace

DataFileReading readDataFile(std::string_view bytes, const DataFileLineObserver& observer) {
    LinePieceReader pieces(bytes, kDataFileLinePiece);
    return readAll(pieces, observer);
}

DataFileReading readDataFile(std::FILE* file, const DataFileLineObserver& observer) {
    LinePieceReader pieces(file, kDataFileLinePiece, kMaxReadFileSize);
    DataFileReading reading = readAll(pieces, observer);
    reading.readFailed = pieces.failed();
    reading.tooLarge = pieces.tooLarge();
    return reading;
}

}  // namespace lumetra

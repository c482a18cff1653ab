// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/NaturalCompare.h"

#include <array>
#include <cstdint>

#include "support/CharClass.h"

namespace lumetra {
namespace {

// Base letters of the bytes 0x80..0xFF: the Windows-1252 letters with diacritics and the
// letters of the DOS code page 437 (files written on old systems). 0 means "stays as it is".
constexpr std::array<unsigned char, 128> kFoldingTable = [] {
    std::array<unsigned char, 128> table{};
    auto fold = [&table](int from, int to, char base) {
        for (int byte = from; byte <= to; ++byte) {
            table[byte - 0x80] = static_cast<unsigned char>(base);
        }
    };
    fold(0xC0, 0xC6, 'a');
    fold(0xE0, 0xE6, 'a');
    fold(0xC7, 0xC7, 'c');
    fold(0xE7, 0xE7, 'c');
    fold(0xC8, 0xCB, 'e');
    fold(0xE8, 0xEB, 'e');
    fold(0xCC, 0xCF, 'i');
    fold(0xEC, 0xEF, 'i');
    fold(0xD0, 0xD0, 'd');
    fold(0xF0, 0xF0, 'd');
    fold(0xD1, 0xD1, 'n');
    fold(0xF1, 0xF1, 'n');
    fold(0xD2, 0xD6, 'o');
    fold(0xF2, 0xF6, 'o');
    fold(0xD9, 0xDC, 'u');
    fold(0xF9, 0xFC, 'u');
    fold(0xDD, 0xDD, 'y');
    fold(0xFD, 0xFD, 'y');
    fold(0xFF, 0xFF, 'y');
    fold(0xDF, 0xDF, 's');
    table[0xFE - 0x80] = 0xDE;
    // Code page 437.
    for (int byte : {0x81, 0x96, 0x97, 0xA3}) {
        fold(byte, byte, 'u');
    }
    for (int byte : {0x82, 0x88, 0x89, 0x8A, 0x90}) {
        fold(byte, byte, 'e');
    }
    for (int byte : {0x83, 0x84, 0x85, 0x86, 0x8E, 0x8F, 0xA0}) {
        fold(byte, byte, 'a');
    }
    for (int byte : {0x8B, 0x8C, 0x8D, 0xA1}) {
        fold(byte, byte, 'i');
    }
    for (int byte : {0x94, 0x95, 0x99, 0xA2}) {
        fold(byte, byte, 'o');
    }
    fold(0xA4, 0xA5, 'n');
    return table;
}();

// The byte at `i`, or 0 past the end (a C string ends there).
int byteAt(std::string_view text, std::size_t i) {
    return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
}

int lowered(int c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDD)) {
        return c + 0x20;
    }
    return c;
}

int mapped(int c) {
    if (c >= 0x80) {
        if (const int base = kFoldingTable[c - 0x80]; base != 0) {
            c = base;
        }
        if (c >= 'A' && c <= 'Z') {
            c += 0x20;
        }
    }
    switch (c) {
        case '_':
            return ' ';
        case '/':
        case '\\':
            return 0;
        case '.':
            return 1;
        default:
            return c;
    }
}

int digitValue(int c) {
    if (isDigit(c)) {
        return c - '0';
    }
    c = lowered(c);
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return 99;
}

// A digit run from `start`: its value (held at the 32-bit maximum when it is larger) and its
// length, a base prefix included.
struct DigitRun {
    std::uint32_t value = 0;
    std::size_t length = 0;
};

DigitRun readDigitRun(std::string_view text, std::size_t start) {
    int base = 10;
    std::size_t i = start;
    if (byteAt(text, i) == '0') {
        int prefixBase = 0;
        switch (lowered(byteAt(text, i + 1))) {
            case 'x':
                prefixBase = 16;
                break;
            case 'b':
                prefixBase = 2;
                break;
            case 'o':
                prefixBase = 8;
                break;
            case 'd':
                prefixBase = 10;
                break;
            default:
                break;
        }
        // A prefix counts only when a digit of its base follows ("0b" alone is a zero and a b).
        if (prefixBase != 0 && digitValue(byteAt(text, i + 2)) < prefixBase) {
            base = prefixBase;
            i += 2;
        }
    }
    std::uint64_t value = 0;
    while (true) {
        const int digit = digitValue(byteAt(text, i));
        if (digit >= base) {
            break;
        }
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > UINT32_MAX) {
            value = UINT32_MAX + std::uint64_t{1};  // stays above the limit without overflowing
        }
        ++i;
    }
    DigitRun run;
    run.value = value > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(value);
    run.length = i - start;
    return run;
}

// Case-insensitive comparison of two texts from the given positions to their ends.
int compareRestIgnoringCase(std::string_view a, std::size_t i, std::string_view b, std::size_t j) {
    while (true) {
        const int ca = lowered(byteAt(a, i));
        const int cb = lowered(byteAt(b, j));
        if (ca != cb || ca == 0) {
            return ca - cb;
        }
        ++i;
        ++j;
    }
}

}  // namespace

int NaturalCompare(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (true) {
        const int ca = lowered(byteAt(a, i));
        const int cb = lowered(byteAt(b, j));
        if (ca == 0 || cb == 0) {
            return ca - cb;
        }
        if (isDigit(ca) && isDigit(cb)) {
            const DigitRun runA = readDigitRun(a, i);
            const DigitRun runB = readDigitRun(b, j);
            if (runA.value != runB.value) {
                return runA.value < runB.value ? -1 : 1;
            }
            if (runA.length != runB.length) {
                return compareRestIgnoringCase(a, i, b, j);
            }
            for (std::size_t k = 0; k < runA.length; ++k) {
                const int da = lowered(byteAt(a, i + k));
                const int db = lowered(byteAt(b, j + k));
                if (da != db) {
                    return da - db;
                }
            }
            i += runA.length;
            j += runB.length;
            continue;
        }
        if (ca != cb) {
            const int ma = mapped(ca);
            const int mb = mapped(cb);
            if (ma != mb) {
                return ma - mb;
            }
        }
        ++i;
        ++j;
    }
}

}  // namespace lumetra

// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a data file: only the reader, no calculator.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "persistence/DataFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumetra;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const DataFileReading reading = readDataFile(bytes);
    for (std::size_t q = 0; q < reading.value.size(); ++q) {
        // A number beyond a double's range is read as the largest double: never inf or NaN.
        if (!std::isfinite(reading.value[q]) || (!reading.read[q] && reading.value[q] != 0)) {
            __builtin_trap();
        }
    }
    for (const auto& [number, cells] : reading.rows) {
        if (number < 1 || number > kMaxDataFileRowNumber) {
            __builtin_trap();
        }
        for (const auto& cell : cells) {
            if (cell && !std::isfinite(*cell)) {
                __builtin_trap();
            }
        }
    }
    // Every line is at least one byte, so no more lines are recognised than there are bytes.
    if (reading.recognisedLines > size) {
        __builtin_trap();
    }
    return 0;
}

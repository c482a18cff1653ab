// SPDX-License-Identifier: GPL-3.0-or-later
// Applies arbitrary bytes, read as a data file, to an opened calculator over in-memory ports,
// then saves it. The calculator is opened once and restored before every input.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/OpenedCalculator.h"
#include "persistence/DataFile.h"

namespace {
// Rows beyond this number only make the input slow (every row between is created): the reader
// target covers them, this target leaves them out.
constexpr int kMaxRowNumber = 64;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumetra;
    static fuzz::OpenedCalculator opened;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!opened.loadDataFile(bytes, kMaxRowNumber)) {
        return -1;  // not added to the corpus
    }
    Calculator& calculator = opened.calculator();
    // Whatever was loaded must save again, and the placeholder row must still be last.
    (void)dataFileBytes(calculator);
    MemoryModuleFieldTable& table = opened.table();
    if (table.rowAt(table.rowCount() - 1) != calculator.state().placeholderRow) {
        __builtin_trap();
    }
    return 0;
}

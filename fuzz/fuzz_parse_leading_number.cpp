// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary text as a cell text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "energy/ModuleFieldRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // At most 63 characters are examined: the number is always finite.
    if (!std::isfinite(lumetra::ParseLeadingNumber(text)) ||
        !std::isfinite(lumetra::readCellValue(text))) {
        __builtin_trap();
    }
    return 0;
}

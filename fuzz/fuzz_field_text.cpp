// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary text as a field text with every number of decimals.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/FieldText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (int decimals = -1; decimals <= 10; ++decimals) {
        const double value = lumetra::readFieldText(text, decimals);
        // At most 31 characters are read: the value is always finite.
        if (!std::isfinite(value)) {
            __builtin_trap();
        }
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Compares two arbitrary texts (the input split where its first byte says): a text equals
// itself, and swapping the texts swaps the order.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "persistence/NaturalCompare.h"

namespace {
int sign(int value) {
    return (value > 0) - (value < 0);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::size_t split = size == 0 ? 0 : data[0] % (size + 1);
    const std::string_view a = all.substr(0, split);
    const std::string_view b = all.substr(split);
    if (lumetra::NaturalCompare(a, a) != 0 || lumetra::NaturalCompare(b, b) != 0) {
        __builtin_trap();
    }
    if (sign(lumetra::NaturalCompare(a, b)) != -sign(lumetra::NaturalCompare(b, a))) {
        __builtin_trap();
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/ModelStates.h"

namespace lumetra::test {

std::string stateString(const CalculatorState& state) {
    std::string text;
    for (int q = 0; q < kQuantityCount; ++q) {
        const bool preset = state.preset[static_cast<std::size_t>(q)];
        const bool derived = state.derived[static_cast<std::size_t>(q)];
        text += preset && derived ? 'X' : preset ? 'P' : derived ? 'D' : 'F';
    }
    return text;
}

}  // namespace lumetra::test

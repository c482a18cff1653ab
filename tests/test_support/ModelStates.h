// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "model/CalculatorState.h"

namespace lumetra::test {

// One letter per quantity: P preset, D derived, F free (X for the forbidden preset and
// derived at once), so that a whole preset state compares as one readable text.
std::string stateString(const CalculatorState& state);

}  // namespace lumetra::test

// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a location database and applies its first place to an opened
// calculator as choosing it does. The calculator is opened once and restored before every
// input.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/OpenedCalculator.h"
#include "persistence/LocationChooser.h"
#include "persistence/LocationDatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumetra;
    static fuzz::OpenedCalculator opened;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const LocationList list = readLocationList(bytes);
    if (list.empty()) {
        return 0;
    }
    opened.restore();
    applyLocationLine(opened.calculator(), list.front().text);
    opened.drainPosted();
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a location database and takes every place name and field: only the
// reader, no calculator.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "persistence/LocationDatabase.h"
#include "persistence/NaturalCompare.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumetra;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const LocationList list = readLocationList(bytes);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (placeName(list[i].text).size() > 4 * kMaxPlaceNameLength) {
            __builtin_trap();
        }
        (void)splitLocationFields(list[i].text);
        if (i > 0 && NaturalCompare(list[i - 1].sortKey, list[i].sortKey) > 0 &&
            NaturalCompare(list[i].sortKey, list[i - 1].sortKey) >= 0) {
            __builtin_trap();  // the comparison must be antisymmetric
        }
    }
    return 0;
}

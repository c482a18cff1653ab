// Reads arbitrary bytes as a location database, takes every place name and field, and applies
// the first line to an opened calculator as choosing it does.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>

#include "calculator/Calculator.h"
#include "model/MemoryFieldPanel.h"
#include "model/MemoryModuleFieldTable.h"
#include "persistence/LocationChooser.h"
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
    if (list.empty()) {
        return 0;
    }
    MemoryFieldPanel fields;
    MemoryModuleFieldTable table;
    Calculator calculator(fields, table, [](std::function<void()>) {});
    fields.setTextChangedHandler([&calculator](QuantityId q) { calculator.onFieldTextChanged(q); });
    calculator.openDialog();
    applyLocationLine(calculator, list.front().text);
    return 0;
}

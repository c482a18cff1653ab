// Loads arbitrary bytes as a data file into an opened calculator over in-memory ports.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>

#include "calculator/Calculator.h"
#include "model/MemoryFieldPanel.h"
#include "model/MemoryModuleFieldTable.h"
#include "persistence/DataFile.h"
#include "persistence/DataFileFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumetra;
    MemoryFieldPanel fields;
    MemoryModuleFieldTable table;
    std::deque<std::function<void()>> posted;
    Calculator calculator(fields, table,
                          [&posted](std::function<void()> call) { posted.push_back(call); });
    fields.setTextChangedHandler([&calculator](QuantityId q) { calculator.onFieldTextChanged(q); });
    calculator.openDialog();

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    applyDataFile(calculator, readDataFile(bytes));
    while (!posted.empty()) {
        auto call = std::move(posted.front());
        posted.pop_front();
        call();
    }
    calculator.refreshTick();
    // Whatever was loaded must save again, and the placeholder row must still be last.
    (void)dataFileBytes(calculator);
    if (table.rowAt(table.rowCount() - 1) != calculator.state().placeholderRow) {
        __builtin_trap();
    }
    return 0;
}

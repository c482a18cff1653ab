#include "energy/ModuleFieldRules.h"

namespace lumetra {

// Not built yet.
double ParseLeadingNumber(std::string_view) {
    return 0.0;
}
double readCellValue(std::string_view) {
    return 0.0;
}
void completeModuleFieldRow(ModuleFieldTable&, RowHandle, int, std::string_view) {}
void formatModuleFieldRows(ModuleFieldTable&, RowHandle) {}

}  // namespace lumetra

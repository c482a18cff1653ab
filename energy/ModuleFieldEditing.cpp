#include "energy/ModuleFieldEditing.h"

#include "model/Calculator.h"

namespace lumetra {

// Not built yet.
void insertOpeningRows(Calculator&) {}
bool endCellEdit(Calculator&, RowHandle, int, const std::string*, bool) {
    return false;
}
bool canDeleteRow(const Calculator&, RowHandle) {
    return false;
}
void deleteRowCommand(Calculator&, RowHandle) {}

}  // namespace lumetra

// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/OpeningState.h"

namespace lumetra::test {

OpeningState::OpeningState(bool open) {
    fields.setTextChangedHandler([this](QuantityId q) { calculator.onFieldTextChanged(q); });
    if (open) {
        calculator.openDialog();
    }
}

void OpeningState::runPosted() {
    while (!posted.empty()) {
        auto call = std::move(posted.front());
        posted.pop_front();
        call();
    }
}

void OpeningState::type(QuantityId q, std::string_view text) {
    fields.setFocusedField(q);
    fields.setFieldText(q, text);
    fields.setFocusedField(std::nullopt);
    calculator.onFieldFocusLost(q);
}

}  // namespace lumetra::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/MemoryFieldPanel.h"

namespace lumetra {

void MemoryFieldPanel::setFieldText(QuantityId q, std::string_view text) {
    if (texts_[q] == text) {
        return;
    }
    texts_[q] = std::string(text);
    if (textChanged_) {
        textChanged_(q);
    }
}

}  // namespace lumetra

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/Quantity.h"

namespace lumetra {

// The 42 edit fields and "Vorgabe" boxes of the main dialog, as the core sees them. The
// window implements it with real widgets, the command-line tool and the tests in memory.
// Texts are UTF-8.
class FieldPanel {
  public:
    virtual ~FieldPanel() = default;

    virtual std::string fieldText(QuantityId q) const = 0;

    // Sets a field's text as program code does. When the text differs from the current one
    // the field reports a text change to its owner, exactly as a real edit control does; the
    // owner passes it on to Calculator::onFieldTextChanged, which ignores it while the
    // calculator itself is writing the fields.
    virtual void setFieldText(QuantityId q, std::string_view text) = 0;

    // The quantity whose edit field has the keyboard focus, if any.
    virtual std::optional<QuantityId> focusedField() const = 0;

    virtual void setFieldReadOnly(QuantityId q, bool readOnly) = 0;
    virtual void setPresetBoxChecked(QuantityId q, bool checked) = 0;
};

}  // namespace lumetra

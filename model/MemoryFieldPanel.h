// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "model/FieldPanel.h"

namespace lumetra {

// The 42 fields and boxes in memory, for the command-line tool and the tests. Like a real
// edit control, a field reports every change of its text to the handler, whoever made it.
class MemoryFieldPanel final : public FieldPanel {
  public:
    using TextChangedHandler = std::function<void(QuantityId)>;

    void setTextChangedHandler(TextChangedHandler handler) { textChanged_ = std::move(handler); }

    std::string fieldText(QuantityId q) const override { return texts_[q]; }
    void setFieldText(QuantityId q, std::string_view text) override;
    std::optional<QuantityId> focusedField() const override { return focus_; }
    void setFieldReadOnly(QuantityId q, bool readOnly) override { readOnly_[q] = readOnly; }
    void setPresetBoxChecked(QuantityId q, bool checked) override { checked_[q] = checked; }

    void setFocusedField(std::optional<QuantityId> q) { focus_ = q; }
    bool isFieldReadOnly(QuantityId q) const { return readOnly_[q]; }
    bool isPresetBoxChecked(QuantityId q) const { return checked_[q]; }

  private:
    std::array<std::string, kQuantityCount> texts_{};
    std::array<bool, kQuantityCount> readOnly_{};
    std::array<bool, kQuantityCount> checked_{};
    std::optional<QuantityId> focus_;
    TextChangedHandler textChanged_;
};

}  // namespace lumetra

// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/Calculator.h"

#include "calculator/ModuleFieldEditing.h"
#include "energy/ModuleFieldRules.h"
#include "model/FieldText.h"

namespace lumetra {

namespace {

// Clears the flag when the exchange ends, however it ends.
class ExchangeGuard {
  public:
    explicit ExchangeGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~ExchangeGuard() { flag_ = false; }
    ExchangeGuard(const ExchangeGuard&) = delete;
    ExchangeGuard& operator=(const ExchangeGuard&) = delete;

  private:
    bool& flag_;
};

int decimalsOf(int q) {
    return kQuantityInfo[static_cast<std::size_t>(q)].decimals;
}

}  // namespace

Calculator::Calculator(FieldPanel& fields, ModuleFieldTable& table, PostFunction post)
    : fields_(fields), table_(table), post_(std::move(post)) {
    state_.values = kDefaultValues;
    lists_ = buildRelationLists();
    // Every two-member relation computes one of its members once: the second when only the
    // first has a value, otherwise the one of lower solve priority.
    for (int f = 0; f < kRelationCount; ++f) {
        const auto fi = static_cast<std::size_t>(f);
        if (lists_.relationMemberCount[fi] != 2) {
            continue;
        }
        int a = lists_.relationMembers[fi][0];
        int b = lists_.relationMembers[fi][1];
        if (a > b) {
            std::swap(a, b);
        }
        const double valueA = state_.values[static_cast<std::size_t>(a)];
        const double valueB = state_.values[static_cast<std::size_t>(b)];
        int chosen = 0;
        if (valueA != 0 && valueB == 0) {
            chosen = b;
        } else {
            chosen = roleOf(b, f) >= roleOf(a, f) ? a : b;
        }
        evaluateRelation(f, static_cast<QuantityId>(chosen));
    }
}

void Calculator::readAllFields() {
    ExchangeGuard guard(inDataExchange_);
    for (int q = 0; q < kQuantityCount; ++q) {
        const auto id = static_cast<QuantityId>(q);
        state_.values[static_cast<std::size_t>(q)] =
            readFieldText(fields_.fieldText(id), decimalsOf(q));
    }
}

void Calculator::writeAllFields() {
    ExchangeGuard guard(inDataExchange_);
    const std::optional<QuantityId> focused = fields_.focusedField();
    FieldTextBuffer buffer;
    for (int q = 0; q < kQuantityCount; ++q) {
        const auto id = static_cast<QuantityId>(q);
        if (focused == id) {
            continue;  // the user is typing there
        }
        const std::string_view text =
            formatFieldText(state_.values[static_cast<std::size_t>(q)], decimalsOf(q), buffer);
        if (fields_.fieldText(id) != text) {
            fields_.setFieldText(id, text);
        }
    }
}

void Calculator::openDialog() {
    insertOpeningRows(*this);
    writeAllFields();
    for (const QuantityId q : kInitialPresets) {
        togglePreset(q);
    }
    for (int q = 0; q < kQuantityCount; ++q) {
        if (!state_.derived[static_cast<std::size_t>(q)]) {
            solveFrom(static_cast<QuantityId>(q));
        }
    }
}

bool Calculator::refreshTick() {
    if (state_.tableRefreshPending) {
        state_.tableRefreshPending = false;
        formatChangedModuleFieldRows(table_, state_.placeholderRow, state_.formattedRows);
    }
    if (state_.chartRedrawPending) {
        state_.chartRedrawPending = false;
        return true;
    }
    return false;
}

void Calculator::onFieldTextChanged(QuantityId q) {
    if (inDataExchange_) {
        return;
    }
    solveFrom(q);
}

void Calculator::onFieldFocusLost(QuantityId q) {
    if (inDataExchange_ || state_.derived[static_cast<std::size_t>(q)]) {
        return;
    }
    solveFrom(q);
}

void Calculator::onPresetBoxClicked(QuantityId q) {
    if (inDataExchange_) {
        return;
    }
    togglePreset(q);
}

void Calculator::requestYieldSolve() {
    // From the latitude: it feeds the yield relation, is never derived and is not rounded by
    // the solve, so a table edit recomputes the yield without disturbing anything else.
    post([this] { solveFrom(Latitude); });
}

}  // namespace lumetra

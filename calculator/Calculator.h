// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "model/CalculatorState.h"
#include "model/FieldPanel.h"
#include "model/ModuleFieldTable.h"
#include "model/RelationLists.h"

namespace lumetra {

// The main dialog's model and behaviour without any drawing: the value store and preset
// state, the solver, the relations, the exchange with the 42 fields, what a keystroke, a
// focus change and a "Vorgabe" click set off, the opening sequence and the refresh tick.
// It reaches the fields and the table only through the two ports, so the window, the
// command-line tool and the tests run the same code.
class Calculator {
  public:
    // Runs `call` after the current event has been handled (the window queues it on its
    // event loop; the command-line tool and the tests run it when they drain their queue).
    using PostFunction = std::function<void(std::function<void()> call)>;

    // Fills the value store with the defaults, builds the relation lists and evaluates every
    // two-member relation once. Touches neither port.
    Calculator(FieldPanel& fields, ModuleFieldTable& table, PostFunction post);

    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    CalculatorState& state() { return state_; }
    const CalculatorState& state() const { return state_; }
    FieldPanel& fields() { return fields_; }
    ModuleFieldTable& table() { return table_; }
    const ModuleFieldTable& table() const { return table_; }
    const RelationLists& relationLists() const { return lists_; }

    // The exchange between the fields and the value store. While it runs, text-change
    // reports of the fields are ignored.
    void readAllFields();
    void writeAllFields();
    bool inDataExchange() const { return inDataExchange_; }

    // Flips the preset of q, releases over-determination, recomputes the derived flags and
    // shows every box's mark and every field's read-only state. Neither solves nor writes
    // values.
    void togglePreset(QuantityId q);

    // Reads all fields, limits the value of s, propagates it through the relations and writes
    // every field except the focused one.
    void solveFrom(QuantityId s);

    // Relation f computes quantity t in the value store (and its side figures).
    void evaluateRelation(int f, QuantityId t);

    // The opening of the main dialog: the table's first field and placeholder rows, all fields
    // written, the initial presets toggled in order, and a solve from every quantity that is
    // not derived.
    void openDialog();

    // The work of one refresh tick that is not drawing: reformats the table rows when that is
    // pending (the flag is cleared first). Returns true when the chart must be redrawn; the
    // flag is then already cleared.
    bool refreshTick();

    // Notifications of the fields, routed as the main dialog routes them.
    void onFieldTextChanged(QuantityId q);  // every text change: solve (ignored during exchange)
    void onFieldFocusLost(QuantityId q);    // solve again unless q is derived
    void onPresetBoxClicked(QuantityId q);  // toggle the preset

    // Posts a solve that recomputes the yield from the module-field rows; it runs after the
    // current event (a cell edit) has been finished.
    void requestYieldSolve();

    void post(std::function<void()> call) { post_(std::move(call)); }

  private:
    FieldPanel& fields_;
    ModuleFieldTable& table_;
    PostFunction post_;
    CalculatorState state_;
    RelationLists lists_;
    bool inDataExchange_ = false;
};

}  // namespace lumetra

// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <cstdint>

#include "calculator/Calculator.h"

namespace lumetra {

namespace {

enum class RelationState : std::uint8_t { Untouched, Pending, Settled };

// One solve's bookkeeping; fixed size, so a solve allocates nothing.
struct SolveState {
    std::array<bool, kQuantityCount> done{};
    std::array<RelationState, kRelationCount> relation{};
    std::array<double, kQuantityCount> snapshot{};
    std::array<std::uint8_t, kQuantityCount> queue{};
    int queueLength = 0;
};

// The unknown members of a relation in one solve: a member is known when it is preset or
// already done.
struct Unknowns {
    int solvable = 0;
    int inputOnly = 0;
    int lastSolvable = -1;  // the unknown solvable member when there is exactly one
};

Unknowns classify(const RelationLists& lists, const CalculatorState& state, const SolveState& solve,
                  int f) {
    Unknowns unknowns;
    const auto fi = static_cast<std::size_t>(f);
    const int count = lists.relationMemberCount[fi];
    for (int i = 0; i < count; ++i) {
        const int q = lists.relationMembers[fi][static_cast<std::size_t>(i)];
        const auto qi = static_cast<std::size_t>(q);
        if (state.preset[qi] || solve.done[qi]) {
            continue;
        }
        if (roleOf(q, f) == kInputOnly) {
            ++unknowns.inputOnly;
        } else {
            ++unknowns.solvable;
            unknowns.lastSolvable = q;
        }
    }
    return unknowns;
}

}  // namespace

void Calculator::solveFrom(QuantityId s) {
    readAllFields();

    auto& values = state_.values;
    const auto si = static_cast<std::size_t>(s);
    const QuantityInfo& info = kQuantityInfo[si];
    if (info.minimum != kNoLimit && values[si] < info.minimum) {
        values[si] = info.minimum;
    }
    if (info.maximum != kNoLimit && values[si] > info.maximum) {
        values[si] = info.maximum;
    }

    SolveState solve;
    solve.snapshot = values;
    solve.done[si] = true;
    solve.queue[0] = static_cast<std::uint8_t>(s);
    solve.queueLength = 1;
    int head = 0;

    // A relation computes t; a changed value is carried on through the queue.
    const auto fire = [&](int f, int t) {
        evaluateRelation(f, static_cast<QuantityId>(t));
        solve.relation[static_cast<std::size_t>(f)] = RelationState::Settled;
        const auto ti = static_cast<std::size_t>(t);
        if (!solve.done[ti]) {
            solve.done[ti] = true;
            if (values[ti] != solve.snapshot[ti]) {
                solve.queue[static_cast<std::size_t>(solve.queueLength++)] =
                    static_cast<std::uint8_t>(t);
            }
        }
    };

    for (;;) {
        // Sweep: every relation with exactly one unknown member, a solvable one, computes it,
        // settled or not.
        for (int f = 0; f < kRelationCount; ++f) {
            const Unknowns u = classify(lists_, state_, solve, f);
            if (u.solvable == 1 && u.inputOnly == 0) {
                fire(f, u.lastSolvable);
            }
        }

        const int c = solve.queue[static_cast<std::size_t>(head)];
        const auto ci = static_cast<std::size_t>(c);
        for (int i = 0; i < lists_.quantityRelationCount[ci]; ++i) {
            const int g = lists_.quantityRelations[ci][static_cast<std::size_t>(i)];
            auto& relationState = solve.relation[static_cast<std::size_t>(g)];
            if (relationState == RelationState::Settled) {
                continue;
            }
            const Unknowns u = classify(lists_, state_, solve, g);
            if (u.solvable + u.inputOnly == 0) {
                relationState = RelationState::Settled;
            } else if (u.solvable == 1 && u.inputOnly == 0) {
                fire(g, u.lastSolvable);
            } else if (u.solvable + u.inputOnly >= 2) {
                relationState = RelationState::Pending;
            }
        }

        ++head;
        if (head < solve.queueLength) {
            continue;
        }

        // Fallback: the pending relation of highest rank computes its unknown solvable member
        // of lowest priority (the one nearest the end of the member list among equals).
        int chosen = -1;
        for (int f = 0; f < kRelationCount; ++f) {
            if (solve.relation[static_cast<std::size_t>(f)] == RelationState::Pending &&
                (chosen < 0 || kRelationRank[static_cast<std::size_t>(f)] >=
                                   kRelationRank[static_cast<std::size_t>(chosen)])) {
                chosen = f;
            }
        }
        if (chosen < 0) {
            break;
        }
        const auto gi = static_cast<std::size_t>(chosen);
        int picked = -1;
        int pickedRole = 0;
        for (int i = lists_.relationMemberCount[gi] - 1; i >= 0; --i) {
            const int q = lists_.relationMembers[gi][static_cast<std::size_t>(i)];
            const auto qi = static_cast<std::size_t>(q);
            const int role = roleOf(q, chosen);
            if (role == kInputOnly || state_.preset[qi] || solve.done[qi]) {
                continue;
            }
            if (picked < 0 || role < pickedRole) {
                picked = q;
                pickedRole = role;
            }
        }
        solve.relation[gi] = RelationState::Settled;
        if (picked >= 0) {
            evaluateRelation(chosen, static_cast<QuantityId>(picked));
            const auto pi = static_cast<std::size_t>(picked);
            if (!solve.done[pi]) {
                solve.done[pi] = true;
                solve.queue[static_cast<std::size_t>(solve.queueLength++)] =
                    static_cast<std::uint8_t>(picked);
            }
        }
        // The quantity processed last is processed once more.
        --head;
    }

    writeAllFields();
}

}  // namespace lumetra

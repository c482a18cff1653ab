// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <cstdint>

#include "calculator/Calculator.h"

namespace lumetra {

namespace {

std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

bool isInputOnly(int q, int f) {
    return roleOf(q, f) == kInputOnly;
}

// A relation is closed when the presets fix every member it could compute.
bool isClosed(const RelationLists& lists, const CalculatorState& state, int f) {
    for (int i = 0; i < lists.relationMemberCount[at(f)]; ++i) {
        const int q = lists.relationMembers[at(f)][at(i)];
        if (!state.preset[at(q)] && !isInputOnly(q, f)) {
            return false;
        }
    }
    return true;
}

// Releases the oldest preset of every relation the presets close. Only a preset solvable
// member is a candidate: releasing an input-only member (or one that is not preset) would
// leave the relation closed and the release would never end. Every round releases one preset,
// so this ends after at most 42 rounds.
void releaseClosedRelations(const RelationLists& lists, CalculatorState& state) {
    for (;;) {
        std::array<int, kRelationCount> candidates{};
        int candidateCount = 0;
        for (int f = 0; f < kRelationCount; ++f) {
            if (!isClosed(lists, state, f)) {
                continue;
            }
            int candidate = -1;
            for (int i = 0; i < lists.relationMemberCount[at(f)]; ++i) {
                const int q = lists.relationMembers[at(f)][at(i)];
                if (isInputOnly(q, f)) {
                    continue;
                }
                if (candidate < 0 || state.presetStamp[at(q)] < state.presetStamp[at(candidate)]) {
                    candidate = q;
                }
            }
            bool listed = false;
            for (int i = 0; i < candidateCount; ++i) {
                listed = listed || candidates[at(i)] == candidate;
            }
            if (candidate >= 0 && !listed) {
                candidates[at(candidateCount++)] = candidate;
            }
        }
        if (candidateCount == 0) {
            return;
        }
        // Not the quantity just toggled, unless nothing else is left.
        int chosen = candidates[0];
        for (int i = candidateCount - 1; i >= 0; --i) {
            if (state.presetStamp[at(candidates[at(i)])] < state.stampCounter) {
                chosen = candidates[at(i)];
                break;
            }
        }
        state.preset[at(chosen)] = false;
    }
}

// The quantities one determination walk reached with nothing left to determine them.
struct Conflict {
    std::array<int, kQuantityCount> members{};
    int count = 0;
};

// Everything relation f determines from d on: d is derived, and every relation reached that
// has exactly one unknown member derives it in turn. A relation reached with no unknown
// member at all is over-determined; its members not met before form the conflict. Marks
// start fresh with every walk, so an earlier walk never hides a relation from a later one.
Conflict determinationWalk(const RelationLists& lists, CalculatorState& state, int f, int d) {
    std::array<bool, kQuantityCount> marked{};
    std::array<bool, kRelationCount> visited{};
    std::array<int, kQuantityCount> queue{};
    int queueLength = 0;
    Conflict conflict;

    visited[at(f)] = true;
    marked[at(d)] = true;
    state.derived[at(d)] = true;
    queue[at(queueLength++)] = d;

    for (int next = 0; next < queueLength; ++next) {
        const int c = queue[at(next)];
        for (int i = 0; i < lists.quantityRelationCount[at(c)]; ++i) {
            const int g = lists.quantityRelations[at(c)][at(i)];
            if (visited[at(g)]) {
                continue;
            }
            int unknownCount = 0;
            int unknown = -1;
            for (int k = 0; k < lists.relationMemberCount[at(g)]; ++k) {
                const int q = lists.relationMembers[at(g)][at(k)];
                if (!state.preset[at(q)] && !state.derived[at(q)]) {
                    ++unknownCount;
                    unknown = q;
                }
            }
            if (unknownCount == 0) {
                for (int k = 0; k < lists.relationMemberCount[at(g)]; ++k) {
                    const int q = lists.relationMembers[at(g)][at(k)];
                    if (!marked[at(q)]) {
                        marked[at(q)] = true;
                        conflict.members[at(conflict.count++)] = q;
                    }
                }
                visited[at(g)] = true;
            } else if (unknownCount == 1) {
                state.derived[at(unknown)] = true;
                if (!marked[at(unknown)]) {
                    marked[at(unknown)] = true;
                    queue[at(queueLength++)] = unknown;
                }
                visited[at(g)] = true;
            }
        }
    }
    return conflict;
}

// Works out the derived flags, releasing the oldest preset of every conflict a walk finds.
// Only a preset can be released; a conflict that holds none is left as it is (it cannot be
// mended by a release, and retrying it would never end). Each restart follows a release, so
// this ends after at most 42 restarts.
void computeDerived(const RelationLists& lists, CalculatorState& state) {
    state.derived.fill(false);
    int f = 0;
    while (f < kRelationCount) {
        const int memberCount = lists.relationMemberCount[at(f)];
        int known = 0;
        int remaining = -1;
        for (int i = 0; i < memberCount; ++i) {
            const int q = lists.relationMembers[at(f)][at(i)];
            if (state.preset[at(q)] || state.derived[at(q)] || isInputOnly(q, f)) {
                ++known;
            } else {
                remaining = q;
            }
        }
        if (known != memberCount - 1) {
            ++f;
            continue;
        }
        const Conflict conflict = determinationWalk(lists, state, f, remaining);
        int release = -1;
        for (int i = 0; i < conflict.count; ++i) {
            const int q = conflict.members[at(i)];
            if (state.preset[at(q)] &&
                (release < 0 || state.presetStamp[at(q)] < state.presetStamp[at(release)])) {
                release = q;
            }
        }
        if (release < 0) {
            ++f;
            continue;
        }
        state.preset[at(release)] = false;
        state.derived.fill(false);
        f = 0;
    }
}

}  // namespace

void Calculator::togglePreset(QuantityId q) {
    readAllFields();

    const auto qi = static_cast<std::size_t>(q);
    state_.stampCounter += 1;
    state_.presetStamp[qi] = state_.stampCounter;
    state_.preset[qi] = !state_.preset[qi];

    releaseClosedRelations(lists_, state_);
    computeDerived(lists_, state_);

    for (int i = 0; i < kQuantityCount; ++i) {
        const auto id = static_cast<QuantityId>(i);
        fields_.setPresetBoxChecked(id, state_.preset[at(i)]);
        fields_.setFieldReadOnly(id, state_.derived[at(i)]);
    }
}

}  // namespace lumetra

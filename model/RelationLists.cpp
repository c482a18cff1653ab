// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RelationLists.h"

#include <utility>

namespace lumetra {

namespace {

// Members of one relation: the quantities it only reads and those it can compute (-1 ends a
// list). Every solvable member of relation f has the solve priority 20 - f.
struct Membership {
    std::array<int, 8> inputOnly;
    std::array<int, 4> solvable;
};

constexpr int kNone = -1;

constexpr std::array<Membership, kRelationCount> kMemberships = {{
    {{0, 1, 2, kNone}, {3, kNone}},                      // 0 peak irradiance
    {{kNone}, {4, 5, 6, kNone}},                         // 1 module area
    {{kNone}, {6, 7, 8, kNone}},                         // 2 power per area
    {{kNone}, {7, 8, 9, kNone}},                         // 3 efficiency
    {{0, 2, 9, 10, kNone}, {11, kNone}},                 // 4 annual yield
    {{kNone}, {12, 13, kNone}},                          // 5 household electricity
    {{kNone}, {14, 15, 16, kNone}},                      // 6 hot-water volume
    {{kNone}, {14, 15, 17, kNone}},                      // 7 hot-water electricity
    {{kNone}, {18, 19, 20, 21}},                         // 8 heating electricity
    {{kNone}, {22, 23, 24, 25}},                         // 9 cooling electricity
    {{kNone}, {26, 27, 28, 29}},                         // 10 car electricity
    {{11, 13, 17, 21, 25, 29, 30, kNone}, {34, kNone}},  // 11 self-consumption
    {{34, kNone}, {35, kNone}},                          // 12 feed-in
    {{34, kNone}, {31, kNone}},                          // 13 storage capacity
    {{34, 35, kNone}, {36, kNone}},                      // 14 grid purchase
    {{32, 34, kNone}, {37, kNone}},                      // 15 value of self-consumption
    {{33, 35, kNone}, {38, kNone}},                      // 16 value of feed-in
    {{32, 36, kNone}, {39, kNone}},                      // 17 cost of grid purchase
    {{11, kNone}, {40, kNone}},                          // 18 total solar area
    {{11, kNone}, {41, kNone}},                          // 19 total solar power
}};

constexpr std::array<std::array<std::uint8_t, kRelationCount>, kQuantityCount> makeInvolvement() {
    std::array<std::array<std::uint8_t, kRelationCount>, kQuantityCount> table{};
    for (std::size_t f = 0; f < kRelationCount; ++f) {
        const Membership& m = kMemberships[f];
        // A list ends at kNone; the entries after it are zero-filled by the initialiser, so a
        // zero that is not the first entry ends it too (quantity 0 only ever comes first).
        for (std::size_t i = 0; i < m.inputOnly.size(); ++i) {
            const int q = m.inputOnly[i];
            if (q == kNone || (i > 0 && q == 0)) {
                break;
            }
            table[static_cast<std::size_t>(q)][f] = kInputOnly;
        }
        for (std::size_t i = 0; i < m.solvable.size(); ++i) {
            const int q = m.solvable[i];
            if (q == kNone || (i > 0 && q == 0)) {
                break;
            }
            table[static_cast<std::size_t>(q)][f] = static_cast<std::uint8_t>(20 - f);
        }
    }
    return table;
}

constexpr std::array<std::uint8_t, kRelationCount> makeRanks() {
    std::array<std::uint8_t, kRelationCount> ranks{};
    for (std::size_t f = 0; f < kRelationCount; ++f) {
        ranks[f] = static_cast<std::uint8_t>(20 - f);
    }
    return ranks;
}

// Orders `items` by descending key, keeping the given order among equal keys: a bubble pass
// that starts again from the front after every swap.
template <class Key>
void sortByDescendingKey(std::uint8_t* items, int count, Key key) {
    int i = 0;
    while (i + 1 < count) {
        if (key(items[i]) < key(items[i + 1])) {
            std::swap(items[i], items[i + 1]);
            i = 0;
        } else {
            ++i;
        }
    }
}

}  // namespace

const std::array<std::array<std::uint8_t, kRelationCount>, kQuantityCount> kInvolvement =
    makeInvolvement();
const std::array<std::uint8_t, kRelationCount> kRelationRank = makeRanks();

RelationLists buildRelationLists() {
    RelationLists lists;
    for (int f = 0; f < kRelationCount; ++f) {
        auto& members = lists.relationMembers[static_cast<std::size_t>(f)];
        int count = 0;
        for (int q = 0; q < kQuantityCount; ++q) {
            if (kInvolvement[static_cast<std::size_t>(q)][static_cast<std::size_t>(f)] != 0) {
                members[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(q);
            }
        }
        sortByDescendingKey(members.data(), count, [f](std::uint8_t q) {
            return kInvolvement[q][static_cast<std::size_t>(f)];
        });
        lists.relationMemberCount[static_cast<std::size_t>(f)] = static_cast<std::uint8_t>(count);
    }
    for (int q = 0; q < kQuantityCount; ++q) {
        auto& relations = lists.quantityRelations[static_cast<std::size_t>(q)];
        const auto& roles = kInvolvement[static_cast<std::size_t>(q)];
        int count = 0;
        for (int f = 0; f < kRelationCount; ++f) {
            if (roles[static_cast<std::size_t>(f)] != 0) {
                relations[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(f);
            }
        }
        sortByDescendingKey(relations.data(), count, [&roles](std::uint8_t f) { return roles[f]; });
        lists.quantityRelationCount[static_cast<std::size_t>(q)] = static_cast<std::uint8_t>(count);
    }
    return lists;
}

}  // namespace lumetra

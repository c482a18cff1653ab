// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "model/Quantity.h"

namespace lumetra {

// Role of a quantity in a relation: 0 not a member, kInputOnly read but never computed, any
// other value (1..20) a solvable member with that solve priority.
inline constexpr std::uint8_t kInputOnly = 222;

// The membership table, [quantity][relation].
extern const std::array<std::array<std::uint8_t, kRelationCount>, kQuantityCount> kInvolvement;
// Rank of relation f: 20 - f.
extern const std::array<std::uint8_t, kRelationCount> kRelationRank;

// The lists built once from the membership table.
struct RelationLists {
    // Members of each relation by descending role value (ascending index among equals).
    std::array<std::array<std::uint8_t, kQuantityCount>, kRelationCount> relationMembers{};
    std::array<std::uint8_t, kRelationCount> relationMemberCount{};
    // Relations of each quantity by descending role value of the quantity (ascending relation
    // index among equals).
    std::array<std::array<std::uint8_t, kRelationCount>, kQuantityCount> quantityRelations{};
    std::array<std::uint8_t, kQuantityCount> quantityRelationCount{};
};

// Builds both lists from the membership table.
RelationLists buildRelationLists();

// The role of quantity q in relation f.
inline std::uint8_t roleOf(int q, int f) {
    return kInvolvement[static_cast<std::size_t>(q)][static_cast<std::size_t>(f)];
}

}  // namespace lumetra

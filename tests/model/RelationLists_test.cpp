// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RelationLists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumetra {
namespace {

std::vector<int> membersOf(const RelationLists& lists, int f) {
    return {lists.relationMembers[f].begin(),
            lists.relationMembers[f].begin() + lists.relationMemberCount[f]};
}

std::vector<int> relationsOf(const RelationLists& lists, int q) {
    return {lists.quantityRelations[q].begin(),
            lists.quantityRelations[q].begin() + lists.quantityRelationCount[q]};
}

TEST(RelationListsTest, MembersInputOnlyFirstThenSolvable) {
    const std::vector<std::vector<int>> expected = {
        {0, 1, 2, 3},      {4, 5, 6},        {6, 7, 8},        {7, 8, 9},
        {0, 2, 9, 10, 11}, {12, 13},         {14, 15, 16},     {14, 15, 17},
        {18, 19, 20, 21},  {22, 23, 24, 25}, {26, 27, 28, 29}, {11, 13, 17, 21, 25, 29, 30, 34},
        {34, 35},          {34, 31},         {34, 35, 36},     {32, 34, 37},
        {33, 35, 38},      {32, 36, 39},     {11, 40},         {11, 41}};
    const RelationLists lists = buildRelationLists();
    for (int f = 0; f < kRelationCount; ++f) {
        EXPECT_EQ(membersOf(lists, f), expected[f]) << "relation " << f;
    }
}

TEST(RelationListsTest, RelationsOfEachQuantity) {
    const std::vector<std::vector<int>> expected = {{0, 4},
                                                    {0},
                                                    {0, 4},
                                                    {0},
                                                    {1},
                                                    {1},
                                                    {1, 2},
                                                    {2, 3},
                                                    {2, 3},
                                                    {4, 3},
                                                    {4},
                                                    {11, 18, 19, 4},
                                                    {5},
                                                    {11, 5},
                                                    {6, 7},
                                                    {6, 7},
                                                    {6},
                                                    {11, 7},
                                                    {8},
                                                    {8},
                                                    {8},
                                                    {11, 8},
                                                    {9},
                                                    {9},
                                                    {9},
                                                    {11, 9},
                                                    {10},
                                                    {10},
                                                    {10},
                                                    {11, 10},
                                                    {11},
                                                    {13},
                                                    {15, 17},
                                                    {16},
                                                    {12, 13, 14, 15, 11},
                                                    {14, 16, 12},
                                                    {17, 14},
                                                    {15},
                                                    {16},
                                                    {17},
                                                    {18},
                                                    {19}};
    const RelationLists lists = buildRelationLists();
    for (int q = 0; q < kQuantityCount; ++q) {
        EXPECT_EQ(relationsOf(lists, q), expected[q]) << "quantity " << q;
    }
}

TEST(RelationListsTest, RolesAndRanks) {
    for (int f = 0; f < kRelationCount; ++f) {
        EXPECT_EQ(kRelationRank[f], 20 - f);
        for (int q = 0; q < kQuantityCount; ++q) {
            const int role = roleOf(q, f);
            EXPECT_TRUE(role == 0 || role == kInputOnly || role == 20 - f)
                << "quantity " << q << " relation " << f << " role " << role;
        }
    }
    EXPECT_EQ(roleOf(StorageDays, 11), kInputOnly);
    EXPECT_EQ(roleOf(StorageDays, 13), 0) << "relation 13 reads the storage days unlisted";
    EXPECT_EQ(roleOf(ModulePower, 3), 17);
}

}  // namespace
}  // namespace lumetra

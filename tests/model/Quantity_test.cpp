// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Quantity.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace lumetra {
namespace {

std::size_t characters(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

TEST(QuantityTable, EveryLabelIsThirtyOneCharactersWithMarkerAtTwentyThree) {
    for (int entry = 0; entry < kQuantityInfoCount; ++entry) {
        const std::string label = quantityLabel(entry);
        EXPECT_EQ(characters(label), 31u) << entry << " '" << label << "'";
        const std::size_t marker = label.find('>');
        ASSERT_NE(marker, std::string::npos) << entry;
        EXPECT_EQ(characters(std::string_view(label).substr(0, marker)), 22u) << entry;
    }
}

TEST(QuantityTable, LatitudeLabelPadsNameAndUnit) {
    EXPECT_EQ(quantityLabel(Latitude), "Breitengrad           >°       ");
    EXPECT_EQ(quantityLabel(48), quantityLabel(AnnualYield));
    EXPECT_EQ(quantityLabel(-1), "");
    EXPECT_EQ(quantityLabel(kQuantityInfoCount), "");
}

TEST(QuantityTable, DescriptionsArePresentAndColumnsHaveNoLimits) {
    for (int entry = 0; entry < kQuantityInfoCount; ++entry) {
        const QuantityInfo& info = kQuantityInfo[static_cast<std::size_t>(entry)];
        EXPECT_FALSE(info.description.empty()) << entry;
        EXPECT_GE(info.decimals, 0) << entry;
        EXPECT_LE(info.decimals, 9) << entry;
        if (entry < kQuantityCount) {
            EXPECT_NE(info.minimum, kNoLimit) << "every quantity has a real minimum: " << entry;
        } else {
            EXPECT_EQ(info.decimals, 0);
            EXPECT_EQ(info.minimum, kNoLimit);
        }
    }
    for (int entry = kQuantityCount; entry < kQuantityInfoCount; ++entry) {
        EXPECT_EQ(kQuantityInfo[static_cast<std::size_t>(entry)].maximum, kNoLimit);
    }
}

TEST(QuantityTable, DefaultsLieWithinTheirLimits) {
    for (int q = 0; q < kQuantityCount; ++q) {
        const QuantityInfo& info = kQuantityInfo[static_cast<std::size_t>(q)];
        const double v = kDefaultValues[static_cast<std::size_t>(q)];
        EXPECT_GE(v, info.minimum) << q;
        if (info.maximum != kNoLimit) {
            EXPECT_LE(v, info.maximum) << q;
        }
    }
}

TEST(QuantityTable, ControlIdsAreUniqueAndFollowTheLayout) {
    std::set<int> editIds;
    std::set<int> boxIds;
    for (int q = 0; q < kQuantityCount; ++q) {
        const QuantityControls& c = kQuantityControls[static_cast<std::size_t>(q)];
        editIds.insert(c.editId);
        boxIds.insert(c.boxId);
        EXPECT_EQ(c.boxId, 1048 + q);
        const int expectedEdit = q == ModuleHeight ? 1006 : q == ModuleArea ? 1005 : 1000 + q;
        EXPECT_EQ(c.editId, expectedEdit) << q;
    }
    EXPECT_EQ(editIds.size(), 42u);
    EXPECT_EQ(boxIds.size(), 42u);
}

struct LookupCase {
    const char* name;
    int id;
    bool isBox;
    std::optional<QuantityId> expected;
};

class ControlLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(ControlLookup, FindsQuantity) {
    const LookupCase& c = GetParam();
    EXPECT_EQ(c.isBox ? quantityFromBoxId(c.id) : quantityFromEditId(c.id), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ControlLookup,
                         ::testing::Values(LookupCase{"FirstEdit", 1000, false, Latitude},
                                           LookupCase{"HeightEditIs1006", 1006, false,
                                                      ModuleHeight},
                                           LookupCase{"AreaEditIs1005", 1005, false, ModuleArea},
                                           LookupCase{"LastEdit", 1041, false, SolarPower},
                                           LookupCase{"BoxIdIsNoEdit", 1048, false, std::nullopt},
                                           LookupCase{"FirstBox", 1048, true, Latitude},
                                           LookupCase{"LastBox", 1089, true, SolarPower},
                                           LookupCase{"ButtonIsNoBox", 1104, true, std::nullopt},
                                           LookupCase{"EditIsNoBox", 1000, true, std::nullopt}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(QuantityTable, BoxKindsAndPictures) {
    const std::set<int> disabled = {0, 1, 2, 3, 10, 11, 40, 41};
    for (int q = 0; q < kQuantityCount; ++q) {
        const QuantityControls& c = kQuantityControls[static_cast<std::size_t>(q)];
        const PresetBoxKind expected = q >= 30 && q <= 39  ? PresetBoxKind::Hidden
                                       : disabled.count(q) ? PresetBoxKind::Disabled
                                                           : PresetBoxKind::Enabled;
        EXPECT_EQ(c.box, expected) << q;
        const int picture = q == 0   ? 131
                            : q == 1 ? 132
                            : q == 4 ? 133
                            : q == 5 ? 134
                            : q == 6 ? 135
                                     : 129;
        EXPECT_EQ(c.pictureId, picture) << q;
    }
}

TEST(QuantityTable, IdentifiersRoundTrip) {
    for (int q = 0; q < kQuantityCount; ++q) {
        const auto id = static_cast<QuantityId>(q);
        EXPECT_EQ(quantityFromIdentifier(quantityIdentifier(id)), id);
    }
    EXPECT_EQ(quantityIdentifier(CarDistance), "CarDistance");
    EXPECT_EQ(quantityFromIdentifier("Nothing"), std::nullopt);
}

}  // namespace
}  // namespace lumetra

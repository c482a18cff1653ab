// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Quantity.h"

namespace lumetra {

namespace {

constexpr std::array<std::string_view, kQuantityCount> kIdentifiers = {
    "Latitude",
    "Longitude",
    "AnnualIrradiation",
    "PeakIrradiance",
    "ModuleWidth",
    "ModuleHeight",
    "ModuleArea",
    "ModulePower",
    "PowerPerArea",
    "Efficiency",
    "SystemLosses",
    "AnnualYield",
    "Persons",
    "HouseholdElectricity",
    "WaterPersons",
    "WaterPerPersonDay",
    "WaterPerYear",
    "WaterElectricity",
    "HeatedArea",
    "HeatingDemandFactor",
    "HeatingPerformanceFactor",
    "HeatingElectricity",
    "CooledArea",
    "CoolingLoadPerArea",
    "CoolingPerformanceFactor",
    "CoolingElectricity",
    "CarConsumptionPer100km",
    "CarDistance",
    "ChargingLosses",
    "CarElectricity",
    "StorageDays",
    "StorageCapacity",
    "ElectricityPrice",
    "FeedInTariff",
    "SelfConsumption",
    "FeedIn",
    "GridPurchase",
    "SelfConsumptionValue",
    "FeedInValue",
    "GridPurchaseCost",
    "SolarArea",
    "SolarPower",
};

constexpr std::size_t kLabelNameWidth = 22;
constexpr std::size_t kLabelUnitWidth = 8;

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

void appendPadded(std::string& out, std::string_view text, std::size_t width) {
    out += text;
    const std::size_t length = characterCount(text);
    if (length < width) {
        out.append(width - length, ' ');
    }
}

}  // namespace

std::string_view quantityIdentifier(QuantityId q) {
    if (q < 0 || q >= kQuantityCount) {
        return {};
    }
    return kIdentifiers[static_cast<std::size_t>(q)];
}

std::optional<QuantityId> quantityFromIdentifier(std::string_view identifier) {
    for (int q = 0; q < kQuantityCount; ++q) {
        if (kIdentifiers[static_cast<std::size_t>(q)] == identifier) {
            return static_cast<QuantityId>(q);
        }
    }
    return std::nullopt;
}

std::string quantityLabel(int entry) {
    if (entry < 0 || entry >= kQuantityInfoCount) {
        return {};
    }
    const QuantityInfo& info = kQuantityInfo[static_cast<std::size_t>(entry)];
    std::string label;
    label.reserve(40);
    appendPadded(label, info.name, kLabelNameWidth);
    label += '>';
    appendPadded(label, info.unit, kLabelUnitWidth);
    return label;
}

std::optional<QuantityId> quantityFromEditId(int editId) {
    for (int q = 0; q < kQuantityCount; ++q) {
        if (kQuantityControls[static_cast<std::size_t>(q)].editId == editId) {
            return static_cast<QuantityId>(q);
        }
    }
    return std::nullopt;
}

std::optional<QuantityId> quantityFromBoxId(int boxId) {
    for (int q = 0; q < kQuantityCount; ++q) {
        if (kQuantityControls[static_cast<std::size_t>(q)].boxId == boxId) {
            return static_cast<QuantityId>(q);
        }
    }
    return std::nullopt;
}

}  // namespace lumetra

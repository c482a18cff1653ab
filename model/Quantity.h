// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra {

// Index of one of the 42 quantities of the calculator; every per-quantity array is indexed
// by it.
enum QuantityId : int {
    Latitude = 0,
    Longitude,
    AnnualIrradiation,
    PeakIrradiance,
    ModuleWidth,
    ModuleHeight,
    ModuleArea,
    ModulePower,
    PowerPerArea,
    Efficiency,
    SystemLosses,
    AnnualYield,
    Persons,
    HouseholdElectricity,
    WaterPersons,
    WaterPerPersonDay,
    WaterPerYear,
    WaterElectricity,
    HeatedArea,
    HeatingDemandFactor,
    HeatingPerformanceFactor,
    HeatingElectricity,
    CooledArea,
    CoolingLoadPerArea,
    CoolingPerformanceFactor,
    CoolingElectricity,
    CarConsumptionPer100km,
    CarDistance,
    ChargingLosses,
    CarElectricity,
    StorageDays,
    StorageCapacity,
    ElectricityPrice,
    FeedInTariff,
    SelfConsumption,
    FeedIn,
    GridPurchase,
    SelfConsumptionValue,
    FeedInValue,
    GridPurchaseCost,
    SolarArea,
    SolarPower,
};

inline constexpr int kQuantityCount = 42;
inline constexpr int kRelationCount = 20;
// The information table continues after the quantities with one entry for each of the seven
// data columns of the module-field table: entry 42 is column 1 ... entry 48 is column 7.
inline constexpr int kModuleColumnEntryCount = 7;
inline constexpr int kQuantityInfoCount = kQuantityCount + kModuleColumnEntryCount;

// A limit equal to this value is never applied.
inline constexpr double kNoLimit = -123.456;

// How the dialog shows a quantity's "Vorgabe" box; fixed by the dialog template.
enum class PresetBoxKind { Enabled, Disabled, Hidden };

// Label, help text, decimals and limits of a quantity (entries 0..41) or of a module-field
// column (entries 42..48, which have no decimals or limits: 0, kNoLimit, kNoLimit).
struct QuantityInfo {
    std::string_view name;         // name part of the label, without padding
    std::string_view unit;         // unit part of the label, without padding
    std::string_view description;  // help text shown for the focused field
    int decimals;                  // fraction digits in the edit field (0..9)
    double minimum;                // or kNoLimit
    double maximum;                // or kNoLimit
};

// The dialog controls of a quantity.
struct QuantityControls {
    int editId;
    int boxId;
    int pictureId;  // help picture resource
    PresetBoxKind box;
};

extern const std::array<QuantityInfo, kQuantityInfoCount> kQuantityInfo;
extern const std::array<QuantityControls, kQuantityCount> kQuantityControls;
extern const std::array<double, kQuantityCount> kDefaultValues;
extern const std::array<QuantityId, 21> kInitialPresets;

// The enumerator's name ("Latitude") of a quantity.
std::string_view quantityIdentifier(QuantityId q);
std::optional<QuantityId> quantityFromIdentifier(std::string_view identifier);

// The 31-character label of an information entry: name padded with blanks to 22 characters,
// ">", unit padded to 8 characters (characters, not bytes: the texts are UTF-8).
std::string quantityLabel(int entry);

// Control id lookups; the first quantity in index order whose id matches.
std::optional<QuantityId> quantityFromEditId(int editId);
std::optional<QuantityId> quantityFromBoxId(int boxId);

}  // namespace lumetra

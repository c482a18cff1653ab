// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Quantity.h"

namespace lumetra {

// Label, help text, decimals and limits; entries 42..48 describe the module-field columns.
const std::array<QuantityInfo, kQuantityInfoCount> kQuantityInfo = {{
    {"Breitengrad", "°", "Ist geografische Breite des Ortes.", 6, -90.0, 90.0},  // 0 Latitude
    {"Längengrad", "°", "Ist geografische Länge des Ortes.", 6, -180.0, 180.0},  // 1 Longitude
    {"Globalstrahlung", "kWh/m²",
     "Ist die gesamte Energie die pro Jahr von der Sonne auf einen Quartratmeter am Ort abstrahlt.",
     0, 0.0, 3500.0},  // 2 AnnualIrradiation
    {"Globalstrahlung max.", "kW/m²",
     "Ist die höchste Leitung (im Sommer) die die Sonne auf einen Quartratmeter am Ort abstrahlt.",
     0, 0.0, kNoLimit},  // 3 PeakIrradiance
    {"Modulbreite", "m",
     "Ist die Breite eines einzelnen Moduls in Metern.\n\nBreite = Fläche / Höhe", 3, 0.1,
     50.0},  // 4 ModuleWidth
    {"Modulhöhe", "m", "Ist die Höhe eines einzelnen Moduls in Metern.\n\nHöhe = Fläche / Breite",
     3, 0.1, 50.0},  // 5 ModuleHeight
    {"Modulfläche", "m²",
     "Ist die Fläche eines einzelnen Moduls in Quatratmetern.\n\nFläche = Breite * Höhe", 3, 0.1,
     kNoLimit},  // 6 ModuleArea
    {"Modulleistung", "Wp",
     "Ist maximale Leistung die ein einzelnen Modul abgeben kann in Watt-Peak.", 0, 0.0,
     1500.0},  // 7 ModulePower
    {"Nennleistung", "Wp/m²",
     "Ist maximale Leistung die ein Modul je Quartratmeter abgeben kann in Watt-Peak.", 0, 0.0,
     1500.0},  // 8 PowerPerArea
    {"Wirkungsgrad", "%",
     "Ist Menge an Licht die in elektische Leistung umgewandelt werden kann.\n\nWirkungsgrad = 100 "
     "* Nennleistung / Globalstrahlung max.",
     0, 0.0, 100.0},  // 9 Efficiency
    {"Versluste", "%", "Sind die Anlagenverluste z.B. vom Wechselrichter.", 1, 0.0,
     100.0},  // 10 SystemLosses
    {"Ertrag", "kWh", "Ist der Gesamtertrag der Anlage in Kilowattstunden pro Jahr.", 0, 0.0,
     kNoLimit},  // 11 AnnualYield
    {"Personen im Haushalt", "-", "Ist die Anzahl der Personen die im Haushalt wohnen.", 0, 0.0,
     kNoLimit},  // 12 Persons
    {"Stromverbruch/Jahr", "kWh",
     "Ist der Stromverbrauch pro Jahr in Kilowattstunden für alle Hausbewohner.", 0, 0.0,
     kNoLimit},  // 13 HouseholdElectricity
    {"Personen im Haushalt", "-", "Ist die Anzahl der Personen die im Haushalt wohnen.", 0, 0.0,
     kNoLimit},  // 14 WaterPersons
    {"Wasserverbrauch", "l/Tag",
     "Ist der Warmwasserverbrauch (55°C) in Litern pro Tag und Person. Ein Duchschnittswert sind "
     "55 Liter.",
     0, 0.0, kNoLimit},  // 15 WaterPerPersonDay
    {"Wasserverbrauch", "m³/Jahr",
     "Ist der Warmwasserverbrauch (55°C) in Kupikmetren pro Jahr von allen Personen im Haushalt.",
     2, 0.0, kNoLimit},  // 16 WaterPerYear
    {"StromFürWasser/Jahr", "kWh",
     "Ist der Stromverbrauch für die Warmwassererzeugung pro Jahr in Kilowattstunden für alle "
     "Hausbewohner.",
     0, 0.0, kNoLimit},  // 17 WaterElectricity
    {"Beheitzte Fläche", "m²", "Ist die Wohnfläche die beheitzt wird in Quatratmetern.", 1, 0.0,
     kNoLimit},  // 18 HeatedArea
    {"Heizbeiwert", "kWh/m²",
     "Gibt an wieviel Heizenergie pro Quatratmeter und Jahr aufgewendet werden muss.\n\n     "
     "0..10\t= Passivhaus\n    10..25\t= Niedrigstenergiehaus\n    25..50\t= Niedrigenergiehaus\n  "
     " 50..100\t= Standartdobjekte\n  100..300\t= Unsanierte Objekte",
     1, 0.0, 500.0},  // 19 HeatingDemandFactor
    {"JahresarbeitszahlH", "-",
     "Ist der Faktor um den eine Wärmepumpe die Heizenergie vervielfacht.\n\n  1.0 = "
     "Elektroheizuing\n  2.2 = Luftwärmepumpe mit Radiatorheizung\n  2.7 = Erdwärmepumpe mit "
     "Radiatorheizung\n  3.0 = Grundwasserwärmepumpe mit Radiatorheizung\n  3.5 = Luftwärmepumpe "
     "mit Fussbodenheizung\n  4.5 = Erdwärmepumpe mit Fussbodenheizung\n  4.7 = "
     "Grundwasserwärmepumpe mit Fussbodenheizung",
     1, 0.0, 10.0},  // 20 HeatingPerformanceFactor
    {"StromFürHeizen/Jahr", "kWh",
     "Ist der Stromverbrauch für die Raumheizung pro Jahr in Kilowattstunden für alle "
     "Hausbewohner.",
     0, 0.0, kNoLimit},  // 21 HeatingElectricity
    {"Gekühlte Fläche", "m²", "Ist die Wohnfläche die gekühlt wird in Quatratmetern.", 1, 0.0,
     kNoLimit},  // 22 CooledArea
    {"Kühlleistung je m²", "W/m²",
     "Ist die maximale Kühlleistung je Quatratmeter.\n\n  60W\tfür Räume mit wenig "
     "Sonneneintrahlung\n 100W\tfür Räume mit Sonneneintrahlung",
     0, 0.0, 500.0},  // 23 CoolingLoadPerArea
    {"JahresarbeitszahlK", "-",
     "Ist der Faktor um den eine Wärmepumpe die Kühlenergie vervielfacht.\n\n  2.5 = "
     "Luftwärmepumpe",
     1, 0.0, 10.0},  // 24 CoolingPerformanceFactor
    {"StromFürKühlen/Jahr", "kWh",
     "Ist der Stromverbrauch für die Raumkühlung pro Jahr in Kilowattstunden für alle "
     "Hausbewohner.",
     0, 0.0, kNoLimit},  // 25 CoolingElectricity
    {"Verbrauch je 100 km", "kWh",
     "Ist der Stromverbrauch des E-Autos auf 100 Kilometern. Diser Liegt etwa zwischen 13 und 22 "
     "kWh.",
     1, 0.0, 100.0},  // 26 CarConsumptionPer100km
    {"Fahrleistung", "km",
     "Sind die Kilometer die pro Jahr mit dem E-Autos gefahren werden, und wieder zuhause geladen "
     "werden.",
     0, 0.0, kNoLimit},  // 27 CarDistance
    {"Ladeverluste", "%",
     "Sind die Verluaste beim Laden des E-Autos. Dieser Wert leigt üblich bei 5 Pozent.", 1, 0.0,
     100.0},  // 28 ChargingLosses
    {"StromFürAuto/Jahr", "kWh",
     "Ist der Stromverbrauch für das Laden des E-Autos pro Jahr in Kilowattstunden für alle "
     "Hausbewohner.",
     0, 0.0, kNoLimit},  // 29 CarElectricity
    {"Speicherüberbrükung", "Tage",
     "Wievile Tage soll der Akkuspeicher die Versorgung überbrücken.\n\n  0 Tage --> kein "
     "Akkuspeicher",
     1, 0.0, kNoLimit},  // 30 StorageDays
    {"Speicherkapazität", "kWh",
     "Ist der die benötigte Speicherkapazität vom Akkuspeicher in Kilowattstunden.", 0, 0.0,
     kNoLimit},  // 31 StorageCapacity
    {"Strompreis", "Euro", "Ist der Strompreis für den Einkauf von Strom.", 3, 0.0,
     10.0},  // 32 ElectricityPrice
    {"Einspeisepreis", "Euro", "Ist der Strompreis für den man für die Einspeisung bekommt.", 3,
     0.0, 10.0},  // 33 FeedInTariff
    {"Eingenverbrauch", "kWh",
     "Ist der Stromverbrauch der direkt von der Solaranlage und dem Akkuspeicher gedeckt wird.", 0,
     0.0, kNoLimit},  // 34 SelfConsumption
    {"Stromeinspeisung", "kWh",
     "Ist der Strom von der Solaranlage ins Netz zurück gespeist werden muss in Kilowattstunden.",
     0, 0.0, kNoLimit},  // 35 FeedIn
    {"Strombezug", "kWh",
     "Ist der Strom der zusätzlich zum Solar- und Akkustrom eingekauft werden muss.", 0, 0.0,
     kNoLimit},  // 36 GridPurchase
    {"Preis Eingenverbrauch", "Euro",
     "Ersparnis des Stroms der direkt von der Solaranlage und dem Akkuspeicher gedeckt wird.", 2,
     0.0, kNoLimit},  // 37 SelfConsumptionValue
    {"Preis Stromeinspeisung", "Euro",
     "Vergütung des Stroms von der Solaranlage der ins Netz zurück gespeist wird.", 2, 0.0,
     kNoLimit},  // 38 FeedInValue
    {"Preis Strombezug", "Euro",
     "Preis des Stroms der zusätzlich zum Solar- und Akkustrom eingekauft werden muss.", 2, 0.0,
     kNoLimit},  // 39 GridPurchaseCost
    {"Solarfläche", "m²", "Ist die gesamte Fläche aller Solarmodule in Quartratmeter.", 1, 0.0,
     kNoLimit},  // 40 SolarArea
    {"Solarleistung", "Wp",
     "Ist die maximale Leistung die alle Solarmodule gemeinsam abgeben können in Watt-Peak.", 0,
     0.0, kNoLimit},  // 41 SolarPower
    {"Modulfeldbreite", "m",
     "Ist die Breite einer Fläche aus Modulen in Metern.\n\nBreite = Fläche / Höhe", 0, kNoLimit,
     kNoLimit},  // 42 column 1
    {"Modulfeldhöhe", "m",
     "Ist die Höhe einer Fläche aus Modulen in Metern.\n\nHöhe = Fläche / Breite", 0, kNoLimit,
     kNoLimit},  // 43 column 2
    {"Modulfeldfläche", "m²",
     "Ist die Fläche einer Fläche aus Modulen in Quatratmetern.\n\nFläche = Breite * Höhe", 0,
     kNoLimit, kNoLimit},  // 44 column 3
    {"Modulausrichtung", "°",
     "Ist die Himmelsrichtung in der ein Modulfeld ausgerichtet ist.\n\n  Süden\t= 0°\n  Westen\t= "
     "90°\n  Norden\t= 180°\n  Osten\t= -90°",
     0, kNoLimit, kNoLimit},  // 45 column 4
    {"Modulwinkel", "°",
     "Ist der Winkel mit dem ein Modulfeld montiert ist.\n\n  0°\t= Flachdach\n  30°\t= Normalses "
     "Dach\n  90°\t= Hauswand",
     0, kNoLimit, kNoLimit},  // 46 column 5
    {"Leistung (peek)", "Wp",
     "Ist maximale Leistung eines Modulfeldes in Watt.\n\nLeistung = nLeistungJeModul * "
     "ModulAnzahl",
     0, kNoLimit, kNoLimit},  // 47 column 6
    {"Ertrag", "kWh", "Ist gesamte Stromertrag eines Modulfeldes in Kilowattstunden pro Jahr.", 0,
     kNoLimit, kNoLimit},  // 48 column 7
}};

// Edit field, "Vorgabe" box, help picture and the kind of box, per quantity.
const std::array<QuantityControls, kQuantityCount> kQuantityControls = {{
    {1000, 1048, 131, PresetBoxKind::Disabled},  // 0
    {1001, 1049, 132, PresetBoxKind::Disabled},  // 1
    {1002, 1050, 129, PresetBoxKind::Disabled},  // 2
    {1003, 1051, 129, PresetBoxKind::Disabled},  // 3
    {1004, 1052, 133, PresetBoxKind::Enabled},   // 4
    {1006, 1053, 134, PresetBoxKind::Enabled},   // 5
    {1005, 1054, 135, PresetBoxKind::Enabled},   // 6
    {1007, 1055, 129, PresetBoxKind::Enabled},   // 7
    {1008, 1056, 129, PresetBoxKind::Enabled},   // 8
    {1009, 1057, 129, PresetBoxKind::Enabled},   // 9
    {1010, 1058, 129, PresetBoxKind::Disabled},  // 10
    {1011, 1059, 129, PresetBoxKind::Disabled},  // 11
    {1012, 1060, 129, PresetBoxKind::Enabled},   // 12
    {1013, 1061, 129, PresetBoxKind::Enabled},   // 13
    {1014, 1062, 129, PresetBoxKind::Enabled},   // 14
    {1015, 1063, 129, PresetBoxKind::Enabled},   // 15
    {1016, 1064, 129, PresetBoxKind::Enabled},   // 16
    {1017, 1065, 129, PresetBoxKind::Enabled},   // 17
    {1018, 1066, 129, PresetBoxKind::Enabled},   // 18
    {1019, 1067, 129, PresetBoxKind::Enabled},   // 19
    {1020, 1068, 129, PresetBoxKind::Enabled},   // 20
    {1021, 1069, 129, PresetBoxKind::Enabled},   // 21
    {1022, 1070, 129, PresetBoxKind::Enabled},   // 22
    {1023, 1071, 129, PresetBoxKind::Enabled},   // 23
    {1024, 1072, 129, PresetBoxKind::Enabled},   // 24
    {1025, 1073, 129, PresetBoxKind::Enabled},   // 25
    {1026, 1074, 129, PresetBoxKind::Enabled},   // 26
    {1027, 1075, 129, PresetBoxKind::Enabled},   // 27
    {1028, 1076, 129, PresetBoxKind::Enabled},   // 28
    {1029, 1077, 129, PresetBoxKind::Enabled},   // 29
    {1030, 1078, 129, PresetBoxKind::Hidden},    // 30
    {1031, 1079, 129, PresetBoxKind::Hidden},    // 31
    {1032, 1080, 129, PresetBoxKind::Hidden},    // 32
    {1033, 1081, 129, PresetBoxKind::Hidden},    // 33
    {1034, 1082, 129, PresetBoxKind::Hidden},    // 34
    {1035, 1083, 129, PresetBoxKind::Hidden},    // 35
    {1036, 1084, 129, PresetBoxKind::Hidden},    // 36
    {1037, 1085, 129, PresetBoxKind::Hidden},    // 37
    {1038, 1086, 129, PresetBoxKind::Hidden},    // 38
    {1039, 1087, 129, PresetBoxKind::Hidden},    // 39
    {1040, 1088, 129, PresetBoxKind::Disabled},  // 40
    {1041, 1089, 129, PresetBoxKind::Disabled},  // 41
}};

const std::array<double, kQuantityCount> kDefaultValues = {
    47.105186,  // 0 Latitude
    15.710793,  // 1 Longitude
    1100.0,     // 2 AnnualIrradiation
    0.0,        // 3 PeakIrradiance
    1.016,      // 4 ModuleWidth
    1.686,      // 5 ModuleHeight
    0.67,       // 6 ModuleArea
    340.0,      // 7 ModulePower
    0.0,        // 8 PowerPerArea
    20.0,       // 9 Efficiency
    10.0,       // 10 SystemLosses
    0.0,        // 11 AnnualYield
    4.0,        // 12 Persons
    0.0,        // 13 HouseholdElectricity
    4.0,        // 14 WaterPersons
    55.0,       // 15 WaterPerPersonDay
    80.0,       // 16 WaterPerYear
    0.0,        // 17 WaterElectricity
    100.0,      // 18 HeatedArea
    25.0,       // 19 HeatingDemandFactor
    3.5,        // 20 HeatingPerformanceFactor
    0.0,        // 21 HeatingElectricity
    100.0,      // 22 CooledArea
    100.0,      // 23 CoolingLoadPerArea
    2.5,        // 24 CoolingPerformanceFactor
    0.0,        // 25 CoolingElectricity
    18.0,       // 26 CarConsumptionPer100km
    0.0,        // 27 CarDistance
    5.0,        // 28 ChargingLosses
    0.0,        // 29 CarElectricity
    0.0,        // 30 StorageDays
    0.0,        // 31 StorageCapacity
    0.13,       // 32 ElectricityPrice
    0.105,      // 33 FeedInTariff
    0.0,        // 34 SelfConsumption
    0.0,        // 35 FeedIn
    0.0,        // 36 GridPurchase
    0.0,        // 37 SelfConsumptionValue
    0.0,        // 38 FeedInValue
    0.0,        // 39 GridPurchaseCost
    0.0,        // 40 SolarArea
    0.0,        // 41 SolarPower
};

// The presets of the opening state, toggled in this order.
const std::array<QuantityId, 21> kInitialPresets = {
    Latitude,
    Longitude,
    AnnualIrradiation,
    ModuleWidth,
    ModuleHeight,
    ModulePower,
    SystemLosses,
    Persons,
    WaterPersons,
    WaterPerPersonDay,
    HeatedArea,
    HeatingDemandFactor,
    HeatingPerformanceFactor,
    CooledArea,
    CoolingLoadPerArea,
    CoolingPerformanceFactor,
    CarConsumptionPer100km,
    CarDistance,
    ChargingLosses,
    ElectricityPrice,
    FeedInTariff,
};

}  // namespace lumetra

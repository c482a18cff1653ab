// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The templates of the main dialog, the about box and the legend dialog: every control with its
// id, text and place in dialog units (left, top, width, height relative to the client area).
// The dialog builder places the widgets from these tables and nothing else.

#include <array>
#include <string_view>

#include "energy/MonthlyChart.h"
#include "model/Quantity.h"

namespace lumetra {

struct DuRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Control ids of the main dialog besides the fields and boxes of kQuantityControls.
inline constexpr int kCancelId = 2;
inline constexpr int kOkId = 1;
inline constexpr int kLoadButtonId = 1104;
inline constexpr int kSaveButtonId = 1105;
inline constexpr int kDescriptionId = 1106;
inline constexpr int kHelpPictureId = 1107;
inline constexpr int kChooseLocationButtonId = 1108;
inline constexpr int kTableFrameId = 1109;
inline constexpr int kChartAreaId = 1110;
inline constexpr int kChartPictureId = 1111;
inline constexpr int kHelpAreaId = 1112;
inline constexpr int kTableControlId = 13425;
inline constexpr int kDeleteRowCommand = 13424;

inline constexpr DuRect kMainDialogSize{0, 0, 728, 476};
inline constexpr std::string_view kMainDialogCaption = "Lumetra";

struct GroupBoxLayout {
    std::string_view text;
    DuRect at;
};

inline constexpr std::array<GroupBoxLayout, 11> kGroupBoxes = {{
    {"Ort", {5, 5, 510, 45}},
    {"Solarmodul", {5, 55, 510, 60}},
    {"Gesamte Anlage", {5, 215, 510, 45}},
    {"Stromverbrauch ohne Warmwasser", {5, 260, 510, 30}},
    {"Stromverbrauch für Warmwassererzeugung", {5, 290, 510, 45}},
    {"Stromverbrauch für Heizung", {5, 335, 510, 45}},
    {"Stromverbrauch für Kühlung", {5, 380, 510, 45}},
    {"Laden E-Auto", {5, 425, 510, 45}},
    {"Speicher", {520, 210, 200, 45}},
    {"Strompreise", {520, 255, 200, 45}},
    {"Ergebnisse", {520, 300, 200, 70}},
}};

// Where one quantity's label, edit field, unit and "Vorgabe" box lie. An empty text means the
// control does not exist (the money column of "Ergebnisse" has neither label nor unit). The
// controls' ids and the kind of box come from the quantity table (kQuantityControls).
struct FieldLayout {
    QuantityId quantity;
    std::string_view label;
    DuRect labelAt;
    DuRect editAt;
    std::string_view unit;
    DuRect unitAt;
    DuRect boxAt;
};

// The label of SystemLosses is ours to word; the field holds the installation's losses in %.
inline constexpr std::string_view kSystemLossesLabel = "Anlagenverluste :";

// clang-format off
inline constexpr std::array<FieldLayout, kQuantityCount> kFieldLayout = {{
    // quantity, label, label at, edit at, unit, unit at, box at
    {Latitude,                 "Breitengrad :",             {15, 18, 67, 8},   {95, 15, 70, 14},   "°",       {171, 19, 8, 8},   {199, 18, 51, 10}},
    {Longitude,                "Längengrad :",              {15, 34, 64, 8},   {95, 32, 70, 14},   "°",       {171, 35, 24, 8},  {199, 34, 51, 10}},
    {AnnualIrradiation,        "Globahlstrahlung (Jahr) :", {255, 17, 75, 8},  {335, 15, 70, 14},  "kWh/m²",  {411, 19, 24, 8},  {439, 17, 51, 10}},
    {PeakIrradiance,           "Maximalstrahlung :",        {255, 34, 75, 8},  {335, 32, 70, 14},  "kW/m²",   {411, 35, 24, 8},  {439, 34, 51, 10}},
    {ModuleWidth,              "Breite",                    {15, 64, 66, 8},   {95, 62, 70, 14},   "m",       {171, 65, 8, 8},   {199, 62, 51, 10}},
    {ModuleHeight,             "Höhe",                      {15, 81, 65, 8},   {95, 79, 70, 14},   "m",       {171, 82, 13, 8},  {199, 81, 51, 10}},
    {ModuleArea,               "Fläche",                    {15, 99, 67, 8},   {95, 96, 70, 14},   "m²",      {171, 100, 19, 8}, {199, 98, 51, 10}},
    {ModulePower,              "Nennleistung PV :",         {255, 65, 67, 8},  {335, 62, 70, 14},  "Wp",      {411, 66, 19, 8},  {439, 64, 51, 10}},
    {PowerPerArea,             "Nenleistung je Fläsche :",  {255, 83, 75, 8},  {335, 79, 70, 14},  "Wp/m²",   {411, 83, 25, 8},  {439, 81, 51, 10}},
    {Efficiency,               "Wirkungsgrad :",            {255, 99, 67, 8},  {335, 96, 70, 14},  "%",       {411, 100, 18, 8}, {439, 98, 51, 10}},
    {SystemLosses,             kSystemLossesLabel,          {15, 230, 67, 8},  {95, 225, 70, 14},  "%",       {170, 228, 8, 8},  {200, 227, 51, 10}},
    {AnnualYield,              "Ertrag :",                  {265, 228, 67, 8}, {335, 225, 70, 14}, "kWh",     {410, 227, 25, 8}, {440, 228, 51, 10}},
    {Persons,                  "Personen im Haushalt :",    {15, 274, 67, 8},  {95, 271, 70, 14},  "-",       {170, 273, 24, 8}, {200, 273, 51, 10}},
    {HouseholdElectricity,     "Stromverbr. pro Jahr :",    {265, 274, 65, 8}, {335, 271, 70, 14}, "kWh",     {410, 273, 24, 8}, {440, 272, 51, 10}},
    {WaterPersons,             "Personen im Haushalt :",    {15, 301, 75, 8},  {95, 299, 70, 14},  "-",       {170, 301, 24, 8}, {200, 301, 51, 10}},
    {WaterPerPersonDay,        "Wasserverbr. je Person :",  {15, 318, 75, 8},  {95, 316, 70, 14},  "l/Tag",   {170, 319, 24, 8}, {200, 319, 51, 10}},
    {WaterPerYear,             "Wasseverbr. je Jahr:",      {265, 302, 67, 8}, {335, 299, 70, 14}, "m³/Jahr", {410, 301, 24, 8}, {440, 301, 51, 10}},
    {WaterElectricity,         "Stromverbr. pro Jahr :",    {265, 321, 67, 8}, {335, 317, 70, 14}, "kWh",     {411, 319, 24, 8}, {440, 319, 51, 10}},
    {HeatedArea,               "Beheitzte Fläche :",        {15, 348, 67, 8},  {95, 343, 70, 14},  "m²",      {170, 345, 16, 8}, {200, 345, 51, 10}},
    {HeatingDemandFactor,      "Heizbeiwert :",             {15, 362, 67, 8},  {95, 360, 70, 14},  "kWh/m²",  {170, 363, 26, 8}, {200, 363, 51, 10}},
    {HeatingPerformanceFactor, "Jahresarbeitszahl :",       {265, 346, 67, 8}, {335, 343, 70, 14}, "-",       {410, 345, 8, 8},  {438, 345, 51, 10}},
    {HeatingElectricity,       "Stromverbr. pro Jahr :",    {265, 363, 65, 8}, {335, 360, 70, 14}, "kWh",     {410, 363, 24, 8}, {438, 362, 51, 10}},
    {CooledArea,               "Gekühlte Fläche :",         {15, 393, 67, 8},  {95, 388, 70, 14},  "m²",      {170, 390, 16, 8}, {200, 390, 51, 10}},
    {CoolingLoadPerArea,       "Kühlleistung je m²  :",     {15, 407, 67, 8},  {95, 405, 70, 14},  "W/m²",    {170, 408, 26, 8}, {200, 408, 51, 10}},
    {CoolingPerformanceFactor, "Jahresarbeitszahl :",       {265, 391, 67, 8}, {335, 388, 70, 14}, "-",       {410, 390, 25, 8}, {438, 390, 51, 10}},
    {CoolingElectricity,       "Stromverbr. pro Jahr :",    {265, 408, 65, 8}, {335, 405, 70, 14}, "kWh",     {410, 408, 24, 8}, {438, 407, 51, 10}},
    {CarConsumptionPer100km,   "Verbrauch je 100 km :",     {15, 438, 67, 8},  {95, 435, 70, 14},  "kWh",     {170, 435, 16, 8}, {200, 435, 51, 10}},
    {CarDistance,              "Fahrleistung pro Jahr :",   {15, 454, 67, 8},  {95, 452, 70, 14},  "km",      {170, 455, 26, 8}, {200, 455, 51, 10}},
    {ChargingLosses,           "Ladeverluste :",            {265, 436, 67, 8}, {335, 435, 70, 14}, "%",       {410, 435, 25, 8}, {438, 435, 51, 10}},
    {CarElectricity,           "Stromverbr. pro Jahr :",    {265, 455, 65, 8}, {335, 452, 70, 14}, "kWh",     {410, 455, 24, 8}, {438, 454, 51, 10}},
    {StorageDays,              "Speicherüberbrückung :",    {525, 225, 72, 8}, {620, 220, 60, 14}, "Tage",    {685, 222, 24, 8}, {520, 135, 51, 10}},
    {StorageCapacity,          "Speichergröße :",           {525, 239, 49, 8}, {620, 235, 60, 14}, "kWh",     {685, 237, 24, 8}, {520, 145, 51, 10}},
    {ElectricityPrice,         "Allgemeiner Strompreis :",  {525, 270, 74, 8}, {620, 265, 60, 14}, "Euro",    {685, 267, 24, 8}, {520, 155, 51, 10}},
    {FeedInTariff,             "Einspeisevergütung :",      {525, 284, 64, 8}, {620, 280, 60, 14}, "Euro",    {685, 282, 24, 8}, {520, 165, 51, 10}},
    {SelfConsumption,          "Eigenverbrauch :",          {525, 325, 52, 8}, {585, 320, 60, 14}, "",        {},                {520, 175, 51, 10}},
    {FeedIn,                   "Einspeisung :",             {525, 339, 41, 8}, {585, 335, 60, 14}, "",        {},                {520, 185, 51, 10}},
    {GridPurchase,             "Strombezug :",              {525, 353, 40, 8}, {585, 350, 60, 14}, "",        {},                {520, 195, 51, 10}},
    {SelfConsumptionValue,     "",                          {},                {650, 320, 60, 14}, "",        {},                {580, 135, 51, 10}},
    {FeedInValue,              "",                          {},                {650, 335, 60, 14}, "",        {},                {580, 145, 51, 10}},
    {GridPurchaseCost,         "",                          {},                {650, 350, 60, 14}, "",        {},                {580, 155, 51, 10}},
    {SolarArea,                "Gesamtfläche :",            {15, 247, 67, 8},  {95, 242, 70, 14},  "m²",      {170, 245, 8, 8},  {200, 244, 51, 10}},
    {SolarPower,               "Gesamtleistung :",          {265, 245, 67, 8}, {335, 242, 70, 14}, "Wp",      {410, 244, 25, 8}, {440, 245, 51, 10}},
}};
// clang-format on

// Row q of kFieldLayout is quantity q, so the builder finds every quantity's place.
constexpr bool fieldLayoutFollowsTheQuantities() {
    for (int q = 0; q < kQuantityCount; ++q) {
        if (kFieldLayout[q].quantity != q) {
            return false;
        }
    }
    return true;
}
static_assert(fieldLayoutFollowsTheQuantities());

inline constexpr std::string_view kPresetBoxText = "Vorgabe";

enum class ControlKind {
    Label,          // left-aligned static text
    RightLabel,     // right-aligned static text
    SunkenText,     // static text with a sunken frame, word-wrapped
    Picture,        // shows a pixmap and takes its size
    Frame,          // invisible; only its size is read
    PushButton,     // never a default button in the main dialog
    DefaultButton,  // the default button of the about and legend dialogs
    Icon,           // the application icon
};

// Every other control. An id of 0 means the control has none.
struct ControlLayout {
    int id;
    ControlKind kind;
    std::string_view text;
    DuRect at;
};

inline constexpr std::array<ControlLayout, 13> kOtherControls = {{
    {0, ControlKind::RightLabel, "kWh", {620, 310, 24, 8}},
    {0, ControlKind::RightLabel, "Euro", {685, 310, 24, 8}},
    {kDescriptionId, ControlKind::SunkenText, "", {520, 10, 200, 100}},
    {kHelpPictureId, ControlKind::Picture, "", {520, 115, 13, 13}},
    {kHelpAreaId, ControlKind::Frame, "", {520, 115, 198, 93}},
    {0, ControlKind::Label, "Installierte Module :", {5, 115, 58, 8}},
    {kTableFrameId, ControlKind::Frame, "", {5, 125, 510, 90}},
    {kChartAreaId, ControlKind::Frame, "", {520, 375, kChartAreaWidthDu, kChartAreaHeightDu}},
    {kChartPictureId, ControlKind::Picture, "", {520, 375, 11, 11}},
    {kLoadButtonId, ControlKind::PushButton, "Laden", {520, 455, 40, 14}},
    {kSaveButtonId, ControlKind::PushButton, "Speichern", {565, 455, 40, 14}},
    {kChooseLocationButtonId, ControlKind::PushButton, "Ort auswählen", {610, 455, 50, 14}},
    {kCancelId, ControlKind::PushButton, "Abbrechen", {670, 455, 50, 14}},
}};

// The controls that take the focus with Tab, in order. Disabled and hidden boxes are listed
// as the template lists them; the focus passes over them.
inline constexpr std::array<int, 88> kTabOrder = {
    // edit fields by screen order: width, height, area; then row by row
    1000, 1001, 1002, 1003, 1004, 1006, 1005, 1007, 1008, 1009, 1010, 1040, 1011, 1041, 1012, 1013,
    1014, 1016, 1015, 1017, 1018, 1020, 1019, 1021, 1022, 1024, 1023, 1025, 1026, 1028, 1027, 1029,
    1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037, 1038, 1039,
    // buttons
    1104, 1105, 1108, kCancelId,
    // "Vorgabe" boxes
    1048, 1049, 1050, 1051, 1052, 1053, 1054, 1055, 1056, 1057, 1058, 1059, 1068, 1069, 1060, 1061,
    1062, 1063, 1064, 1065, 1066, 1067, 1070, 1071, 1072, 1073, 1074, 1075, 1076, 1077, 1078, 1079,
    1080, 1081, 1082, 1083, 1084, 1085, 1086, 1087, 1088, 1089};

// A small modal dialog built from a template: caption, size and controls.
struct SmallDialogTemplate {
    std::string_view caption;
    DuRect size;
};

inline constexpr SmallDialogTemplate kAboutDialog{"Info über Lumetra", {0, 0, 235, 55}};
inline constexpr std::array<ControlLayout, 3> kAboutControls = {{
    {0, ControlKind::Icon, "", {11, 17, 20, 20}},
    {0, ControlKind::Label, "Lumetra Version 1.01", {40, 10, 119, 8}},
    {kOkId, ControlKind::DefaultButton, "OK", {178, 7, 50, 14}},
}};

inline constexpr SmallDialogTemplate kLegendDialog{"Beschreibung zu Lumetra", {0, 0, 235, 146}};
inline constexpr std::array<ControlLayout, 18> kLegendControls = {{
    {0, ControlKind::Icon, "", {205, 10, 20, 20}},
    {0, ControlKind::Label, "Eingabefelder :", {10, 10, 119, 8}},
    {0, ControlKind::Label, "Gelbe Felder", {25, 25, 45, 8}},
    {0, ControlKind::Label, "Lila Felder", {25, 35, 45, 8}},
    {0, ControlKind::Label, "Checkboxen", {25, 45, 45, 8}},
    {0, ControlKind::Label, ": Dieser Werte müssen ausgefüllt werden.", {75, 25, 125, 8}},
    {0, ControlKind::Label, ": Dieser Werte werden berechnet.", {75, 35, 150, 8}},
    {0, ControlKind::Label, ": Auswahl von Werte die als Vorgabe diehnen.", {75, 45, 155, 8}},
    {0, ControlKind::Label, "Infografik (unten rechts)", {10, 65, 125, 8}},
    {0, ControlKind::Label, "Blaue Balken", {25, 80, 45, 8}},
    {0, ControlKind::Label, "Grüne Balken", {25, 90, 45, 8}},
    {0, ControlKind::Label, "Rote Linien", {25, 100, 45, 8}},
    {0, ControlKind::Label, "Zahlen unten", {25, 110, 45, 8}},
    {0, ControlKind::Label, ": Ist die erzeugte Energie der Anlage pro Monat .", {75, 80, 150, 8}},
    {0, ControlKind::Label, ": Ist der Teil der Eigenverbrauch vom Solarstrom.", {75, 90, 150, 8}},
    {0, ControlKind::Label, ": Ist der gesamte Stromverbrauch pro Monat.", {75, 100, 150, 8}},
    {0,
     ControlKind::Label,
     ": Ist der Ertrag der Solaranlage in kWh pro Monat.",
     {75, 110, 150, 8}},
    {kOkId, ControlKind::DefaultButton, "OK", {90, 125, 50, 14}},
}};

// The entries of the system menu (on platforms whose window menu cannot be extended: the
// context menu of the dialog's background), after a separator.
inline constexpr std::string_view kAboutMenuText = "Inf&o über Lumetra...";
inline constexpr std::string_view kLegendMenuText = "Informationen";

}  // namespace lumetra

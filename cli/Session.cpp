// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Session.h"

#include <stdexcept>

#include "calculator/ModuleFieldEditing.h"
#include "cli/ChartOutput.h"
#include "evaluation/EvaluationFileLines.h"
#include "persistence/DataFile.h"

namespace lumetra::cli {

Session::Session(ChartSize chartSize, DataSearch dataSearch)
    : calculator_(fields_, table_,
                  [this](std::function<void()> call) { posted_.push_back(std::move(call)); }),
      chartSize_(std::move(chartSize)),
      dataSearch_(std::move(dataSearch)) {
    fields_.setTextChangedHandler([this](QuantityId q) { calculator_.onFieldTextChanged(q); });
    calculator_.openDialog();
    runPosted();
    calculator_.refreshTick();
}

void Session::runPosted() {
    while (!posted_.empty()) {
        auto call = std::move(posted_.front());
        posted_.pop_front();
        call();
    }
}

RowHandle Session::rowAtDisplay(int displayRow) const {
    if (displayRow < 1 || displayRow > table_.rowCount()) {
        throw std::invalid_argument("Die Tabelle hat keine Zeile " + std::to_string(displayRow));
    }
    return table_.rowAt(displayRow - 1);
}

void Session::typeText(QuantityId q, const std::string& text) {
    if (calculator_.state().derived[q]) {
        throw std::invalid_argument("Das Feld von " + std::string(quantityIdentifier(q)) +
                                    " wird berechnet und nimmt keine Eingabe an");
    }
    fields_.setFocusedField(q);
    fields_.setFieldText(q, text);
    runPosted();
    fields_.setFocusedField(std::nullopt);
    calculator_.onFieldFocusLost(q);
    runPosted();
}

void Session::togglePreset(QuantityId q) {
    if (kQuantityControls[q].box != PresetBoxKind::Enabled) {
        throw std::invalid_argument("Die Vorgabe-Box von " + std::string(quantityIdentifier(q)) +
                                    " kann nicht angeklickt werden");
    }
    calculator_.onPresetBoxClicked(q);
    runPosted();
}

void Session::editCell(int displayRow, int column, const std::string& text) {
    const RowHandle row = rowAtDisplay(displayRow);
    if (row == calculator_.state().placeholderRow && !text.empty() &&
        !canAddModuleField(calculator_)) {
        throw std::invalid_argument(kModuleFieldLimitMessage);
    }
    if (endCellEdit(calculator_, row, column, &text, true)) {
        table_.setCellText(row, column, text);
    }
    runPosted();
    calculator_.refreshTick();
}

void Session::deleteRow(int displayRow) {
    const RowHandle row = rowAtDisplay(displayRow);
    if (!canDeleteRow(calculator_, row)) {
        throw std::invalid_argument("Die leere letzte Zeile kann nicht gelöscht werden");
    }
    deleteRowCommand(calculator_, row);
    runPosted();
    calculator_.refreshTick();
}

void Session::runLocationChooser(const LocationSelection& select) {
    const std::filesystem::path database = findDataFile(dataSearch_, kLocationDatabaseName);
    const ChooseLocationOutcome outcome =
        lumetra::chooseLocation(calculator_, database, lastLocationName_, select);
    if (const std::string_view message = chooseLocationMessage(outcome); !message.empty()) {
        messages_.push_back(fileMessage(database.string(), message));
    }
    runPosted();
    if (outcome == ChooseLocationOutcome::Chosen) {
        placeName_ = lastLocationName_;
        placeCoordinates_ = {calculator_.state().values[Latitude],
                             calculator_.state().values[Longitude]};
    }
}

std::string Session::placeName() const {
    const auto& values = calculator_.state().values;
    if (values[Latitude] != placeCoordinates_[0] || values[Longitude] != placeCoordinates_[1]) {
        return {};  // the coordinates are no longer the place's
    }
    return placeName_;
}

void Session::chooseLocation(const std::string& name) {
    PlaceSearch search;
    std::vector<std::string> offered;
    runLocationChooser(
        [&](const std::vector<std::string>& names, std::size_t) -> std::optional<std::size_t> {
            search = findPlace(names, name);
            offered = names;
            return search.found;
        });
    if (search.found || offered.empty()) {
        return;  // chosen, or the database could not be read (a message says so)
    }
    if (search.candidates.empty()) {
        throw std::invalid_argument("Der Ort ist nicht in SolarDatabase.csv: " + name);
    }
    std::string list;
    for (const std::size_t index : search.candidates) {
        list += list.empty() ? "" : ", ";
        list += offered[index];
    }
    throw std::invalid_argument("\"" + name + "\" passt zu mehreren Orten: " + list);
}

std::vector<std::string> Session::placeNames() {
    std::vector<std::string> offered;
    runLocationChooser(
        [&](const std::vector<std::string>& names, std::size_t) -> std::optional<std::size_t> {
            offered = names;
            return std::nullopt;  // cancelled: nothing changes
        });
    return offered;
}

void Session::writeChart(const std::string& path) {
    const auto [width, height] = chartSize_();
    if (!writeChartPng(calculator_.state().figures, width, height, path)) {
        messages_.push_back(fileMessage(path, "Das Diagramm konnte nicht geschrieben werden"));
    }
}

void Session::apply(const Command& command) {
    switch (command.kind) {
        case Command::Kind::Load: {
            const evaluation::DataSetLoad load = evaluation::loadDataSet(calculator_, command.text);
            if (const auto message = dataFileMessage(load.outcome); !message.empty()) {
                messages_.push_back(fileMessage(command.text, message));
            }
            // A refused file changed nothing, the Auswertung inputs neither.
            if (load.evaluationLines) {
                evaluationInputs_ = load.evaluationLines->inputs;
                for (const std::string& message : load.evaluationLines->messages) {
                    messages_.push_back(fileMessage(command.text, message));
                }
                lastLoadedPath_ = command.text;
            }
            runPosted();
            break;
        }
        case Command::Kind::Save:
            if (const auto message = dataFileMessage(
                    saveDataFile(calculator_, command.text,
                                 evaluation::evaluationInputLines(evaluationInputs_)));
                !message.empty()) {
                messages_.push_back(fileMessage(command.text, message));
            }
            break;
        case Command::Kind::Type:
            typeText(command.quantity, command.text);
            break;
        case Command::Kind::Toggle:
            togglePreset(command.quantity);
            break;
        case Command::Kind::Cell:
            editCell(command.row, command.column, command.text);
            break;
        case Command::Kind::DeleteRow:
            deleteRow(command.row);
            break;
        case Command::Kind::Location:
            chooseLocation(command.text);
            break;
        case Command::Kind::Chart:
            writeChart(command.text);
            break;
        case Command::Kind::Set:
            if (std::string refused = evaluation::setInputFromText(evaluationInputs_, command.text);
                !refused.empty()) {
                throw std::invalid_argument(refused);
            }
            break;
    }
    // The window's next refresh tick reformats the table after a load, a typed value, a preset
    // or a place; run it now, so that what is printed, saved or drawn next is the settled state.
    runPosted();
    calculator_.refreshTick();
}

}  // namespace lumetra::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "calculator/Calculator.h"
#include "cli/CommandLine.h"
#include "evaluation/EvaluationInputs.h"
#include "model/MemoryFieldPanel.h"
#include "model/MemoryModuleFieldTable.h"
#include "persistence/DataSearch.h"
#include "persistence/LocationChooser.h"

namespace lumetra::cli {

// The calculator over in-memory fields and table, in the state the window has after opening,
// and the commands of the command line applied to it as the window's gestures.
class Session {
  public:
    // `chartSize` gives the chart's pixel size when a chart is written; `dataSearch` says where
    // the location database is looked for (nowhere but the current folder when empty).
    using ChartSize = std::function<std::pair<int, int>()>;

    explicit Session(ChartSize chartSize, DataSearch dataSearch = {});

    // Applies one command. Throws std::invalid_argument when the command cannot be given in
    // the current state (a derived field, a box that cannot be clicked, a row that does not
    // exist, a place that is not in the database or a name that several places could mean).
    void apply(const Command& command);

    // The place names of the location database as "Ort auswählen" offers them. A database that
    // cannot be read gives nothing and a message.
    std::vector<std::string> placeNames();

    // The message lines of the run: the texts of the message boxes the window would have
    // shown, each after the program and the file it concerns ("lumetra-cli: FILE: text").
    const std::vector<std::string>& messages() const { return messages_; }

    const Calculator& calculator() const { return calculator_; }
    const MemoryFieldPanel& fields() const { return fields_; }
    const MemoryModuleFieldTable& table() const { return table_; }
    // The Auswertung inputs of the last data file loaded (defaults before), which saving
    // writes back, and the path of that file (empty before).
    const evaluation::EvaluationInputs& evaluationInputs() const { return evaluationInputs_; }
    const std::string& lastLoadedPath() const { return lastLoadedPath_; }
    // The place chosen last with --location while the coordinates are still its own, as the
    // window's title names it; else empty.
    std::string placeName() const;

  private:
    void runPosted();
    void typeText(QuantityId q, const std::string& text);
    void togglePreset(QuantityId q);
    void editCell(int displayRow, int column, const std::string& text);
    void deleteRow(int displayRow);
    void chooseLocation(const std::string& name);
    // Runs "Ort auswählen" on the database with `select`; a fault of the database becomes a
    // message.
    void runLocationChooser(const LocationSelection& select);
    void writeChart(const std::string& path);
    RowHandle rowAtDisplay(int displayRow) const;

    MemoryFieldPanel fields_;
    MemoryModuleFieldTable table_;
    std::deque<std::function<void()>> posted_;
    Calculator calculator_;
    ChartSize chartSize_;
    DataSearch dataSearch_;
    std::string lastLocationName_;
    std::string placeName_;
    std::array<double, 2> placeCoordinates_{};  // latitude and longitude of placeName_
    std::vector<std::string> messages_;
    evaluation::EvaluationInputs evaluationInputs_;
    std::string lastLoadedPath_;
};

}  // namespace lumetra::cli

// SPDX-License-Identifier: GPL-3.0-or-later
// The place list of "Ort auswählen" with 10,000 places: the database read and sorted, every
// name added to a drop-down list that accepts no typing, and the list shown with its popup
// open, as the selection dialog shows it. The database is generated in the temporary folder.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListView>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "bench/BenchSupport.h"
#include "persistence/LocationDatabase.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPlaces = 10000;

lumetra::LocationList readPlaces(const fs::path& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    return file ? lumetra::readLocationList(file.get()) : lumetra::LocationList{};
}

// A dialog of the selection dialog's build: a label, the list, "OK" and "Abbrechen".
struct SelectionDialog {
    QDialog dialog;
    QComboBox* list = new QComboBox(&dialog);

    SelectionDialog() {
        dialog.setWindowTitle(QStringLiteral("Datenbank"));
        (new QLabel(QStringLiteral("Ort auswählen"), &dialog))->setGeometry(22, 24, 292, 13);
        list->setGeometry(22, 40, 292, 22);
        list->setEditable(false);
        (new QPushButton(QStringLiteral("OK"), &dialog))->setGeometry(82, 81, 75, 23);
        (new QPushButton(QStringLiteral("Abbrechen"), &dialog))->setGeometry(172, 81, 75, 23);
        dialog.resize(340, 124);
    }
};

void fillAndShow(SelectionDialog& selection, const lumetra::LocationList& places) {
    for (const lumetra::LocationLine& line : places) {
        const std::string name = lumetra::placeName(line.text);
        selection.list->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                                0);
    }
    selection.list->setCurrentIndex(0);
    selection.dialog.show();
    selection.list->setFocus();
    selection.list->showPopup();
    QApplication::processEvents();
    selection.list->hidePopup();
}

// Read, sort and show: the whole wait between the click and the open list.
void BM_PlacesSortedAndShown(benchmark::State& state) {
    const fs::path path = lumetra::bench::placesFile(kPlaces);
    int shown = 0;
    for (auto _ : state) {
        const lumetra::LocationList places = readPlaces(path);
        auto selection = std::make_unique<SelectionDialog>();
        fillAndShow(*selection, places);
        shown = selection->list->count();
        state.PauseTiming();
        selection.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["places"] = shown;
}
BENCHMARK(BM_PlacesSortedAndShown)->Unit(benchmark::kMillisecond);

// Only the list: filling the drop-down list and showing it, with the places already sorted.
void BM_PlacesShownOnly(benchmark::State& state) {
    const lumetra::LocationList places = readPlaces(lumetra::bench::placesFile(kPlaces));
    for (auto _ : state) {
        auto selection = std::make_unique<SelectionDialog>();
        fillAndShow(*selection, places);
        state.PauseTiming();
        selection.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlacesShownOnly)->Unit(benchmark::kMillisecond);

// The dialog shown with its list closed: the difference to the case above is the open popup.
void BM_PlacesShownListClosed(benchmark::State& state) {
    const lumetra::LocationList places = readPlaces(lumetra::bench::placesFile(kPlaces));
    for (auto _ : state) {
        auto selection = std::make_unique<SelectionDialog>();
        for (const lumetra::LocationLine& line : places) {
            const std::string name = lumetra::placeName(line.text);
            selection->list->addItem(
                QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), 0);
        }
        selection->list->setCurrentIndex(0);
        selection->dialog.show();
        QApplication::processEvents();
        state.PauseTiming();
        selection.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlacesShownListClosed)->Unit(benchmark::kMillisecond);

// As BM_PlacesShownOnly, with a popup list told that all rows are of one height, so that it
// need not measure 10,000 rows before it opens.
void BM_PlacesShownUniformRows(benchmark::State& state) {
    const lumetra::LocationList places = readPlaces(lumetra::bench::placesFile(kPlaces));
    for (auto _ : state) {
        auto selection = std::make_unique<SelectionDialog>();
        auto* view = new QListView(selection->list);
        view->setUniformItemSizes(true);
        selection->list->setView(view);
        fillAndShow(*selection, places);
        state.PauseTiming();
        selection.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlacesShownUniformRows)->Unit(benchmark::kMillisecond);

}  // namespace

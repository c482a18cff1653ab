// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/Report.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <atomic>
#include <memory>

#include "calculator/Calculator.h"
#include "energy/ModuleFieldRules.h"
#include "evaluation/Evaluation.h"
#include "evaluation/GermanNumber.h"
#include "evaluation/MoneyTexts.h"
#include "evaluation/SizingSweep.h"
#include "evaluation_ui/ChartExport.h"
#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/Charts.h"
#include "evaluation_ui/ExportFile.h"
#include "evaluation_ui/MoneyPanel.h"
#include "evaluation_ui/ReportLayout.h"
#include "persistence/FileAccess.h"

namespace lumetra {

namespace {

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString quantityText(const CalculatorState& state, QuantityId q) {
    const QuantityInfo& info = kQuantityInfo[q];
    return QString::fromStdString(
        evaluation::formatWithUnit(state.values[q], std::min(info.decimals, 3), info.unit));
}

QList<QStringList> inputRows(const ReportSource& source) {
    const CalculatorState& state = source.calculator.state();
    static constexpr QuantityId kShown[] = {
        Latitude,           Longitude,          AnnualIrradiation,    ModulePower,
        SystemLosses,       SolarPower,         HouseholdElectricity, WaterElectricity,
        HeatingElectricity, CoolingElectricity, CarElectricity,       StorageCapacity,
        ElectricityPrice,   FeedInTariff};
    QList<QStringList> rows;
    for (QuantityId q : kShown) {
        rows.append({qText(kQuantityInfo[q].name), quantityText(state, q)});
    }
    const evaluation::EvaluationInputs& inputs = source.evaluation.inputs();
    for (const evaluation::InputInfo& info : evaluation::kInputInfo) {
        QString value = QString::fromStdString(
            evaluation::inputText(inputs, info.id, source.evaluation.mainBatteryCapacity()));
        if (info.id == evaluation::InputId::BatteryCapacity && !inputs.batteryCapacity_kWh) {
            value += QStringLiteral(" (wie Hauptfenster)");
        }
        rows.append({qText(info.label), value});
    }
    return rows;
}

QList<QStringList> moduleFieldRows(const Calculator& calculator) {
    const ModuleFieldTable& table = calculator.table();
    const RowHandle placeholder = calculator.state().placeholderRow;
    static constexpr int kDecimals[] = {2, 2, 2, 0, 0, 0, 0};
    QList<QStringList> rows;
    int number = 0;
    for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row)) {
        if (row == placeholder) {
            continue;
        }
        QStringList cells{QString::number(++number)};
        for (int column = 1; column <= 7; ++column) {
            cells.append(
                charts::german(readCellValue(table.cellText(row, column)), kDecimals[column - 1]));
        }
        rows.append(cells);
    }
    return rows;
}

// The charts of the report, each in a scene of its own at the size it is drawn at.
class ReportCharts {
  public:
    QChart* add(std::unique_ptr<QChart> chart, QSizeF size) {
        auto scene = std::make_unique<QGraphicsScene>();
        QChart* raw = chart.release();
        scene->addItem(raw);
        raw->resize(size);
        scenes_.push_back(std::move(scene));
        return raw;
    }

    // Draws the charts side by side into `target`. A chart lays out its axes, labels and
    // legend from posted events; without a view they must run before it is drawn.
    static void render(QPainter& painter, const QRectF& target, const QList<QChart*>& list) {
        for (QChart* chart : list) {
            chart->layout()->activate();
        }
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        charts::renderCharts(painter, target, list);
    }

  private:
    std::vector<std::unique_ptr<QGraphicsScene>> scenes_;
};

constexpr QSizeF kFullChart(900, 380);
constexpr QSizeF kHalfChart(520, 330);

// Page 1: inputs, module fields, key figures.
void layOutInputs(ReportLayout& layout, const ReportSource& source) {
    const QString fileName = source.dataFilePath.isEmpty()
                                 ? QStringLiteral("ohne Datendatei")
                                 : QFileInfo(source.dataFilePath).fileName();
    layout.heading(QStringLiteral("Lumetra – Auswertung"), 16);
    layout.line(QStringLiteral("Datensatz: ") + fileName);
    layout.skip(3);
    layout.section(QStringLiteral("Eingaben"));
    layout.table({QStringLiteral("Größe"), QStringLiteral("Wert")}, inputRows(source), {3, 2});
    layout.section(QStringLiteral("Modulfelder"));
    layout.table({QStringLiteral("Nr."), QStringLiteral("Breite (m)"), QStringLiteral("Höhe (m)"),
                  QStringLiteral("Fläche (m²)"), QStringLiteral("Ausrichtung (°)"),
                  QStringLiteral("Neigung (°)"), QStringLiteral("Leistung (Wp)"),
                  QStringLiteral("Ertrag (kWh)")},
                 moduleFieldRows(source.calculator), {0.6, 1, 1, 1, 1.3, 1.1, 1.2, 1.2});
    layout.section(QStringLiteral("Kennzahlen"));
    const evaluation::Evaluation& evaluation = source.evaluation;
    QList<QStringList> figures;
    for (const evaluation::KeyFigureRow& row :
         evaluation::keyFigureRows(evaluation.monthlyFigures(), evaluation.hourlyFigures())) {
        figures.append({qText(row.label), QString::fromStdString(row.monthlyModel),
                        QString::fromStdString(row.hourlyBalance)});
    }
    layout.table({QStringLiteral("Kennzahl"), QStringLiteral("Monatsmodell"),
                  QStringLiteral("Stundenbilanz")},
                 figures, {2, 1.5, 1.5});
    layout.line(QStringLiteral("Monatsmodell: die Faustformeln des Hauptfensters. Stundenbilanz: "
                               "das Jahr in Viertelstunden mit Wetter, Lastprofil und Speicher."),
                7.5);
}

// Page 2: the charts, each drawn only when its page is painted.
void layOutCharts(ReportLayout& layout, const evaluation::Evaluation& evaluation) {
    layout.section(QStringLiteral("Diagramme"));
    layout.block(62, [&evaluation](QPainter& painter, const QRectF& target) {
        ReportCharts charts;
        QChart* months = charts.add(std::make_unique<QChart>(), kFullChart);
        charts::fillMonthsChart(*months, evaluation);
        ReportCharts::render(painter, target, {months});
    });
    layout.block(58, [&evaluation](QPainter& painter, const QRectF& target) {
        ReportCharts charts;
        QChart* june = charts.add(std::make_unique<QChart>(), kHalfChart);
        QChart* december = charts.add(std::make_unique<QChart>(), kHalfChart);
        charts::fillDayChart(*june, evaluation, 5);
        charts::fillDayChart(*december, evaluation, 11);
        ReportCharts::render(painter, target, {june, december});
    });
    layout.block(58, [&evaluation](QPainter& painter, const QRectF& target) {
        ReportCharts charts;
        QChart* battery = charts.add(std::make_unique<QChart>(), kHalfChart);
        charts::fillBatteryChart(*battery, evaluation);
        auto heatMapOwner = std::make_unique<charts::HeatMapChart>();
        charts::HeatMapChart* heatMap = heatMapOwner.get();
        charts.add(std::move(heatMapOwner), kHalfChart);
        heatMap->fill(evaluation);
        ReportCharts::render(painter, target, {battery, heatMap});
    });
    if (evaluation.hourlyResult() == nullptr) {
        return;
    }
    layout.block(58, [&evaluation](QPainter& painter, const QRectF& target) {
        const simulation::HourlyResult& result = *evaluation.hourlyResult();
        simulation::HourlyBalance balance(evaluation.climate());
        const std::atomic<bool> never{false};
        const evaluation::SizingCurves curves =
            evaluation::computeSizingCurves(balance, evaluation.simulationInput(), never);
        ReportCharts charts;
        QChart* sizingBattery = charts.add(std::make_unique<QChart>(), kHalfChart);
        QChart* sizingRoof = charts.add(std::make_unique<QChart>(), kHalfChart);
        charts::fillSizingChart(*sizingBattery, curves.battery, charts::SizingKind::Battery,
                                result.batteryCapacity_kWh, result.annual.selfSufficiency,
                                result.annual.selfConsumptionShare);
        charts::fillSizingChart(*sizingRoof, curves.roof, charts::SizingKind::Roof,
                                result.peakPower_kWp, result.annual.selfSufficiency,
                                result.annual.selfConsumptionShare);
        ReportCharts::render(painter, target, {sizingBattery, sizingRoof});
    });
}

// Page 3: money, with every year of the table.
void layOutMoney(ReportLayout& layout, const evaluation::Evaluation& evaluation) {
    layout.section(QStringLiteral("Wirtschaftlichkeit"));
    QList<QStringList> results;
    for (const MoneyResultRow& row : moneyResultRows(evaluation)) {
        results.append({row.label, row.hourly, row.monthly});
    }
    layout.table({QStringLiteral("Ergebnis"), QStringLiteral("Stundenbilanz"),
                  QStringLiteral("Monatsmodell")},
                 results, {2, 1.6, 1.6});
    layout.block(68, [&evaluation](QPainter& painter, const QRectF& target) {
        ReportCharts charts;
        QChart* money = charts.add(std::make_unique<QChart>(), kFullChart);
        charts::fillMoneyChart(*money, evaluation);
        ReportCharts::render(painter, target, {money});
    });
    const int yearRows = static_cast<int>(evaluation.hourlyMoney().years.size());
    QList<QStringList> years;
    for (int r = 0; r < yearRows; ++r) {
        QStringList cells;
        for (int c = 0; c < 7; ++c) {
            cells.append(moneyTableCell(evaluation, r, c));
        }
        years.append(cells);
    }
    QStringList headers = moneyTableHeaders();
    for (QString& header : headers) {
        header.replace(QStringLiteral(" ("), QStringLiteral("\n("));
    }
    layout.table(headers, years, {0.6, 1, 1.3, 1, 1.3, 1.3, 1.2}, 7.5);
    layout.line(QStringLiteral("Zahlungsfluss der Stundenbilanz; Jahr 0 ist die Investition."),
                7.5);
}

// After the money: the files the hourly balance read, each with its full path.
void layOutSources(ReportLayout& layout, const evaluation::Evaluation& evaluation) {
    layout.section(QStringLiteral("Datenquellen der Stundenbilanz"));
    const simulation::DataSources sources = evaluation.dataSources();
    if (sources.empty()) {
        layout.line(QStringLiteral("Keine Tabellen geladen, daher keine Stundenbilanz."), 8);
    }
    for (const simulation::DataSource& source : sources) {
        layout.wrappedLine(qText(source.kind.label) + QStringLiteral(": ") +
                               QString::fromStdString(utf8Path(source.path)),
                           8);
    }
}

// The whole report; its three parts each begin on a page of their own.
ReportLayout layOutReport(const ReportSource& source) {
    ReportLayout layout;
    layOutInputs(layout, source);
    layout.newPage();
    layOutCharts(layout, source.evaluation);
    layout.newPage();
    layOutMoney(layout, source.evaluation);
    layOutSources(layout, source.evaluation);
    return layout;
}

}  // namespace

int reportPageCount(const ReportSource& source) {
    return layOutReport(source).pageCount();
}

int paintReport(QPagedPaintDevice& device, const ReportSource& source, int firstPage,
                int lastPage) {
    const ReportLayout layout = layOutReport(source);
    firstPage = std::max(firstPage, 1);
    lastPage = std::min(lastPage, layout.pageCount());
    if (firstPage > lastPage) {
        return 0;
    }
    device.setPageLayout(ReportLayout::pageLayout());
    QPainter painter;
    if (!painter.begin(&device)) {
        return 0;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const double perMm = device.logicalDpiX() / 25.4;
    int painted = 0;
    for (int number = firstPage; number <= lastPage; ++number) {
        if (painted > 0 && !device.newPage()) {
            return 0;
        }
        layout.paintPage(number - 1, painter, perMm);
        ++painted;
    }
    return painter.end() ? painted : 0;
}

bool writeReportPdf(const QString& path, const ReportSource& source, int firstPage, int lastPage) {
    // The document is made in memory and then written whole, as every file is written.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        if (!buffer.open(QIODevice::WriteOnly)) {
            return false;
        }
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("Lumetra – Auswertung"));
        writer.setCreator(QStringLiteral("Lumetra"));
        if (paintReport(writer, source, firstPage, lastPage) == 0) {
            return false;
        }
    }
    return writeExportFile(path, pdf);
}

}  // namespace lumetra

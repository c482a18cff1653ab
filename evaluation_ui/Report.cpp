// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/Report.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <functional>
#include <memory>

#include "calculator/Calculator.h"
#include "energy/ModuleFieldRules.h"
#include "evaluation/Evaluation.h"
#include "evaluation/GermanNumber.h"
#include "evaluation/SizingSweep.h"
#include "evaluation_ui/ChartExport.h"
#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/Charts.h"
#include "evaluation_ui/MoneyPanel.h"

namespace lumetra {

namespace {

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Lays text out on a page in millimetres, top to bottom.
class PageWriter {
  public:
    PageWriter(QPainter& painter, QPagedPaintDevice& device) : painter_(painter), device_(device) {
        const QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX());
        perMm_ = device.logicalDpiX() / 25.4;
        width_ = page.width() / perMm_;
        height_ = page.height() / perMm_;
    }

    double width() const { return width_; }
    double height() const { return height_; }
    double y() const { return y_; }
    void skip(double mm) { y_ += mm; }
    QRectF rect(double x, double y, double w, double h) const {
        return {x * perMm_, y * perMm_, w * perMm_, h * perMm_};
    }

    void newPage() {
        device_.newPage();
        y_ = 0;
    }

    void heading(const QString& text, double points) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(points);
        font.setBold(true);
        painter_.setFont(font);
        const double h = points * 0.3528 * 1.5;
        painter_.drawText(rect(0, y_, width_, h), Qt::AlignLeft | Qt::AlignVCenter, text);
        y_ += h + 1;
    }

    void line(const QString& text, double points = 9) {
        setBodyFont(points, false);
        const double h = points * 0.3528 * 1.45;
        painter_.drawText(rect(0, y_, width_, h), Qt::AlignLeft | Qt::AlignVCenter, text);
        y_ += h;
    }

    // A table with a bold header row; `widths` in parts of the page width, the first column
    // left-aligned, the others right-aligned.
    void table(const QStringList& header, const QList<QStringList>& rows,
               const QList<double>& widths, double points = 8.5) {
        const double rowHeight = points * 0.3528 * 1.55;
        double total = 0;
        for (double w : widths) {
            total += w;
        }
        const auto drawRow = [&](const QStringList& cells, bool bold, bool shade) {
            setBodyFont(points, bold);
            // A header of two lines ("Ertrag\n(kWh)") takes two rows' height.
            int lines = 1;
            for (const QString& cell : cells) {
                lines = std::max(lines, static_cast<int>(cell.count(QLatin1Char('\n'))) + 1);
            }
            const double height = rowHeight * (lines == 1 ? 1.0 : lines * 0.8);
            if (shade) {
                painter_.fillRect(rect(0, y_, width_, height), QColor(238, 238, 238));
            }
            double x = 0;
            for (int c = 0; c < cells.size() && c < widths.size(); ++c) {
                const double w = width_ * widths[c] / total;
                const Qt::Alignment align =
                    (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
                painter_.drawText(rect(x + 1, y_, w - 2, height), align, cells[c]);
                x += w;
            }
            y_ += height;
        };
        drawRow(header, true, true);
        for (int r = 0; r < rows.size(); ++r) {
            drawRow(rows[r], false, r % 2 == 1);
        }
        painter_.setPen(QPen(QColor(160, 160, 160), 0));
        painter_.drawLine(rect(0, y_, width_, 0).topLeft(), rect(0, y_, width_, 0).topRight());
        painter_.setPen(Qt::black);
        y_ += 2;
    }

    void charts(const QList<QChart*>& list, double heightMm) {
        // A chart lays out its axes, labels and legend from posted events; without a view they
        // must run before it is drawn.
        for (QChart* chart : list) {
            chart->layout()->activate();
        }
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        charts::renderCharts(painter_, rect(0, y_, width_, heightMm), list);
        y_ += heightMm + 2;
    }

  private:
    void setBodyFont(double points, bool bold) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(points);
        font.setBold(bold);
        painter_.setFont(font);
    }

    QPainter& painter_;
    QPagedPaintDevice& device_;
    double perMm_ = 1;
    double width_ = 180;
    double height_ = 267;
    double y_ = 0;
};

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
        QString value = QString::fromStdString(evaluation::formatWithUnit(
            evaluation::inputValue(inputs, info.id, source.evaluation.mainBatteryCapacity()),
            info.decimals, info.unit));
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

  private:
    std::vector<std::unique_ptr<QGraphicsScene>> scenes_;
};

}  // namespace

int paintReport(QPagedPaintDevice& device, const ReportSource& source, int firstPage,
                int lastPage) {
    firstPage = std::max(firstPage, 1);
    lastPage = std::min(lastPage, kReportPages);
    if (firstPage > lastPage) {
        return 0;
    }
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device)) {
        return 0;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    PageWriter page(painter, device);
    const evaluation::Evaluation& evaluation = source.evaluation;
    const QString fileName = source.dataFilePath.isEmpty()
                                 ? QStringLiteral("ohne Datendatei")
                                 : QFileInfo(source.dataFilePath).fileName();
    ReportCharts charts;
    const QSizeF full(900, 380);
    const QSizeF half(520, 330);

    // Page 1: inputs, module fields, key figures.
    const auto inputsPage = [&] {
        page.heading(QStringLiteral("Lumetra – Auswertung"), 16);
        page.line(QStringLiteral("Datensatz: ") + fileName);
        page.skip(3);
        page.heading(QStringLiteral("Eingaben"), 11);
        page.table({QStringLiteral("Größe"), QStringLiteral("Wert")}, inputRows(source), {3, 2});
        page.heading(QStringLiteral("Modulfelder"), 11);
        page.table({QStringLiteral("Nr."), QStringLiteral("Breite (m)"), QStringLiteral("Höhe (m)"),
                    QStringLiteral("Fläche (m²)"), QStringLiteral("Ausrichtung (°)"),
                    QStringLiteral("Neigung (°)"), QStringLiteral("Leistung (Wp)"),
                    QStringLiteral("Ertrag (kWh)")},
                   moduleFieldRows(source.calculator), {0.6, 1, 1, 1, 1.3, 1.1, 1.2, 1.2});
        page.heading(QStringLiteral("Kennzahlen"), 11);
        QList<QStringList> figures;
        for (const evaluation::KeyFigureRow& row :
             evaluation::keyFigureRows(evaluation.monthlyFigures(), evaluation.hourlyFigures())) {
            figures.append({qText(row.label), QString::fromStdString(row.monthlyModel),
                            QString::fromStdString(row.hourlyBalance)});
        }
        page.table({QStringLiteral("Kennzahl"), QStringLiteral("Monatsmodell"),
                    QStringLiteral("Stundenbilanz")},
                   figures, {2, 1.5, 1.5});
        page.line(QStringLiteral("Monatsmodell: die Faustformeln des Hauptfensters. Stundenbilanz: "
                                 "das Jahr in Viertelstunden mit Wetter, Lastprofil und Speicher."),
                  7.5);
    };
    // Page 2: the charts.
    const auto chartsPage = [&] {
        page.heading(QStringLiteral("Diagramme"), 11);
        QChart* months = charts.add(std::make_unique<QChart>(), full);
        charts::fillMonthsChart(*months, evaluation);
        page.charts({months}, 62);
        QChart* june = charts.add(std::make_unique<QChart>(), half);
        QChart* december = charts.add(std::make_unique<QChart>(), half);
        charts::fillDayChart(*june, evaluation, 5);
        charts::fillDayChart(*december, evaluation, 11);
        page.charts({june, december}, 58);
        QChart* battery = charts.add(std::make_unique<QChart>(), half);
        charts::fillBatteryChart(*battery, evaluation);
        auto heatMapOwner = std::make_unique<charts::HeatMapChart>();
        charts::HeatMapChart* heatMap = heatMapOwner.get();
        charts.add(std::move(heatMapOwner), half);
        heatMap->fill(evaluation);
        page.charts({battery, heatMap}, 58);
        if (const simulation::HourlyResult* result = evaluation.hourlyResult()) {
            simulation::HourlyBalance balance(evaluation.climate());
            const std::atomic<bool> never{false};
            const evaluation::SizingCurves curves =
                evaluation::computeSizingCurves(balance, evaluation.simulationInput(), never);
            QChart* sizingBattery = charts.add(std::make_unique<QChart>(), half);
            QChart* sizingRoof = charts.add(std::make_unique<QChart>(), half);
            charts::fillSizingChart(*sizingBattery, curves.battery, charts::SizingKind::Battery,
                                    result->batteryCapacity_kWh, result->annual.selfSufficiency,
                                    result->annual.selfConsumptionShare);
            charts::fillSizingChart(*sizingRoof, curves.roof, charts::SizingKind::Roof,
                                    result->peakPower_kWp, result->annual.selfSufficiency,
                                    result->annual.selfConsumptionShare);
            page.charts({sizingBattery, sizingRoof}, 58);
        }
    };
    // Page 3: money.
    const auto moneyPage = [&] {
        page.heading(QStringLiteral("Wirtschaftlichkeit"), 11);
        QList<QStringList> results;
        for (const MoneyResultRow& row : moneyResultRows(evaluation)) {
            results.append({row.label, row.hourly, row.monthly});
        }
        page.table({QStringLiteral("Ergebnis"), QStringLiteral("Stundenbilanz"),
                    QStringLiteral("Monatsmodell")},
                   results, {2, 1.6, 1.6});
        QChart* money = charts.add(std::make_unique<QChart>(), full);
        charts::fillMoneyChart(*money, evaluation);
        page.charts({money}, 68);
        // The table stays on this page: with more years than fit, every second (third, ...) year
        // is listed, the last one always.
        const int yearRows = static_cast<int>(evaluation.hourlyMoney().years.size());
        const double rowHeight = 7.5 * 0.3528 * 1.55;
        const int fit =
            std::max(static_cast<int>((page.height() - page.y() - 12) / rowHeight) - 1, 2);
        const int step = (yearRows + fit - 1) / fit;
        QList<QStringList> years;
        for (int r = 0; r < yearRows; ++r) {
            if (r % step != 0 && r + 1 != yearRows) {
                continue;
            }
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
        page.table(headers, years, {0.6, 1, 1.3, 1, 1.3, 1.3, 1.2}, 7.5);
        page.line(QStringLiteral("Zahlungsfluss der Stundenbilanz; Jahr 0 ist die Investition."),
                  7.5);
    };

    const std::function<void()> pages[kReportPages] = {inputsPage, chartsPage, moneyPage};
    int painted = 0;
    for (int number = firstPage; number <= lastPage; ++number) {
        if (painted > 0) {
            page.newPage();
        }
        pages[number - 1]();
        ++painted;
    }
    return painter.end() ? painted : 0;
}

bool writeReportPdf(const QString& path, const ReportSource& source) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("Lumetra – Auswertung"));
        writer.setCreator(QStringLiteral("Lumetra"));
        if (paintReport(writer, source) == 0) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();
}

}  // namespace lumetra

// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/Report.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <memory>

#include "calculator/Calculator.h"
#include "energy/ModuleFieldRules.h"
#include "evaluation/Evaluation.h"
#include "evaluation/GermanNumber.h"
#include "evaluation/MoneyTexts.h"
#include "evaluation/SizingSweep.h"
#include "evaluation/SpreadTexts.h"
#include "evaluation/SystemSummary.h"
#include "evaluation/VariantTexts.h"
#include "evaluation_ui/ChartExport.h"
#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/Charts.h"
#include "evaluation_ui/ExportFile.h"
#include "evaluation_ui/MoneyPanel.h"
#include "evaluation_ui/ReportLayout.h"
#include "evaluation_ui/SpreadTexts.h"
#include "persistence/FileAccess.h"

namespace lumetra {

namespace {

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The main window's inputs the report shows, in our own words: the main window keeps its
// labels, the report writes them as a reader expects them, each with its unit.
struct ShownQuantity {
    QuantityId quantity;
    const char* label;
    const char* unit;
    int decimals;
    double factor;  // from the value store's unit to the one shown
};
constexpr ShownQuantity kShownQuantities[] = {
    {Latitude, "Breitengrad", "°", 4, 1},
    {Longitude, "Längengrad", "°", 4, 1},
    {AnnualIrradiation, "Globalstrahlung", "kWh/m² je Jahr", 0, 1},
    {ModulePower, "Modulleistung", "Wp", 0, 1},
    {SystemLosses, "Verluste", "%", 1, 1},
    {SolarPower, "Anlagenleistung", "kWp", 2, 0.001},
    {HouseholdElectricity, "Strom für den Haushalt je Jahr", "kWh", 0, 1},
    {WaterElectricity, "Strom für Warmwasser je Jahr", "kWh", 0, 1},
    {HeatingElectricity, "Strom für Heizen je Jahr", "kWh", 0, 1},
    {CoolingElectricity, "Strom für Kühlen je Jahr", "kWh", 0, 1},
    {CarElectricity, "Strom für das E-Auto je Jahr", "kWh", 0, 1},
    {StorageCapacity, "Speicherkapazität", "kWh", 1, 1},
    {ElectricityPrice, "Strompreis", "Euro/kWh", 3, 1},
    {FeedInTariff, "Einspeisevergütung", "Euro/kWh", 3, 1},
};

QList<QStringList> mainWindowRows(const ReportSource& source) {
    const CalculatorState& state = source.calculator.state();
    QList<QStringList> rows;
    for (const ShownQuantity& shown : kShownQuantities) {
        rows.append(
            {QString::fromUtf8(shown.label),
             QString::fromStdString(evaluation::formatWithUnit(
                 state.values[shown.quantity] * shown.factor, shown.decimals, shown.unit))});
    }
    return rows;
}

QList<QStringList> evaluationInputRows(const ReportSource& source) {
    const evaluation::EvaluationInputs& inputs = source.evaluation.inputs();
    QList<QStringList> rows;
    for (const evaluation::InputInfo& info : evaluation::kInputInfo) {
        QString value = QString::fromStdString(
            evaluation::inputText(inputs, info.id, source.evaluation.mainWindowInputs()));
        if (evaluation::followsMainWindow(inputs, info.id)) {
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

// The site the report is about: the place chosen, else the data file's name, else the
// coordinates.
QString siteName(const ReportSource& source) {
    if (!source.placeName.isEmpty()) {
        return source.placeName;
    }
    if (!source.dataFilePath.isEmpty()) {
        return QFileInfo(source.dataFilePath).fileName();
    }
    const auto& values = source.calculator.state().values;
    return QStringLiteral("%1° %2, %3° %4")
        .arg(charts::german(std::abs(values[Latitude]), 3),
             values[Latitude] < 0 ? QStringLiteral("S") : QStringLiteral("N"),
             charts::german(std::abs(values[Longitude]), 3),
             values[Longitude] < 0 ? QStringLiteral("W") : QStringLiteral("O"));
}

QString dateText(const ReportSource& source) {
    const QDate date = source.date.isValid() ? source.date : QDate::currentDate();
    return QLocale(QLocale::German, QLocale::Germany)
        .toString(date, QStringLiteral("d. MMMM yyyy"));
}

// The charts of the report, each in a scene of its own.
class ReportCharts {
  public:
    QChart* add(std::unique_ptr<QChart> chart) {
        auto scene = std::make_unique<QGraphicsScene>();
        QChart* raw = chart.release();
        scene->addItem(raw);
        raw->resize(charts::kChartLayoutWidth, charts::kChartLayoutWidth / 2);
        scenes_.push_back(std::move(scene));
        return raw;
    }

    // Draws the charts side by side into `target`, each laid out for its share, all at the
    // same scale of the page, so that their texts have the same size. A chart lays out its
    // axes, labels and legend from posted events; without a view they must run first.
    static void render(QPainter& painter, const QRectF& target, const QList<QChart*>& list) {
        for (QChart* chart : list) {
            chart->layout()->activate();
        }
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const double devicePixelsPerMm = painter.device()->logicalDpiX() / 25.4;
        charts::renderCharts(painter, target, list, devicePixelsPerMm / kLayoutPixelsPerMm);
    }

  private:
    // A chart of the page's width (180 mm) is laid out 810 pixels wide.
    static constexpr double kLayoutPixelsPerMm = 4.5;

    std::vector<std::unique_ptr<QGraphicsScene>> scenes_;
};

// A block of charts side by side, each filled when its page is painted.
using ChartFill = std::function<void(QChart&)>;
void chartBlock(ReportLayout& layout, double height_mm, QList<ChartFill> fills) {
    layout.block(height_mm, [fills](QPainter& painter, const QRectF& target) {
        ReportCharts charts;
        QList<QChart*> list;
        for (const ChartFill& fill : fills) {
            QChart* chart = charts.add(std::make_unique<QChart>());
            fill(*chart);
            list.append(chart);
        }
        ReportCharts::render(painter, target, list);
    });
}

// Page 1: the site, the date, the installation, and the verdict on each variant.
void layOutVerdict(ReportLayout& layout, const ReportSource& source) {
    const evaluation::Evaluation& evaluation = source.evaluation;
    layout.heading(QStringLiteral("Lumetra – Auswertung"), 16);
    layout.line(QStringLiteral("Standort: ") + siteName(source), 11);
    if (!source.dataFilePath.isEmpty()) {
        layout.line(QStringLiteral("Datensatz: ") + QFileInfo(source.dataFilePath).fileName());
    }
    layout.line(QStringLiteral("Erstellt am ") + dateText(source));
    layout.paragraph(QStringLiteral("Anlage: ") + QString::fromStdString(evaluation::systemSummary(
                                                      evaluation.simulationInput())));
    layout.skip(2);
    layout.section(QStringLiteral("Ergebnis"));
    const int years = evaluation.inputs().years;
    const auto& variants = evaluation.variants();
    if (!variants) {
        layout.paragraph(
            QStringLiteral("Ohne Stundenbilanz kein Vergleich mit und ohne Speicher. Monatsmodell: "
                           "Amortisation ") +
            QString::fromStdString(evaluation::paybackText(evaluation.monthlyMoney(), years)) +
            QStringLiteral(", ") + QString::fromStdString(evaluation::netPresentValueLabel(years)) +
            QStringLiteral(" ") + charts::german(evaluation.monthlyMoney().netPresentValue_EUR, 0) +
            QStringLiteral(" Euro."));
        return;
    }
    layout.paragraph(QString::fromStdString(evaluation::overallVerdict(*variants, years)), 10.5,
                     true);
    const std::vector<std::string> titles = evaluation::variantTitles(*variants);
    const evaluation::Variant* each[] = {&variants->withoutBattery, &variants->withBattery,
                                         &variants->bestBattery};
    for (std::size_t i = 0; i < titles.size(); ++i) {
        std::string title = titles[i];
        title[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(title[0])));
        layout.paragraph(
            QString::fromStdString(evaluation::variantVerdict(title, *each[i], years)));
    }
    layout.skip(2);
    layout.section(QStringLiteral("Varianten im Vergleich"));
    QStringList header{QStringLiteral("Variante")};
    for (const std::string& title : titles) {
        header.append(QString::fromStdString(title));
    }
    QList<QStringList> rows;
    for (const evaluation::VariantRow& row : evaluation::variantRows(*variants, years)) {
        rows.append({QString::fromStdString(row.label), QString::fromStdString(row.withoutBattery),
                     QString::fromStdString(row.withBattery),
                     QString::fromStdString(row.bestBattery)});
    }
    layout.table(header, rows, {2.2, 1.3, 1.5, 1.5});
    layout.paragraph(
        QStringLiteral("Aus der Stundenbilanz des Referenzjahres in Viertelstunden. Bester "
                       "Speicher: die Größe von 0 bis 20 kWh mit dem höchsten Kapitalwert. "
                       "\"Speicher allein\": was der Speicher gegenüber der Anlage ohne Speicher "
                       "bringt."),
        7.5);
}

// Where the balance's household load comes from, as a clause of the method's sentence: what
// was chosen and what the balance used, with the model's source or the measured file's name.
QString householdLoadText(const evaluation::Evaluation& evaluation) {
    const evaluation::EvaluationInputs& inputs = evaluation.inputs();
    const simulation::HourlyResult* result = evaluation.hourlyResult();
    // Without a balance, nothing stood in for the choice.
    simulation::HouseholdLoad used = simulation::HouseholdLoad::Simulated;
    if (result != nullptr) {
        used = result->householdLoad;
    } else if (inputs.householdProfile == evaluation::HouseholdProfile::Standard) {
        used = simulation::HouseholdLoad::Standard;
    } else if (inputs.householdProfile == evaluation::HouseholdProfile::Measured) {
        used = simulation::HouseholdLoad::Measured;
    }
    QString text = QStringLiteral("Haushaltslast: ") +
                   QString::fromStdString(evaluation::householdProfileDescription(inputs, used));
    if (used == simulation::HouseholdLoad::Simulated) {
        text += QStringLiteral(" (Richardson, Thomson, Infield und Clifford 2010)");
    } else if (used == simulation::HouseholdLoad::Measured) {
        text += QStringLiteral(", Datei ") +
                QFileInfo(QString::fromStdString(inputs.measuredLoad.file)).fileName();
    }
    return text + QLatin1Char('.');
}

// The key figures over the simulated homes, with what their ranges mean.
void layOutSpread(ReportLayout& layout, const evaluation::Spread& spread) {
    layout.section(QStringLiteral("Streuung über simulierte Haushalte"));
    QList<QStringList> rows;
    for (const SpreadRow& row : spreadRows(spread)) {
        rows.append({row.label, row.range});
    }
    layout.table({QStringLiteral("Kennzahl"), QStringLiteral("Spanne (Median)")}, rows, {2.4, 3});
    layout.paragraph(spreadExplanationText(spread.homes), 7.5);
}

// The assumptions, the data they come from, the module fields and the key figures.
void layOutAssumptions(ReportLayout& layout, const ReportSource& source) {
    const evaluation::Evaluation& evaluation = source.evaluation;
    layout.section(QStringLiteral("Eingaben des Hauptfensters"));
    layout.table({QStringLiteral("Größe"), QStringLiteral("Wert")}, mainWindowRows(source), {3, 2});
    layout.section(QStringLiteral("Annahmen der Auswertung"));
    layout.table({QStringLiteral("Annahme"), QStringLiteral("Wert")}, evaluationInputRows(source),
                 {3, 2});
    layout.section(QStringLiteral("Daten und Verfahren"));
    const simulation::HourlyResult* result = evaluation.hourlyResult();
    const QString weather =
        result != nullptr && result->weatherImported
            ? QStringLiteral("einem Wetterjahr aus der Datei ") +
                  QFileInfo(QString::fromStdString(evaluation.inputs().weatherFile)).fileName()
            : QStringLiteral(
                  "einem synthetischen Wetterjahr aus der Globalstrahlung des "
                  "Hauptfensters und den Monatswerten von DWD und CM SAF (1991–2020)");
    const QString texts[] = {
        QStringLiteral("Stundenbilanz: 35.040 Viertelstunden des Jahres 2025 aus ") + weather +
            QStringLiteral("; Modulleistung nach Perez et al. (1990), Martin und Ruiz (2001), "
                           "Faiman (2008) und Huld et al. (2011); ") +
            householdLoadText(evaluation),
        QStringLiteral("Speicher: geladen nur aus Überschuss, entladen nur in den Bedarf; was "
                       "über der Einspeisegrenze liegt, lädt den Speicher, soweit er Platz hat, "
                       "sonst wird es abgeregelt."),
        QStringLiteral("Preise (Richtwerte, Stand 2025): Strompreis nach der BDEW-"
                       "Strompreisanalyse 2025 (39,7 ct/kWh), Einspeisevergütung nach § 48 EEG "
                       "2023 für Anlagen bis 10 kWp mit Teileinspeisung, in Betrieb genommen "
                       "August 2025 bis Januar 2026 (7,86 ct/kWh)."),
        QStringLiteral("Wirtschaftlichkeit: Kapitalwertmethode, Stromgestehungskosten als "
                       "abgezinste Kosten je abgezinster kWh (Short, Packey und Holt, NREL "
                       "1995); ein Speicher, dessen Lebensdauer in den Betrachtungszeitraum "
                       "fällt, wird zum gleichen Preis ersetzt, sein Restwert am Ende "
                       "gutgeschrieben. Keine Steuern, keine Finanzierung."),
    };
    for (const QString& text : texts) {
        layout.paragraph(text, 8);
    }
    layout.section(QStringLiteral("Modulfelder"));
    layout.table({QStringLiteral("Nr."), QStringLiteral("Breite (m)"), QStringLiteral("Höhe (m)"),
                  QStringLiteral("Fläche (m²)"), QStringLiteral("Ausrichtung (°)"),
                  QStringLiteral("Neigung (°)"), QStringLiteral("Leistung (Wp)"),
                  QStringLiteral("Ertrag (kWh)")},
                 moduleFieldRows(source.calculator), {0.6, 1, 1, 1, 1.3, 1.1, 1.2, 1.2});
    layout.section(QStringLiteral("Kennzahlen"));
    QList<QStringList> figures;
    for (const evaluation::KeyFigureRow& row :
         evaluation::keyFigureRows(evaluation.monthlyFigures(), evaluation.hourlyFigures())) {
        figures.append({qText(row.label), QString::fromStdString(row.hourlyBalance),
                        QString::fromStdString(row.monthlyModel)});
    }
    layout.table({QStringLiteral("Kennzahl"), qText(evaluation::kModelColumnTitles[0]),
                  qText(evaluation::kModelColumnTitles[1])},
                 figures, {2.4, 1.5, 1.5});
    layout.paragraph(QStringLiteral("Stundenbilanz: das Jahr in Viertelstunden mit Wetter, "
                                    "Lastprofil, Speicher und Einspeisegrenze. Monatsmodell: die "
                                    "Faustformeln des Hauptfensters."),
                     7.5);
    if (source.spread != nullptr) {
        layOutSpread(layout, *source.spread);
    }
}

// The charts that have something to show, each drawn only when its page is painted.
void layOutCharts(ReportLayout& layout, const evaluation::Evaluation& evaluation,
                  const evaluation::Spread* spread) {
    layout.section(QStringLiteral("Diagramme"));
    chartBlock(layout, 70,
               {[&evaluation](QChart& chart) { charts::fillMonthsChart(chart, evaluation); }});
    const simulation::HourlyResult* result = evaluation.hourlyResult();
    if (result == nullptr) {
        return;
    }
    chartBlock(layout, 62,
               {[&evaluation](QChart& chart) { charts::fillDayChart(chart, evaluation, 5); },
                [&evaluation](QChart& chart) { charts::fillDayChart(chart, evaluation, 11); }});
    layout.block(62, [&evaluation](QPainter& painter, const QRectF& target) {
        ReportCharts charts;
        auto heatMapOwner = std::make_unique<charts::HeatMapChart>();
        charts::HeatMapChart* heatMap = heatMapOwner.get();
        charts.add(std::move(heatMapOwner));
        heatMap->fill(evaluation);
        ReportCharts::render(painter, target, {heatMap});
    });
    // Without a battery the state of charge has nothing to show.
    if (result->batteryCapacity_kWh > 0) {
        chartBlock(layout, 62,
                   {[&evaluation](QChart& chart) { charts::fillBatteryChart(chart, evaluation); }});
    }
    layout.block(62, [&evaluation, spread](QPainter& painter, const QRectF& target) {
        const simulation::HourlyResult& shown = *evaluation.hourlyResult();
        simulation::HourlyBalance balance(evaluation.climate());
        const std::atomic<bool> never{false};
        const evaluation::SizingCurves curves = evaluation::computeSizingCurves(
            balance, evaluation.simulationInput(), evaluation.inputs().battery, never,
            evaluation.batterySweep());
        ReportCharts charts;
        QChart* sizingBattery = charts.add(std::make_unique<QChart>());
        QChart* sizingRoof = charts.add(std::make_unique<QChart>());
        charts::fillSizingChart(*sizingBattery, curves.battery, charts::SizingKind::Battery,
                                shown.batteryCapacity_kWh, shown.annual.selfSufficiency,
                                shown.annual.selfConsumptionShare,
                                spread != nullptr ? &spread->sizingBand : nullptr);
        charts::fillSizingChart(*sizingRoof, curves.roof, charts::SizingKind::Roof,
                                shown.peakPower_kWp, shown.annual.selfSufficiency,
                                shown.annual.selfConsumptionShare);
        ReportCharts::render(painter, target, {sizingBattery, sizingRoof});
    });
}

// The money over the years, with every year of the table.
void layOutMoney(ReportLayout& layout, const evaluation::Evaluation& evaluation) {
    layout.section(QStringLiteral("Wirtschaftlichkeit"));
    QList<QStringList> results;
    for (const MoneyResultRow& row : moneyResultRows(evaluation)) {
        results.append({row.label, row.hourly, row.monthly});
    }
    layout.table({QStringLiteral("Ergebnis"), qText(evaluation::kModelColumnTitles[0]),
                  qText(evaluation::kModelColumnTitles[1])},
                 results, {2, 1.6, 1.6});
    chartBlock(layout, 72,
               {[&evaluation](QChart& chart) { charts::fillMoneyChart(chart, evaluation); }});
    const int yearRows = static_cast<int>(evaluation.hourlyMoney().years.size());
    QList<QStringList> years;
    for (int r = 0; r < yearRows; ++r) {
        QStringList cells;
        for (int c = 0; c < kMoneyTableColumns; ++c) {
            cells.append(moneyTableCell(evaluation, r, c));
        }
        years.append(cells);
    }
    QStringList headers = moneyTableHeaders();
    for (QString& header : headers) {
        header.replace(QStringLiteral(" ("), QStringLiteral("\n("));
    }
    layout.table(headers, years, {0.6, 1, 1.3, 1, 1.3, 1.3, 1.3, 1.2}, 7.5);
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

// The whole report: the verdict first, then the assumptions and data, the charts and the
// money, each beginning on a page of its own.
ReportLayout layOutReport(const ReportSource& source) {
    ReportLayout layout;
    layout.setFooter(QStringLiteral("Lumetra – Auswertung: ") + siteName(source) +
                     QStringLiteral(", ") + dateText(source));
    layOutVerdict(layout, source);
    layout.newPage();
    layOutAssumptions(layout, source);
    layout.newPage();
    layOutCharts(layout, source.evaluation, source.spread);
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

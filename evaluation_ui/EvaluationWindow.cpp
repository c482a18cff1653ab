// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation_ui/EvaluationWindow.h"

#include <QChartView>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "evaluation/Evaluation.h"
#include "evaluation_ui/ChartExport.h"
#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/Charts.h"
#include "evaluation_ui/DataFolderPanel.h"
#include "evaluation_ui/HeatMapView.h"
#include "evaluation_ui/HourlyCsvExport.h"
#include "evaluation_ui/HouseholdPanel.h"
#include "evaluation_ui/InputForm.h"
#include "evaluation_ui/MoneyPanel.h"
#include "evaluation_ui/Report.h"
#include "evaluation_ui/SizingPanel.h"
#include "evaluation_ui/SpreadRunner.h"
#include "evaluation_ui/SpreadTexts.h"
#include "evaluation_ui/VariantsPanel.h"
#include "evaluation_ui/WeatherPanel.h"
#include "widgets/screenfit/KeepOnScreen.h"

namespace lumetra {

namespace {

const QString kGeometryKey = QStringLiteral("Auswertung/Geometrie");

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QChartView* chartView(QChart* chart, const QString& name, QWidget* parent) {
    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(320, 240);
    charts::followPointTooltips(*view);
    return view;
}

}  // namespace

EvaluationWindow::EvaluationWindow(evaluation::Evaluation& evaluation, const Calculator& calculator,
                                   std::function<QString()> dataFilePath, QWidget* parent)
    : QWidget(parent, Qt::Window),
      evaluation_(evaluation),
      calculator_(calculator),
      dataFilePath_(std::move(dataFilePath)) {
    setObjectName(QStringLiteral("evaluationWindow"));
    setWindowTitle(QStringLiteral("Auswertung – Lumetra"));
    setLocale(QLocale(QLocale::German, QLocale::Germany));

    auto* figuresBox = new QGroupBox(QStringLiteral("Kennzahlen"), this);
    keyFigures_ = new QTableWidget(0, 3, figuresBox);
    keyFigures_->setObjectName(QStringLiteral("keyFigures"));
    keyFigures_->setHorizontalHeaderLabels({QStringLiteral("Kennzahl"),
                                            qText(evaluation::kModelColumnTitles[0]),
                                            qText(evaluation::kModelColumnTitles[1])});
    keyFigures_->verticalHeader()->setVisible(false);
    keyFigures_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    keyFigures_->setSelectionMode(QAbstractItemView::NoSelection);
    keyFigures_->setFocusPolicy(Qt::NoFocus);
    // The columns take their contents' width once per refresh (fillKeyFigures), not after
    // every cell that changed: measuring every cell again for each one cost milliseconds.
    keyFigures_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    keyFigures_->setToolTip(
        QStringLiteral("Stundenbilanz: das Jahr in Viertelstunden mit Wetter, Lastprofil, "
                       "Speicher und Einspeisegrenze.\nMonatsmodell: die Faustformeln des "
                       "Hauptfensters."));
    auto* figuresLayout = new QVBoxLayout(figuresBox);
    figuresLayout->addWidget(keyFigures_);

    buildTabs();
    spread_ = new SpreadRunner(evaluation_, this);
    connect(spread_, &SpreadRunner::changed, this, &EvaluationWindow::spreadChanged);

    // Under the key figures, the hourly balance's weather year and grid connection.
    weather_ = new WeatherPanel(evaluation_, this);
    connect(weather_, &WeatherPanel::inputsEdited, this, &EvaluationWindow::inputsEdited);
    household_ = new HouseholdPanel(evaluation_, this);
    connect(household_, &HouseholdPanel::inputsEdited, this, &EvaluationWindow::inputsEdited);
    gridInputs_ = new InputForm(
        evaluation_, {evaluation::InputId::FeedInLimit, evaluation::InputId::InverterPower}, this);
    connect(gridInputs_, &InputForm::inputsEdited, this, &EvaluationWindow::inputsEdited);
    auto* figuresAndWeather = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(figuresAndWeather);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(figuresBox, 1);
    leftLayout->addWidget(weather_);
    leftLayout->addWidget(household_);
    leftLayout->addWidget(inputGroup(QStringLiteral("Netzanschluss"), gridInputs_, this));
    // Under it, where the tables come from and every file the balance reads.
    dataFolder_ = new DataFolderPanel(evaluation_, this);
    connect(dataFolder_, &DataFolderPanel::inputsEdited, this, &EvaluationWindow::inputsEdited);
    leftLayout->addWidget(dataFolder_);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(figuresAndWeather);
    splitter->addWidget(tabs_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);

    auto* buttons = new QHBoxLayout;
    struct ButtonDef {
        QString text;
        std::function<void()> action;
    };
    const ButtonDef defs[] = {
        {QStringLiteral("Stundenwerte als CSV..."), [this] { askAndExportCsv(); }},
        {QStringLiteral("Diagramm als PNG..."),
         [this] {
             askAndExport(QStringLiteral("Diagramm speichern"), QStringLiteral("diagramm"),
                          QStringLiteral("png"), QStringLiteral("PNG-Bilder (*.png)"),
                          &EvaluationWindow::exportPng);
         }},
        {QStringLiteral("Diagramm als SVG..."),
         [this] {
             askAndExport(QStringLiteral("Diagramm speichern"), QStringLiteral("diagramm"),
                          QStringLiteral("svg"), QStringLiteral("SVG-Zeichnungen (*.svg)"),
                          &EvaluationWindow::exportSvg);
         }},
        {QStringLiteral("PDF-Bericht..."),
         [this] {
             askAndExport(QStringLiteral("Bericht speichern"), QStringLiteral("auswertung"),
                          QStringLiteral("pdf"), QStringLiteral("PDF-Dateien (*.pdf)"),
                          &EvaluationWindow::exportPdf);
         }},
        {QStringLiteral("Drucken..."), [this] { print(); }},
    };
    for (const ButtonDef& def : defs) {
        auto* button = new QPushButton(def.text, this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, def.action);
        buttons->addWidget(button);
        exportButtons_.append(button);
    }
    buttons->addWidget(buildExportSize());
    buttons->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("Schließen"), this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(close);

    auto* print = new QShortcut(QKeySequence::Print, this);
    connect(print, &QShortcut::activated, this, &EvaluationWindow::print);
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    resize(1280, 800);
    // Bounded by the screen when shown; on a screen smaller than the smallest size, the key
    // figures and the tabs keep that size and scroll, while the buttons stay in sight.
    keepOnScreen(*this, *layout, *splitter, QStringLiteral("evaluationScrollArea"));

    const QByteArray geometry = QSettings().value(kGeometryKey).toByteArray();
    if (!geometry.isEmpty()) {
        restoreGeometry(geometry);
    }
}

EvaluationWindow::~EvaluationWindow() = default;

void EvaluationWindow::buildTabs() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("evaluationTabs"));

    monthsView_ = chartView(new QChart, QStringLiteral("monthsChart"), tabs_);
    tabs_->addTab(monthsView_, QStringLiteral("Monate"));

    auto* days = new QWidget(tabs_);
    juneView_ = chartView(new QChart, QStringLiteral("juneChart"), days);
    decemberView_ = chartView(new QChart, QStringLiteral("decemberChart"), days);
    auto* daysLayout = new QHBoxLayout(days);
    daysLayout->addWidget(juneView_);
    daysLayout->addWidget(decemberView_);
    tabs_->addTab(days, QStringLiteral("Juni und Dezember"));

    tabs_->addTab(buildBatteryTab(), QStringLiteral("Speicher"));

    heatMap_ = new charts::HeatMapChart;
    heatMapView_ = new charts::HeatMapView(heatMap_, tabs_);
    heatMapView_->setObjectName(QStringLiteral("heatMapChart"));
    tabs_->addTab(heatMapView_, QStringLiteral("Jahreskarte"));

    sizing_ = new SizingPanel(evaluation_, tabs_);
    tabs_->addTab(sizing_, QStringLiteral("Dimensionierung"));

    money_ = new MoneyPanel(evaluation_, tabs_);
    connect(money_, &MoneyPanel::inputsEdited, this, &EvaluationWindow::inputsEdited);
    tabs_->addTab(money_, QStringLiteral("Wirtschaftlichkeit"));

    variants_ = new VariantsPanel(evaluation_, tabs_);
    tabs_->addTab(variants_, QStringLiteral("Vergleich"));
    connect(tabs_, &QTabWidget::currentChanged, this, &EvaluationWindow::fillCurrentTab);
    connect(tabs_, &QTabWidget::currentChanged, this, &EvaluationWindow::enablePictureExports);
}

QWidget* EvaluationWindow::buildBatteryTab() {
    batteryPage_ = new QWidget(tabs_);
    batteryInputs_ =
        new InputForm(evaluation_,
                      {evaluation::InputId::BatteryCapacity, evaluation::InputId::ChargePower,
                       evaluation::InputId::DischargePower, evaluation::InputId::ChargeEfficiency,
                       evaluation::InputId::DischargeEfficiency, evaluation::InputId::MinimumCharge,
                       evaluation::InputId::InvestmentPerKWh, evaluation::InputId::BatteryLifetime},
                      batteryPage_);
    connect(batteryInputs_, &InputForm::inputsEdited, this, &EvaluationWindow::inputsEdited);
    batteryView_ = chartView(new QChart, QStringLiteral("batteryChart"), batteryPage_);
    auto* layout = new QHBoxLayout(batteryPage_);
    layout->addWidget(
        inputGroup(QStringLiteral("Speicher der Stundenbilanz"), batteryInputs_, batteryPage_));
    layout->addWidget(batteryView_, 1);
    return batteryPage_;
}

QWidget* EvaluationWindow::buildExportSize() {
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto sizeBox = [box](const QString& name, const QString& asShown) {
        auto* spin = new QSpinBox(box);
        spin->setObjectName(name);
        spin->setRange(0, 8192);
        spin->setSuffix(QStringLiteral(" px"));
        spin->setSpecialValueText(asShown);
        return spin;
    };
    exportWidth_ = sizeBox(QStringLiteral("exportWidth"), QStringLiteral("wie angezeigt"));
    exportHeight_ = sizeBox(QStringLiteral("exportHeight"), QStringLiteral("passend"));
    box->setToolTip(
        QStringLiteral("Größe eines Diagramms in PNG und SVG. Ohne Angabe wie angezeigt; mit "
                       "nur einer Angabe in den Proportionen des angezeigten Diagramms."));
    auto* label = new QLabel(QStringLiteral("Bildgröße:"), box);
    label->setBuddy(exportWidth_);
    layout->addWidget(label);
    layout->addWidget(exportWidth_);
    layout->addWidget(new QLabel(QStringLiteral("×"), box));
    layout->addWidget(exportHeight_);
    return box;
}

void EvaluationWindow::refresh() {
    spread_->update();
    fillKeyFigures();
    weather_->refresh();
    household_->refresh();
    batteryInputs_->refresh();
    dataFolder_->refresh();
    staleTabs_.fill(true);
    // Only the tab on show is filled now, and not before the window's first picture: the others
    // when they are first shown.
    if (isVisible() && !fillAfterPaint_) {
        fillCurrentTab();
    }
}

void EvaluationWindow::refreshKeyFigures() {
    spread_->update();
    fillKeyFigures();
}

void EvaluationWindow::spreadChanged() {
    fillKeyFigures();
    sizing_->setSpread(spread_->spread());
}

void EvaluationWindow::refreshComparison() {
    for (const Tab tab : {Tab::Sizing, Tab::Comparison}) {
        staleTabs_[static_cast<std::size_t>(tab)] = true;
    }
    if (isVisible() && !fillAfterPaint_) {
        fillCurrentTab();
    }
}

void EvaluationWindow::fillCurrentTab() {
    const int index = tabs_->currentIndex();
    if (index < 0 || !staleTabs_[static_cast<std::size_t>(index)]) {
        return;
    }
    staleTabs_[static_cast<std::size_t>(index)] = false;
    switch (static_cast<Tab>(index)) {
        case Tab::Months:
            charts::fillMonthsChart(*monthsView_->chart(), evaluation_);
            break;
        case Tab::Days:
            charts::fillDayChart(*juneView_->chart(), evaluation_, 5);
            charts::fillDayChart(*decemberView_->chart(), evaluation_, 11);
            break;
        case Tab::Battery:
            charts::fillBatteryChart(*batteryView_->chart(), evaluation_);
            break;
        case Tab::HeatMap:
            heatMap_->fill(evaluation_);
            break;
        case Tab::Sizing:
            sizing_->refresh();
            break;
        case Tab::Money:
            money_->refresh();
            break;
        case Tab::Comparison:
            variants_->refresh();
            break;
    }
}

void EvaluationWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fillAfterPaint_ = true;
}

bool EvaluationWindow::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::Paint && fillAfterPaint_) {
        // The window is on the screen: its charts are filled right after this picture.
        fillAfterPaint_ = false;
        QMetaObject::invokeMethod(this, &EvaluationWindow::fillCurrentTab, Qt::QueuedConnection);
    }
    return handled;
}

void EvaluationWindow::showInputs() {
    money_->showInputs();
    batteryInputs_->showInputs();
    gridInputs_->showInputs();
    weather_->refresh();
    household_->refresh();
    dataFolder_->refresh();
}

void EvaluationWindow::fillKeyFigures() {
    const std::vector<evaluation::KeyFigureRow> rows =
        evaluation::keyFigureRows(evaluation_.monthlyFigures(), evaluation_.hourlyFigures());
    keyFigures_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const evaluation::KeyFigureRow& row = rows[static_cast<std::size_t>(r)];
        const QString texts[] = {qText(row.label), QString::fromStdString(row.hourlyBalance),
                                 QString::fromStdString(row.monthlyModel)};
        for (int c = 0; c < 3; ++c) {
            QTableWidgetItem* item = keyFigures_->item(r, c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                              : Qt::AlignRight | Qt::AlignVCenter);
                keyFigures_->setItem(r, c, item);
            }
            item->setText(texts[c]);
            item->setToolTip(QString());
        }
    }
    appendSpreadRows();
    // The whole table stays in sight: the box is as wide as its columns.
    keyFigures_->resizeColumnsToContents();
    int width = keyFigures_->frameWidth() * 2 + 4;
    for (int c = 0; c < 3; ++c) {
        width += keyFigures_->columnWidth(c);
    }
    keyFigures_->setMinimumWidth(width);
    keyFigures_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void EvaluationWindow::appendSpreadRows() {
    QList<SpreadRow> rows;
    if (const evaluation::Spread* spread = spread_->spread()) {
        rows = spreadRows(*spread);
    } else if (spread_->isComputing()) {
        rows = {{QStringLiteral("Streuung, %1 Haushalte").arg(SpreadRunner::kHomes),
                 QStringLiteral("wird berechnet ...")}};
    }
    const QString explanation = spreadExplanationText(SpreadRunner::kHomes);
    for (const SpreadRow& spreadRow : rows) {
        const int row = keyFigures_->rowCount();
        keyFigures_->insertRow(row);
        const QString texts[] = {spreadRow.label, spreadRow.range, QStringLiteral("–")};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                          : Qt::AlignRight | Qt::AlignVCenter);
            item->setToolTip(explanation);
            keyFigures_->setItem(row, c, item);
        }
    }
}

QList<QChart*> EvaluationWindow::currentCharts() {
    fillCurrentTab();
    QWidget* page = tabs_->currentWidget();
    if (page == sizing_) {
        return {sizing_->batteryView()->chart(), sizing_->roofView()->chart()};
    }
    if (page == money_) {
        return {money_->chartView()->chart()};
    }
    if (page == batteryPage_) {
        return {batteryView_->chart()};
    }
    if (page == variants_) {
        return {};
    }
    if (auto* view = qobject_cast<QChartView*>(page)) {
        return {view->chart()};
    }
    return {juneView_->chart(), decemberView_->chart()};
}

QPushButton* EvaluationWindow::exportButton(int index) const {
    return exportButtons_.value(index);
}

QString EvaluationWindow::offeredName(const QString& what, const QString& extension) const {
    return charts::offeredExportName(dataFilePath_ ? dataFilePath_() : QString(), what, extension);
}

bool EvaluationWindow::exportCsv(const QString& path, bool english) {
    return writeHourlyCsvExport(
        path, evaluation_,
        english ? simulation::CsvFormat::English : simulation::CsvFormat::German);
}

QSize EvaluationWindow::exportSize(const QList<QChart*>& charts) const {
    const QSizeF shown = charts.isEmpty() ? QSizeF() : charts.first()->size();
    return charts::exportChartSize(shown, exportWidth_->value(), exportHeight_->value());
}

bool EvaluationWindow::exportPng(const QString& path) {
    const QList<QChart*> charts = currentCharts();
    return charts::writeChartsPng(path, charts, exportSize(charts));
}

bool EvaluationWindow::exportSvg(const QString& path) {
    const QList<QChart*> charts = currentCharts();
    return charts::writeChartsSvg(path, charts, exportSize(charts));
}

void EvaluationWindow::enablePictureExports() {
    const bool hasChart = tabs_->currentWidget() != variants_;
    for (const int index : {1, 2}) {
        exportButtons_.value(index)->setEnabled(hasChart);
    }
}

bool EvaluationWindow::exportPdf(const QString& path) {
    return writeReportPdf(path, reportSource());
}

ReportSource EvaluationWindow::reportSource() const {
    return ReportSource{evaluation_,
                        calculator_,
                        dataFilePath_ ? dataFilePath_() : QString(),
                        placeName_ ? placeName_() : QString(),
                        QDate(),
                        spread_->spread()};
}

void EvaluationWindow::askAndExport(const QString& title, const QString& what,
                                    const QString& extension, const QString& filter,
                                    bool (EvaluationWindow::*write)(const QString&)) {
    QFileDialog dialog(this, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(extension);
    dialog.selectFile(offeredName(what, extension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().first();
    if (!(this->*write)(path)) {
        reportFailure(path);
    }
}

void EvaluationWindow::askAndExportCsv() {
    const QString german = QStringLiteral(
        "CSV für deutsche Tabellenprogramme, ; und Dezimalkomma "
        "(*.csv)");
    const QString english = QStringLiteral("CSV mit Komma und Dezimalpunkt (*.csv)");
    QFileDialog dialog(this, QStringLiteral("Stundenwerte speichern"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({german, english});
    dialog.selectNameFilter(german);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(offeredName(QStringLiteral("stunden"), QStringLiteral("csv")));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().first();
    if (!exportCsv(path, dialog.selectedNameFilter() == english)) {
        reportFailure(path);
    }
}

void EvaluationWindow::reportFailure(const QString& path) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Fehler"),
                    QStringLiteral("Die Datei konnte nicht geschrieben werden:\n") + path,
                    QMessageBox::Ok, this);
    box.exec();
}

void EvaluationWindow::print() {
    const ReportSource source = reportSource();
    const int pageCount = reportPageCount(source);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("Lumetra – Auswertung"));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    // The page range offered is the report's own, and the one chosen is what gets printed.
    dialog.setMinMax(1, pageCount);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    int firstPage = 1;
    int lastPage = pageCount;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        firstPage = printer.fromPage();
        lastPage = std::max(printer.toPage(), firstPage);
    }
    // Printing to a file writes the file as every export is written, never in place.
    if (const QString file = printer.outputFileName(); !file.isEmpty()) {
        if (!writeReportPdf(file, source, firstPage, lastPage)) {
            reportFailure(file);
        }
        return;
    }
    const int pages = paintReport(printer, source, firstPage, lastPage);
    if (pages == 0 || printer.printerState() == QPrinter::Error) {
        reportFailure(printer.printerName());
    }
}

void EvaluationWindow::closeEvent(QCloseEvent* event) {
    QSettings().setValue(kGeometryKey, saveGeometry());
    QWidget::closeEvent(event);
}

EvaluationWindowPort* createEvaluationWindow(const EvaluationWindowContext& context) {
    auto* window = new EvaluationWindow(context.evaluation, context.calculator,
                                        context.dataFilePath, context.parent);
    window->setPlaceName(context.placeName);
    if (context.inputsEdited) {
        QObject::connect(window, &EvaluationWindow::inputsEdited, window, context.inputsEdited);
    }
    return window;
}

}  // namespace lumetra

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>

#include "evaluation_port/EvaluationPort.h"

class QChart;
class QChartView;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QVBoxLayout;

namespace lumetra {

class InputForm;
class DataFolderPanel;
class HouseholdPanel;
class MoneyPanel;
class SizingPanel;
class SpreadRunner;
class VariantsPanel;
class WeatherPanel;

namespace charts {
class HeatMapChart;
}

// The "Auswertung" window: the key figures of the hourly balance and of the monthly model side
// by side, the grid connection's limits, the charts in tabs (the battery with its inputs), the
// money over the years, the sizing curves, the variants with and without a battery, and the
// exports.
// Modeless and resizable; it remembers its geometry. The main window's attachment calls
// refresh() whenever the evaluation changed. A tab's charts are filled when the tab is first
// shown after a change, and not before the window's first picture.
class EvaluationWindow : public QWidget, public EvaluationWindowPort {
    Q_OBJECT

  public:
    EvaluationWindow(evaluation::Evaluation& evaluation, const Calculator& calculator,
                     std::function<QString()> dataFilePath, QWidget* parent);
    ~EvaluationWindow() override;

    QWidget& widget() override { return *this; }
    void refresh() override;
    void refreshKeyFigures() override;
    void refreshComparison() override;
    void showInputs() override;

    QTableWidget* keyFigureTable() const { return keyFigures_; }
    QTabWidget* tabs() const { return tabs_; }
    MoneyPanel* moneyPanel() const { return money_; }
    SizingPanel* sizingPanel() const { return sizing_; }
    WeatherPanel* weatherPanel() const { return weather_; }
    HouseholdPanel* householdPanel() const { return household_; }
    VariantsPanel* variantsPanel() const { return variants_; }
    // The spread of the simulated homes, computed on a thread of its own.
    SpreadRunner* spreadRunner() const { return spread_; }
    // The battery's inputs (tab "Speicher") and the grid connection's (under the key figures).
    InputForm* batteryInputs() const { return batteryInputs_; }
    InputForm* gridInputs() const { return gridInputs_; }
    // The size of exported pictures: width and height in pixels, 0 for "as shown".
    QSpinBox* exportWidth() const { return exportWidth_; }
    QSpinBox* exportHeight() const { return exportHeight_; }
    DataFolderPanel* dataFolderPanel() const { return dataFolder_; }
    QChartView* monthsView() const { return monthsView_; }
    // The charts of the tab on show (one or two), filled, as the PNG and SVG exports draw them.
    QList<QChart*> currentCharts();
    QPushButton* exportButton(int index) const;  // CSV, PNG, SVG, PDF, Drucken

    // The exports without their file dialogs; false when writing failed. The CSV in German
    // layout unless `english`; the pictures at the size chosen, each chart laid out for it.
    bool exportCsv(const QString& path, bool english = false);
    bool exportPng(const QString& path);
    bool exportSvg(const QString& path);
    bool exportPdf(const QString& path);

    // A file name offered for an export: the data file's name with `suffix`, in its folder.
    QString offeredName(const QString& what, const QString& extension) const;
    // Where the report's site name comes from (the place chosen in the main window).
    void setPlaceName(std::function<QString()> placeName) { placeName_ = std::move(placeName); }
    // What the report of the window's state is made of.
    ReportSource reportSource() const;

  signals:
    void inputsEdited();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // The tabs in their order.
    enum class Tab { Months, Days, Battery, HeatMap, Sizing, Money, Comparison };
    static constexpr std::size_t kTabCount = 7;

    void buildTabs();
    // Fills the tab on show when it shows older figures than the evaluation's.
    void fillCurrentTab();
    void fillKeyFigures();
    // The key figures over the simulated homes under the others, while the household is one.
    void appendSpreadRows();
    void spreadChanged();
    void askAndExport(const QString& title, const QString& what, const QString& extension,
                      const QString& filter, bool (EvaluationWindow::*write)(const QString&));
    void askAndExportCsv();
    // The size each chart of the tab on show is exported at.
    QSize exportSize(const QList<QChart*>& charts) const;
    // The PNG and SVG buttons only where the tab on show has a chart.
    void enablePictureExports();
    QWidget* buildBatteryTab();
    QWidget* buildExportSize();
    void print();
    void reportFailure(const QString& path);

    evaluation::Evaluation& evaluation_;
    const Calculator& calculator_;
    std::function<QString()> dataFilePath_;
    std::function<QString()> placeName_;
    QTableWidget* keyFigures_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QChartView* monthsView_ = nullptr;
    QChartView* juneView_ = nullptr;
    QChartView* decemberView_ = nullptr;
    QChartView* batteryView_ = nullptr;
    QWidget* batteryPage_ = nullptr;
    InputForm* batteryInputs_ = nullptr;
    InputForm* gridInputs_ = nullptr;
    VariantsPanel* variants_ = nullptr;
    QSpinBox* exportWidth_ = nullptr;
    QSpinBox* exportHeight_ = nullptr;
    QChartView* heatMapView_ = nullptr;
    charts::HeatMapChart* heatMap_ = nullptr;
    MoneyPanel* money_ = nullptr;
    SizingPanel* sizing_ = nullptr;
    WeatherPanel* weather_ = nullptr;
    HouseholdPanel* household_ = nullptr;
    DataFolderPanel* dataFolder_ = nullptr;
    SpreadRunner* spread_ = nullptr;
    QList<QPushButton*> exportButtons_;
    // Tabs that show older figures than the evaluation's; each is filled when it is shown.
    std::array<bool, kTabCount> staleTabs_{};
    // Shown and not yet painted since: the charts wait for the window's picture.
    bool fillAfterPaint_ = false;
};

// A window as the plugin makes it: the context's callback follows its edited inputs.
EvaluationWindowPort* createEvaluationWindow(const EvaluationWindowContext& context);

}  // namespace lumetra

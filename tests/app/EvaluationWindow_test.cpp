// SPDX-License-Identifier: GPL-3.0-or-later
// The Auswertung window from the main window: the ways in, following the main window, the
// money inputs, the status line.
#include <QChartView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

#include "LinkedEvaluationWindow.h"
#include "MainDialogSupport.h"
#include "app/ControlIds.h"
#include "evaluation/Evaluation.h"
#include "evaluation/GermanNumber.h"
#include "evaluation_ui/InputForm.h"
#include "evaluation_ui/MoneyPanel.h"
#include "evaluation_ui/SizingPanel.h"
#include "evaluation_ui/VariantsPanel.h"

namespace lumetra::test {
namespace {

constexpr int kChartPictureId = 1111;
constexpr int kSelfSufficiencyRow = 4;
constexpr int kDemandRow = 7;
constexpr int kBatteryRow = 8;
constexpr int kBatteryTab = 2;
constexpr int kHourlyColumn = 1;
constexpr int kMonthlyColumn = 2;

class EvaluationWindowTest : public ::testing::Test {
  protected:
    // Settings of this process alone: tests run in parallel processes, and another one closing
    // its window must not write the geometry this one reads.
    void SetUp() override {
        useLinkedEvaluationWindow(attachment());
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(
            QStringLiteral("lumetra-test-%1").arg(QCoreApplication::applicationPid()));
        QSettings().remove(QStringLiteral("Auswertung"));
    }
    void TearDown() override {
        QSettings settings;
        settings.clear();
        settings.sync();
        QFile::remove(settings.fileName());
    }

    EvaluationAttachment& attachment() { return shown.dialog().evaluation(); }
    // Opens the window once the hourly balance has its first result (the climate tables are
    // read in the background and taken up by a refresh tick).
    void openWithResult() {
        attachment().openWindow();
        ASSERT_TRUE(
            shown.waitFor([&] { return attachment().evaluation().hourlyResult() != nullptr; }));
    }
    EvaluationWindow* window() { return linkedWindow(attachment()); }
    QString keyFigure(int row, int column) {
        return window()->keyFigureTable()->item(row, column)->text();
    }
    QLineSeries* moneySeries(const QString& name) {
        for (QAbstractSeries* series : window()->moneyPanel()->chartView()->chart()->series()) {
            if (series->name() == name) {
                return qobject_cast<QLineSeries*>(series);
            }
        }
        return nullptr;
    }

    ShownMainDialog shown;
};

TEST_F(EvaluationWindowTest, ChartClickOpensTheWindowAndTheChartInvitesIt) {
    auto* chart = qobject_cast<QLabel*>(findControl(&shown.dialog(), kChartPictureId));
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(chart->toolTip().contains(QStringLiteral("Auswertung")));
    ASSERT_EQ(window(), nullptr);
    QTest::mouseClick(chart, Qt::LeftButton, {}, chart->rect().center());
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Auswertung – Lumetra"));
    // A second click brings the same window back instead of a second one.
    EvaluationWindow* first = window();
    window()->close();
    QTest::mouseClick(chart, Qt::LeftButton, {}, chart->rect().center());
    EXPECT_EQ(window(), first);
    EXPECT_TRUE(window()->isVisible());
}

TEST_F(EvaluationWindowTest, BackgroundMenuEntryOpensTheWindow) {
    bool clicked = false;
    QTimer::singleShot(50, &shown.dialog(), [&clicked] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        // The specified entries still end the menu.
        const QList<QAction*> actions = menu->actions();
        ASSERT_GE(actions.size(), 4);
        EXPECT_EQ(actions.last()->text(), QStringLiteral("Informationen"));
        for (QAction* action : actions) {
            if (action->text() == QString::fromUtf8(kEvaluationMenuText)) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                clicked = true;
                return;
            }
        }
        menu->close();
    });
    const QPoint background(shown.dialog().width() / 2, 3);
    QContextMenuEvent event(QContextMenuEvent::Mouse, background,
                            shown.dialog().mapToGlobal(background));
    QApplication::sendEvent(&shown.dialog(), &event);
    ASSERT_TRUE(clicked);
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
}

TEST_F(EvaluationWindowTest, ShortcutOpensTheWindowWhileAFieldHasTheFocus) {
    shown.typeInto(Persons, QStringLiteral("4"));
    QTest::keyClick(shown.field(Persons), Qt::Key_R, Qt::ControlModifier);
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(shown.text(Persons), QStringLiteral("4"));
}

TEST_F(EvaluationWindowTest, TypingInTheMainWindowUpdatesTheFiguresAtTheNextTick) {
    openWithResult();
    ASSERT_TRUE(shown.waitFor([&] {
        return keyFigure(kDemandRow, kHourlyColumn) !=
               QString::fromUtf8(evaluation::kNoFigure.data());
    }));
    const QString monthlyBefore = keyFigure(kDemandRow, kMonthlyColumn);
    const QString hourlyBefore = keyFigure(kDemandRow, kHourlyColumn);

    // Back to the main window: the Auswertung window stays open beside it.
    QLineEdit* persons = shown.field(Persons);
    persons->setFocus(Qt::MouseFocusReason);
    persons->selectAll();
    QTest::keyClicks(persons, QStringLiteral("2"));
    ASSERT_EQ(persons->text(), QStringLiteral("2"));
    // Nothing is recomputed inside the keystroke ...
    EXPECT_EQ(keyFigure(kDemandRow, kHourlyColumn), hourlyBefore);
    // ... the next refresh tick brings the monthly model's new figures, and the hourly
    // balance's once its run on the worker thread is done.
    shown.dialog().refreshTick();
    EXPECT_NE(keyFigure(kDemandRow, kMonthlyColumn), monthlyBefore);
    EXPECT_TRUE(
        shown.waitFor([&] { return keyFigure(kDemandRow, kHourlyColumn) != hourlyBefore; }));
    const auto& hourly = attachment().evaluation().hourlyFigures();
    ASSERT_TRUE(hourly.has_value());
    EXPECT_EQ(keyFigure(kSelfSufficiencyRow, kHourlyColumn),
              QString::fromStdString(evaluation::formatGermanPercent(*hourly->selfSufficiency, 0)));
}

TEST_F(EvaluationWindowTest, StatusLineUnderTheContentShowsTheHourlyShares) {
    QLabel* status = attachment().statusLine();
    ASSERT_TRUE(
        shown.waitFor([&] { return status->text().contains(QStringLiteral("Autarkiegrad")); }));
    EXPECT_TRUE(status->text().startsWith(QStringLiteral("Stundenbilanz: Autarkiegrad ")));
    EXPECT_TRUE(status->text().endsWith(QStringLiteral(" – Details: Klick auf das Diagramm")));
    for (QWidget* child : shown.dialog().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != status && child->isVisible() && child->isWindow() == false) {
            EXPECT_LE(child->geometry().bottom(), status->geometry().top())
                << child->objectName().toStdString();
        }
    }
    EXPECT_EQ(status->geometry().bottom(), shown.dialog().height() - 1);

    const QString before = status->text();
    shown.typeInto(Persons, QStringLiteral("1"));
    shown.dialog().refreshTick();
    EXPECT_TRUE(shown.waitFor([&] { return status->text() != before; }));
}

TEST_F(EvaluationWindowTest, ChangingTheInvestmentUpdatesTheMoneyChart) {
    openWithResult();
    window()->tabs()->setCurrentWidget(window()->moneyPanel());
    QLineSeries* hourly = moneySeries(QStringLiteral("Stundenbilanz"));
    ASSERT_NE(hourly, nullptr);
    const double kWp = attachment().evaluation().hourlyResult()->peakPower_kWp;
    EXPECT_NEAR(hourly->at(0).y(), -1500 * kWp, 1e-6);

    QDoubleSpinBox* investment =
        window()->moneyPanel()->editor(evaluation::InputId::InvestmentPerKWp);
    typeOverEditor(*investment, QStringLiteral("2000"));
    QTest::keyClick(investment, Qt::Key_Tab);
    hourly = moneySeries(QStringLiteral("Stundenbilanz"));
    ASSERT_NE(hourly, nullptr);
    EXPECT_NEAR(hourly->at(0).y(), -2000 * kWp, 1e-6);
    EXPECT_EQ(attachment().evaluation().inputs().investmentPerKWp_EUR, 2000);
    // The data file now carries the changed input.
    EXPECT_NE(attachment().dataFileLines().find("Investition je kWp"), std::string::npos);
}

TEST_F(EvaluationWindowTest, AChangedInputIsAnUnsavedChangeOfTheDataSet) {
    openWithResult();
    ASSERT_TRUE(shown.waitFor([&] { return !shown.dialog().isWindowModified(); }));
    ASSERT_FALSE(shown.dialog().hasUnsavedChanges());
    window()->tabs()->setCurrentWidget(window()->moneyPanel());
    QDoubleSpinBox* years = window()->moneyPanel()->editor(evaluation::InputId::Years);
    typeOverEditor(*years, QStringLiteral("25"));
    QTest::keyClick(years, Qt::Key_Tab);
    // Closing would now ask, and the title shows the mark from the next tick on.
    EXPECT_TRUE(shown.dialog().hasUnsavedChanges());
    EXPECT_TRUE(shown.waitFor([&] { return shown.dialog().isWindowModified(); }));
}

TEST_F(EvaluationWindowTest, OwnBatteryOfTheHourlyBalanceChangesItsFigures) {
    openWithResult();
    InputForm* inputs = window()->batteryInputs();
    window()->tabs()->setCurrentIndex(kBatteryTab);
    QCheckBox* follow = inputs->followBox(evaluation::InputId::BatteryCapacity);
    ASSERT_TRUE(follow->isChecked());
    const double before = attachment().evaluation().hourlyResult()->annual.selfSufficiency;
    QTest::mouseClick(follow, Qt::LeftButton);
    QDoubleSpinBox* battery = inputs->editor(evaluation::InputId::BatteryCapacity);
    ASSERT_TRUE(battery->isEnabled());
    typeOverEditor(*battery, QStringLiteral("10"));
    // The hourly balance with it follows from its worker thread.
    const evaluation::Evaluation& evaluation = attachment().evaluation();
    ASSERT_TRUE(shown.waitFor([&] {
        return !evaluation.pendingHourlyInput() &&
               evaluation.hourlyResult()->batteryCapacity_kWh == 10;
    }));
    EXPECT_GE(evaluation.hourlyResult()->annual.selfSufficiency, before);
    EXPECT_NE(attachment().dataFileLines().find("Speicher Stundenbilanz"), std::string::npos);
    // The main window's battery is another one: the status line names the one it counts with,
    // and the key figures show it.
    EXPECT_TRUE(attachment().statusLine()->text().startsWith(
        QStringLiteral("Stundenbilanz mit 10,0 kWh Speicher der Auswertung: Autarkiegrad ")))
        << attachment().statusLine()->text().toStdString();
    EXPECT_EQ(keyFigure(kBatteryRow, kHourlyColumn), QStringLiteral("10,0 kWh"));
}

// An inverter smaller than the roof, typed in: the energy it cuts off is counted in the key
// figures, and the comparison shows the variants of that installation once its sweep is done.
TEST_F(EvaluationWindowTest, AnInverterTypedInCurtailsAndTheComparisonShowsTheVariants) {
    openWithResult();
    const evaluation::Evaluation& evaluation = attachment().evaluation();
    ASSERT_EQ(evaluation.hourlyResult()->annual.curtailed_kWh, 0);
    // Half the peak power: the roof gives more than that on clear days.
    const double half = std::floor(evaluation.hourlyResult()->peakPower_kWp * 5) / 10;
    QDoubleSpinBox* inverter = window()->gridInputs()->editor(evaluation::InputId::InverterPower);
    typeOverEditor(*inverter, QString::number(half, 'f', 1).replace('.', ','));
    ASSERT_TRUE(shown.waitFor([&] {
        return !evaluation.pendingHourlyInput() && !evaluation.pendingSweep() &&
               evaluation.variants().has_value() &&
               evaluation.hourlyResult()->annual.curtailed_kWh > 0;
    })) << inverter->text().toStdString();
    EXPECT_EQ(evaluation.inputs().inverterPower_kW, half);
    const double curtailed = evaluation.hourlyResult()->annual.curtailed_kWh;
    const QString curtailedText =
        QString::fromStdString(evaluation::formatWithUnit(curtailed, 0, "kWh"));
    bool inKeyFigures = false;
    for (int row = 0; row < window()->keyFigureTable()->rowCount(); ++row) {
        inKeyFigures = inKeyFigures || keyFigure(row, kHourlyColumn).startsWith(curtailedText);
    }
    EXPECT_TRUE(inKeyFigures) << curtailedText.toStdString();

    window()->tabs()->setCurrentWidget(window()->variantsPanel());
    QTableWidget& table = *window()->variantsPanel()->table();
    ASSERT_TRUE(shown.waitFor([&] { return table.rowCount() > 0; }));
    EXPECT_EQ(table.horizontalHeaderItem(1)->text(), QStringLiteral("ohne Speicher"));
    bool curtailedRow = false;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.item(row, 0)->text().startsWith(QStringLiteral("Abgeregelt"))) {
            curtailedRow = true;
            // No battery here: every variant curtails the same.
            EXPECT_TRUE(table.item(row, 2)->text().startsWith(curtailedText))
                << table.item(row, 2)->text().toStdString();
        }
    }
    EXPECT_TRUE(curtailedRow);
    EXPECT_FALSE(window()->variantsPanel()->verdict()->text().isEmpty());
}

TEST_F(EvaluationWindowTest, SizingCurvesAreComputedOffTheGuiThreadWithTheChoiceMarked) {
    openWithResult();
    SizingPanel* sizing = window()->sizingPanel();
    window()->tabs()->setCurrentWidget(sizing);
    ASSERT_TRUE(
        shown.waitFor([&] { return sizing->shownGeneration() != 0 && !sizing->isComputing(); }));
    const evaluation::SizingCurves& curves = sizing->curves();
    ASSERT_EQ(curves.battery.size(), 21u);
    ASSERT_EQ(curves.roof.size(), 12u);
    for (std::size_t i = 1; i < curves.battery.size(); ++i) {
        EXPECT_GE(curves.battery[i].selfSufficiency, curves.battery[i - 1].selfSufficiency - 1e-9);
    }
    const auto series = sizing->batteryView()->chart()->series();
    const bool marked = std::any_of(series.begin(), series.end(), [](QAbstractSeries* s) {
        return s->name().startsWith(QStringLiteral("Aktuelle Wahl"));
    });
    EXPECT_TRUE(marked);
}

TEST_F(EvaluationWindowTest, WindowRemembersItsGeometry) {
    attachment().openWindow();
    window()->resize(1310, 830);
    window()->close();
    ShownMainDialog other;
    useLinkedEvaluationWindow(other.dialog().evaluation());
    other.dialog().evaluation().openWindow();
    EXPECT_EQ(linkedWindow(other.dialog().evaluation())->size(), QSize(1310, 830));
}

}  // namespace
}  // namespace lumetra::test

// SPDX-License-Identifier: GPL-3.0-or-later
// The charts' tooltips in a real Auswertung window: the mouse moves over a bar, a line or a
// point, and the tooltip names the value under it with its unit, in German numbers.
#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QDoubleSpinBox>
#include <QLineSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <functional>

#include "LinkedEvaluationWindow.h"
#include "MainDialogSupport.h"
#include "evaluation/Evaluation.h"
#include "evaluation/GermanNumber.h"
#include "evaluation_ui/InputForm.h"
#include "evaluation_ui/MoneyPanel.h"
#include "evaluation_ui/SizingPanel.h"

namespace lumetra::test {
namespace {

template <typename Series>
Series* seriesNamed(QChart& chart, const QString& name) {
    for (QAbstractSeries* series : chart.series()) {
        if (series->name() == name) {
            return qobject_cast<Series*>(series);
        }
    }
    return nullptr;
}

// A number as the window writes it, with its unit.
QString german(double value, int decimals, const char* unit) {
    return QString::fromStdString(evaluation::formatWithUnit(value, decimals, unit));
}

class EvaluationTooltipsTest : public ::testing::Test {
  protected:
    void TearDown() override { QToolTip::hideText(); }

    // Shows the tab with `view` in a window of its own place on the screen (the mouse goes to
    // the topmost window under it), and waits until the chart has laid out its plot area.
    EvaluationWindow& showChart(QWidget* page, QChartView*& view,
                                const std::function<QChartView*(EvaluationWindow&)>& which) {
        EvaluationWindow& window = openedWindow(shown);
        window.move(shown.dialog().frameGeometry().right() + 40, 20);
        window.resize(1280, 800);
        window.tabs()->setCurrentWidget(page == nullptr ? window.tabs()->widget(0) : page);
        view = which(window);
        EXPECT_TRUE(shown.waitFor([&] {
            return view->isVisible() && view->chart()->plotArea().width() > 100 &&
                   !view->chart()->series().isEmpty();
        }));
        EXPECT_FALSE(window.frameGeometry().intersects(shown.dialog().frameGeometry()));
        return window;
    }

    // Moves the mouse onto `value` of `series` in `view` and waits for a tooltip.
    QString hover(QChartView& view, QAbstractSeries* series, QPointF value) {
        // A chart lays out its plot area from posted events (after a refill, say).
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QChart& chart = *view.chart();
        const QPointF inChart = chart.mapToPosition(value, series);
        const QPoint inViewport = view.mapFromScene(chart.mapToScene(inChart));
        EXPECT_TRUE(view.viewport()->rect().contains(inViewport));
        QTest::mouseMove(view.viewport(), inViewport);
        const bool shownTip =
            shown.waitFor([] { return QToolTip::isVisible() && !QToolTip::text().isEmpty(); });
        return shownTip ? QToolTip::text() : QString();
    }

    // Moves the mouse to an empty corner of the plot area; the tooltip goes.
    bool leave(QChartView& view) {
        QChart& chart = *view.chart();
        const QPointF corner = chart.plotArea().topLeft() + QPointF(3, 3);
        QTest::mouseMove(view.viewport(), view.mapFromScene(chart.mapToScene(corner)));
        return shown.waitFor([] { return !QToolTip::isVisible(); });
    }

    ShownMainDialog shown;
};

TEST_F(EvaluationTooltipsTest, BarOfTheMonthsChartNamesItsMonthAndEnergy) {
    QChartView* view = nullptr;
    showChart(nullptr, view, [](EvaluationWindow& w) { return w.monthsView(); });
    auto* bars = seriesNamed<QBarSeries>(*view->chart(), QString());
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->count(), 3);
    // The middle set of three sits on its category's centre; halfway up its bar is inside it.
    QBarSet* selfUse = bars->barSets().at(1);
    ASSERT_EQ(selfUse->label(), QStringLiteral("Eigenverbrauch (Stundenbilanz)"));
    struct Case {
        int month;
        const char* name;
    };
    for (const Case& c : {Case{5, "Jun"}, Case{11, "Dez"}, Case{2, "Mär"}}) {
        SCOPED_TRACE(c.name);
        const double value = selfUse->at(c.month);
        ASSERT_GT(value, 0);
        const QString tip = hover(*view, bars, QPointF(c.month, value / 2));
        EXPECT_EQ(tip.toStdString(),
                  (QStringLiteral("Eigenverbrauch (Stundenbilanz), ") + QString::fromUtf8(c.name) +
                   QStringLiteral(": ") + german(value, 0, "kWh"))
                      .toStdString());
        ASSERT_TRUE(leave(*view));
    }
}

TEST_F(EvaluationTooltipsTest, FromABarOntoALineTheLineKeepsItsTooltip) {
    QChartView* view = nullptr;
    showChart(nullptr, view, [](EvaluationWindow& w) { return w.monthsView(); });
    QChart& chart = *view->chart();
    auto* bars = seriesNamed<QBarSeries>(chart, QString());
    ASSERT_NE(bars, nullptr);
    QBarSet* selfUse = bars->barSets().at(1);
    QLineSeries* yield = seriesNamed<QLineSeries>(chart, QStringLiteral("Ertrag (Monatsmodell)"));
    ASSERT_NE(yield, nullptr);
    // The month whose monthly-model yield stands highest above the self-use bar under it.
    int month = 0;
    for (int m = 1; m < 12; ++m) {
        if (yield->at(m).y() - selfUse->at(m) > yield->at(month).y() - selfUse->at(month)) {
            month = m;
        }
    }
    const double gap = chart.mapToPosition(QPointF(month, selfUse->at(month)), bars).y() -
                       chart.mapToPosition(yield->at(month), yield).y();
    ASSERT_GT(gap, 15) << "the line's point must lie clear above the bar";

    EXPECT_TRUE(hover(*view, bars, QPointF(month, selfUse->at(month) / 2))
                    .startsWith(QStringLiteral("Eigenverbrauch (Stundenbilanz), ")));
    // Leaving the bar for the line's point must not take the line's tooltip away.
    const QString tip = hover(*view, yield, yield->at(month));
    EXPECT_EQ(tip.toStdString(),
              (QStringLiteral("Ertrag (Monatsmodell), ") +
               QStringList{QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mär"),
                           QStringLiteral("Apr"), QStringLiteral("Mai"), QStringLiteral("Jun"),
                           QStringLiteral("Jul"), QStringLiteral("Aug"), QStringLiteral("Sep"),
                           QStringLiteral("Okt"), QStringLiteral("Nov"), QStringLiteral("Dez")}
                   .at(month) +
               QStringLiteral(": ") + german(yield->at(month).y(), 0, "kWh"))
                  .toStdString());
    // A hidden tooltip goes only after a short delay: it must still be there after it.
    QTest::qWait(600);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text().toStdString(), tip.toStdString());
    ASSERT_TRUE(leave(*view));
}

TEST_F(EvaluationTooltipsTest, LineOfTheDayChartNamesItsTimeAndPower) {
    QChartView* view = nullptr;
    EvaluationWindow& window = showChart(nullptr, view, [](EvaluationWindow& w) {
        w.tabs()->setCurrentIndex(1);
        return w.tabs()->currentWidget()->findChild<QChartView*>(QStringLiteral("juneChart"));
    });
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(window.tabs()->tabText(window.tabs()->currentIndex()),
              QStringLiteral("Juni und Dezember"));
    QLineSeries* pv = seriesNamed<QLineSeries>(*view->chart(), QStringLiteral("PV"));
    ASSERT_NE(pv, nullptr);
    ASSERT_EQ(pv->count(), 96);
    // Noon (the quarter hour 12:00 to 12:15) and then, moving along the same line, 15:30.
    struct Case {
        int quarter;
        const char* clock;
    };
    for (const Case& c : {Case{48, "12:00 Uhr"}, Case{62, "15:30 Uhr"}}) {
        SCOPED_TRACE(c.clock);
        const QPointF point = pv->at(c.quarter);
        ASSERT_GT(point.y(), 0.1);
        const QString tip = hover(*view, pv, point);
        EXPECT_EQ(tip.toStdString(), (QStringLiteral("PV, ") + QString::fromUtf8(c.clock) +
                                      QStringLiteral(": ") + german(point.y(), 2, "kW"))
                                         .toStdString());
    }
    ASSERT_TRUE(leave(*view));
}

TEST_F(EvaluationTooltipsTest, LineOfTheMoneyChartNamesTheYearAndTheSumOfTheTable) {
    QChartView* view = nullptr;
    EvaluationWindow& window = showChart(nullptr, view, [](EvaluationWindow& w) {
        w.tabs()->setCurrentWidget(w.moneyPanel());
        return w.moneyPanel()->chartView();
    });
    QLineSeries* hourly = seriesNamed<QLineSeries>(*view->chart(), QStringLiteral("Stundenbilanz"));
    ASSERT_NE(hourly, nullptr);
    QTableWidget& table = *window.moneyPanel()->yearTable();
    constexpr int kCumulativeColumn = 7;
    // Two years in turn along the same line, one still in debt, one paid back.
    for (int year : {3, 18}) {
        SCOPED_TRACE(year);
        const QString tip = hover(*view, hourly, hourly->at(year));
        EXPECT_EQ(tip.toStdString(), QStringLiteral("Stundenbilanz, Jahr %1: %2 Euro")
                                         .arg(year)
                                         .arg(table.item(year, kCumulativeColumn)->text())
                                         .toStdString());
    }
    ASSERT_TRUE(leave(*view));
}

TEST_F(EvaluationTooltipsTest, SizingCurveNamesTheComputedPointNotTheMousePosition) {
    QChartView* view = nullptr;
    showChart(nullptr, view, [](EvaluationWindow& w) {
        w.tabs()->setCurrentWidget(w.sizingPanel());
        return w.sizingPanel()->batteryView();
    });
    SizingPanel* sizing = nullptr;
    for (QWidget* parent = view; parent != nullptr; parent = parent->parentWidget()) {
        if ((sizing = qobject_cast<SizingPanel*>(parent)) != nullptr) {
            break;
        }
    }
    ASSERT_NE(sizing, nullptr);
    // The curves are computed in the background.
    ASSERT_TRUE(waitForCondition([&] {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return sizing->shownGeneration() != 0 && !sizing->isComputing();
    }));
    QLineSeries* share = seriesNamed<QLineSeries>(*view->chart(), QStringLiteral("Autarkiegrad"));
    ASSERT_NE(share, nullptr);
    ASSERT_GT(share->count(), 6);
    const QPointF point = share->at(5);
    // A few pixels beside and above the point, still on the curve's point.
    QChart& chart = *view->chart();
    const QPointF beside =
        chart.mapToValue(chart.mapToPosition(point, share) + QPointF(4, -4), share);
    const QString tip = hover(*view, share, beside);
    EXPECT_EQ(tip.toStdString(), (QStringLiteral("Autarkiegrad bei ") +
                                  QString::fromStdString(evaluation::formatGerman(point.x(), 1)) +
                                  QStringLiteral(" kWh: ") + german(point.y(), 0, "%"))
                                     .toStdString());
    ASSERT_TRUE(leave(*view));
}

TEST_F(EvaluationTooltipsTest, BatteryBandNamesTheDayAtAnyHeight) {
    QChartView* view = nullptr;
    EvaluationWindow& window = showChart(nullptr, view, [](EvaluationWindow& w) {
        w.tabs()->setCurrentIndex(2);
        return w.tabs()->currentWidget()->findChild<QChartView*>(QStringLiteral("batteryChart"));
    });
    ASSERT_NE(view, nullptr);
    // The hourly balance with a battery of its own, typed in like a user.
    InputForm* inputs = window.batteryInputs();
    QTest::mouseClick(inputs->followBox(evaluation::InputId::BatteryCapacity), Qt::LeftButton);
    QDoubleSpinBox* battery = inputs->editor(evaluation::InputId::BatteryCapacity);
    ASSERT_TRUE(battery->isEnabled());
    typeOverEditor(*battery, QStringLiteral("10"));
    QTest::keyClick(battery, Qt::Key_Tab);
    // The hourly balance with it follows from its worker thread.
    const evaluation::Evaluation& evaluation = shown.dialog().evaluation().evaluation();
    ASSERT_TRUE(shown.waitFor([&] {
        return !evaluation.pendingHourlyInput() &&
               evaluation.hourlyResult()->batteryCapacity_kWh == 10;
    }));
    window.tabs()->setCurrentIndex(2);
    QChart& chart = *view->chart();
    QLineSeries* mean = seriesNamed<QLineSeries>(chart, QStringLiteral("Tagesmittel (kWh)"));
    auto* band = seriesNamed<QAreaSeries>(chart, QStringLiteral("Tagesbereich (kWh)"));
    ASSERT_NE(mean, nullptr);
    ASSERT_NE(band, nullptr);
    ASSERT_EQ(mean->count(), 365);
    // Two pixels a day at least, so that the mouse lands on the day aimed at.
    window.resize(1900, 800);
    ASSERT_TRUE(shown.waitFor([&] { return chart.plotArea().width() > 2 * 365; }))
        << chart.plotArea().width();
    // Day 180, well away from the mean line (but over the band), and then day 300 on the line.
    struct Case {
        int day;
        double height;
    };
    for (const Case& c : {Case{180, 0.0}, Case{300, -1.0}}) {
        SCOPED_TRACE(c.day);
        const int index = c.day - 1;
        const double low = band->lowerSeries()->at(index).y();
        const double high = band->upperSeries()->at(index).y();
        const double meanValue = mean->at(index).y();
        const QPointF at(c.day, c.height < 0 ? meanValue : (low + high) / 2 + 2.5);
        const QString tip = hover(*view, mean, at);
        EXPECT_EQ(tip.toStdString(),
                  QStringLiteral("Tag %1: Mittel %2 kWh, zwischen %3 und %4 kWh")
                      .arg(c.day)
                      .arg(QString::fromStdString(evaluation::formatGerman(meanValue, 1)),
                           QString::fromStdString(evaluation::formatGerman(low, 1)),
                           QString::fromStdString(evaluation::formatGerman(high, 1)))
                      .toStdString());
    }
    ASSERT_TRUE(leave(*view));
}

}  // namespace
}  // namespace lumetra::test

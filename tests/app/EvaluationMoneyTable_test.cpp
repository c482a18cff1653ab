// SPDX-License-Identifier: GPL-3.0-or-later
// The money table year by year in a real Auswertung window: every column as wide as its header
// and its widest cell, scrolling sideways when the room is narrower than the columns.
#include <QChartView>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <algorithm>

#include "LinkedEvaluationWindow.h"
#include "MainDialogSupport.h"
#include "evaluation/Evaluation.h"
#include "evaluation_ui/MoneyPanel.h"

namespace lumetra::test {
namespace {

// The width the widest line of `text` takes in `font`.
int textWidth(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return widest;
}

struct ColumnFit {
    int total = 0;  // the columns' widths added up
    int clipped = 0;
};

// Checks each column against its header's and its cells' text; counts the columns too narrow.
ColumnFit checkColumns(QTableWidget& table) {
    ColumnFit fit;
    for (int c = 0; c < table.columnCount(); ++c) {
        const QString header = table.horizontalHeaderItem(c)->text();
        int needed = textWidth(table.horizontalHeader()->font(), header);
        for (int r = 0; r < table.rowCount(); ++r) {
            if (const QTableWidgetItem* item = table.item(r, c)) {
                needed = std::max(needed, textWidth(table.font(), item->text()));
            }
        }
        const int width = table.columnWidth(c);
        fit.total += width;
        if (width < needed) {
            ++fit.clipped;
            ADD_FAILURE() << "column " << c << " (" << header.toStdString() << ") is " << width
                          << " px wide, its text needs " << needed << " px";
        }
    }
    return fit;
}

class EvaluationMoneyTableTest : public ::testing::Test {
  protected:
    void showMoneyTab(EvaluationWindow& window, QSize size) {
        window.tabs()->setCurrentWidget(window.moneyPanel());
        window.resize(size);
        ASSERT_TRUE(shown.waitFor([&] { return table(window).rowCount() == 21; }));
        // Let the layout and the header settle at the new size.
        shown.waitFor([] { return false; });
    }
    static QTableWidget& table(EvaluationWindow& window) {
        return *window.moneyPanel()->yearTable();
    }

    ShownMainDialog shown;
};

TEST_F(EvaluationMoneyTableTest, AtTheDefaultSizeEveryColumnIsWholeWithoutScrolling) {
    EvaluationWindow& window = openedWindow(shown);
    showMoneyTab(window, QSize(1280, 800));
    QTableWidget& years = table(window);
    ASSERT_TRUE(years.isVisible());
    const ColumnFit fit = checkColumns(years);
    EXPECT_EQ(fit.clipped, 0);
    // The units stay in the headers.
    EXPECT_TRUE(years.horizontalHeaderItem(2)->text().contains(QStringLiteral("(Euro/kWh)")));
    EXPECT_LE(fit.total, years.viewport()->width());
    EXPECT_EQ(years.horizontalScrollBar()->maximum(), 0);
    EXPECT_FALSE(years.horizontalScrollBar()->isVisible());
}

TEST_F(EvaluationMoneyTableTest, AtTheSmallestSizeTheRestOfThePanelStaysInSight) {
    EvaluationWindow& window = openedWindow(shown);
    showMoneyTab(window, QSize(200, 200));
    // The window keeps a usable minimum instead of squeezing the panel.
    MoneyPanel& money = *window.moneyPanel();
    EXPECT_EQ(checkColumns(table(window)).clipped, 0);
    for (QWidget* part :
         {static_cast<QWidget*>(money.resultTable()), static_cast<QWidget*>(money.chartView()),
          static_cast<QWidget*>(money.editor(evaluation::InputId::Years)),
          static_cast<QWidget*>(money.followMainBattery())}) {
        ASSERT_TRUE(part->isVisible()) << part->objectName().toStdString();
        EXPECT_GE(part->width(), part->minimumSizeHint().width())
            << part->metaObject()->className();
        EXPECT_GE(part->height(), part->minimumSizeHint().height())
            << part->metaObject()->className();
        // Wholly inside the panel, not cut off at its edges.
        const QRect inPanel(part->mapTo(&money, QPoint(0, 0)), part->size());
        EXPECT_TRUE(money.rect().contains(inPanel)) << part->metaObject()->className();
    }
    // Every result is on show whole, with no scrolling.
    QTableWidget& results = *money.resultTable();
    EXPECT_EQ(checkColumns(results).clipped, 0);
    EXPECT_EQ(results.verticalScrollBar()->maximum(), 0);
    // The year table still shows its header and some years.
    QTableWidget& years = table(window);
    EXPECT_GE(years.viewport()->height(), 3 * years.rowHeight(1));
}

TEST_F(EvaluationMoneyTableTest, ColumnsWiderThanTheRoomScrollSideways) {
    EvaluationWindow& window = openedWindow(shown);
    // The whole panel takes the room the year table needs at the usual font; a larger font in
    // the table alone makes its columns wider than the smallest window gives it.
    QTableWidget& years = table(window);
    const QFont usual = years.font();
    QFont large = usual;
    large.setPointSizeF(large.pointSizeF() * 2.2);
    years.setFont(large);
    showMoneyTab(window, window.minimumSizeHint());
    const ColumnFit fit = checkColumns(years);
    EXPECT_EQ(fit.clipped, 0);
    ASSERT_GT(fit.total, years.viewport()->width());
    EXPECT_TRUE(years.horizontalScrollBar()->isVisible());
    EXPECT_EQ(years.horizontalScrollBar()->maximum(), fit.total - years.viewport()->width());
    // Scrolled to the end, the last column is wholly in sight.
    years.horizontalScrollBar()->setValue(years.horizontalScrollBar()->maximum());
    const int last = years.columnCount() - 1;
    EXPECT_LE(years.columnViewportPosition(last) + years.columnWidth(last),
              years.viewport()->width());

    // With the usual font and a large window, the scroll bar goes.
    years.setFont(usual);
    showMoneyTab(window, QSize(1600, 900));
    EXPECT_EQ(checkColumns(years).clipped, 0);
    EXPECT_EQ(years.horizontalScrollBar()->maximum(), 0);
}

}  // namespace
}  // namespace lumetra::test

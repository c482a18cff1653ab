// SPDX-License-Identifier: GPL-3.0-or-later
// The money table year by year in a real Auswertung window: every column as wide as its header
// and its widest cell, scrolling sideways when the room is narrower than the columns. The tests
// measure against the fonts they find and make the room themselves, so that neither the fonts
// installed nor the screen decide the outcome.
#include <QChartView>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLayout>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <algorithm>

#include "LinkedEvaluationWindow.h"
#include "MainDialogSupport.h"
#include "evaluation/Evaluation.h"
#include "evaluation_ui/InputForm.h"
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

// The columns of `table` too narrow for their header or a cell, named; and their widths added
// up. The widths are measured against the table's own font, whatever font that is.
struct ColumnFit {
    int total = 0;
    QStringList clipped;
};

ColumnFit fitOf(const QTableWidget& table) {
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
            fit.clipped << QStringLiteral("column %1 (%2) is %3 px wide, its text needs %4 px")
                               .arg(c)
                               .arg(header.simplified())
                               .arg(width)
                               .arg(needed);
        }
    }
    return fit;
}

// Whether the table scrolls sideways exactly by what its columns need beyond its room.
bool scrollsByTheOverflow(const QTableWidget& table) {
    const int overflow = std::max(0, fitOf(table).total - table.viewport()->width());
    const QScrollBar& bar = *table.horizontalScrollBar();
    return bar.maximum() == overflow && bar.isVisible() == (overflow > 0);
}

class EvaluationMoneyTableTest : public ::testing::Test {
  protected:
    // Shows the money tab in a window of `size` and waits until the years are in the table
    // and its columns and scroll bar have followed them (layouts run from posted events).
    void showMoneyTab(EvaluationWindow& window, QSize size) {
        window.tabs()->setCurrentWidget(window.moneyPanel());
        window.resize(size);
        waitUntilSettled(table(window));
    }
    void waitUntilSettled(QTableWidget& years) {
        ASSERT_TRUE(shown.waitFor([&] {
            return years.isVisible() && years.rowCount() == 21 && fitOf(years).clipped.isEmpty() &&
                   scrollsByTheOverflow(years);
        })) << fitOf(years).clipped.join(QLatin1Char('\n')).toStdString();
    }
    static QTableWidget& table(EvaluationWindow& window) {
        return *window.moneyPanel()->yearTable();
    }

    ShownMainDialog shown;
};

TEST_F(EvaluationMoneyTableTest, AtTheDefaultSizeTheTableSpansThePanelWithEveryColumnWhole) {
    EvaluationWindow& window = openedWindow(shown);
    showMoneyTab(window, QSize(1280, 800));
    QTableWidget& years = table(window);
    EXPECT_EQ(fitOf(years).clipped, QStringList());
    // The units stay in the headers.
    EXPECT_TRUE(years.horizontalHeaderItem(2)->text().contains(QStringLiteral("(Euro/kWh)")));
    // The table has all the panel's width to offer its columns.
    const MoneyPanel& money = *window.moneyPanel();
    const QRect room = money.contentsRect().marginsRemoved(money.layout()->contentsMargins());
    EXPECT_EQ(years.width(), room.width());
}

TEST_F(EvaluationMoneyTableTest, AtTheSmallestSizeTheRestOfThePanelStaysInSight) {
    EvaluationWindow& window = openedWindow(shown);
    // The window keeps a usable minimum instead of squeezing the panel.
    showMoneyTab(window, QSize(200, 200));
    MoneyPanel& money = *window.moneyPanel();
    const QList<QWidget*> parts{money.resultTable(), money.chartView(),
                                money.editor(evaluation::InputId::Years),
                                money.inputs()->followBox(evaluation::InputId::FeedInTariff)};
    // What is wrong with a part, or nothing once the layout has settled.
    const auto problemsOf = [&money](const QWidget* part) {
        QStringList problems;
        const QString name = QString::fromLatin1(part->metaObject()->className());
        if (!part->isVisible()) {
            problems << name + QStringLiteral(" is hidden");
        }
        if (part->width() < part->minimumSizeHint().width() ||
            part->height() < part->minimumSizeHint().height()) {
            problems << name + QStringLiteral(" is smaller than its smallest size");
        }
        // Wholly inside the panel, not cut off at its edges.
        if (!money.rect().contains(QRect(part->mapTo(&money, QPoint(0, 0)), part->size()))) {
            problems << name + QStringLiteral(" reaches beyond the panel");
        }
        return problems;
    };
    QTableWidget& results = *money.resultTable();
    const auto problems = [&] {
        QStringList all;
        for (const QWidget* part : parts) {
            all << problemsOf(part);
        }
        // Every result is on show whole, with no scrolling.
        all << fitOf(results).clipped;
        if (results.verticalScrollBar()->maximum() != 0) {
            all << QStringLiteral("the results scroll");
        }
        return all;
    };
    shown.waitFor([&] { return problems().isEmpty(); });
    EXPECT_EQ(problems(), QStringList());
    // The year table still shows its header and some years.
    QTableWidget& years = table(window);
    EXPECT_GE(years.viewport()->height(), 3 * years.rowHeight(1));
}

TEST_F(EvaluationMoneyTableTest, ColumnsWiderThanTheRoomScrollSideways) {
    EvaluationWindow& window = openedWindow(shown);
    showMoneyTab(window, QSize(1280, 800));
    QTableWidget& years = table(window);
    const int columns = fitOf(years).total;
    // The test makes the room itself: the table gets half the width its columns take, whatever
    // font and screen they were measured with.
    const int frame = years.width() - years.viewport()->width();
    years.setFixedWidth(columns / 2 + frame);
    waitUntilSettled(years);
    ASSERT_LT(years.viewport()->width(), columns);
    EXPECT_TRUE(years.horizontalScrollBar()->isVisible());
    EXPECT_EQ(years.horizontalScrollBar()->maximum(), columns - years.viewport()->width());
    // Scrolled to the end, the last column is wholly in sight.
    years.horizontalScrollBar()->setValue(years.horizontalScrollBar()->maximum());
    const int last = years.columnCount() - 1;
    EXPECT_EQ(years.columnViewportPosition(last) + years.columnWidth(last),
              years.viewport()->width());

    // With room for every column, the scroll bar goes.
    years.setFixedWidth(columns + frame + years.verticalScrollBar()->sizeHint().width());
    waitUntilSettled(years);
    EXPECT_GE(years.viewport()->width(), columns);
    EXPECT_EQ(years.horizontalScrollBar()->maximum(), 0);
    EXPECT_FALSE(years.horizontalScrollBar()->isVisible());
}

}  // namespace
}  // namespace lumetra::test

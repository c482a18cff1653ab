// SPDX-License-Identifier: GPL-3.0-or-later
// The main dialog on scaled screens. The scale factor must be set before the application
// object exists, so each factor runs this very program once more as a child process with
// QT_SCALE_FACTOR set; the child runs the ScaledDialog cases, which check the layout, the texts
// and the sharpness of the pictures at that factor.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>

#include "MainDialogSupport.h"
#include "app/AppResources.h"
#include "app/ControlIds.h"
#include "app/HelpPictures.h"
#include "app/ImageConversion.h"
#include "app/StaticText.h"
#include "energy/ModuleFieldColumns.h"
#include "energy/MonthlyChart.h"
#include "support/Resample.h"
#include "test_support/TestSupport.h"
#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra::test {
namespace {

constexpr char kChildVariable[] = "LUMETRA_SCALED_CHILD";
constexpr int kChildCaseCount = 6;

std::set<QRgb> coloursOf(const QImage& image) {
    std::set<QRgb> colours;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            colours.insert(rgb.pixel(x, y));
        }
    }
    return colours;
}

std::string describe(const QWidget* widget) {
    const QString text = [widget] {
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            return label->text();
        }
        if (const auto* staticText = qobject_cast<const StaticText*>(widget)) {
            return staticText->text();
        }
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            return button->text();
        }
        return QString();
    }();
    return std::string(widget->metaObject()->className()) + " " +
           std::to_string(controlId(widget)) + " \"" + text.left(30).toStdString() + "\"";
}

// ---- the child: one scale factor ------------------------------------------------------------

class ScaledDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty(kChildVariable)) {
            GTEST_SKIP() << "runs in a child process started by ScaleFactors";
        }
        scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
        ASSERT_GT(scale, 0);
        shown.emplace();
    }

    CLumetraDlg& dialog() { return shown->dialog(); }
    QLabel* picture(int id) { return qobject_cast<QLabel*>(findControl(&dialog(), id)); }

    double scale = 1;
    std::optional<ShownMainDialog> shown;
};

TEST_F(ScaledDialog, RunsAtTheScaleFactor) {
    EXPECT_DOUBLE_EQ(dialog().devicePixelRatioF(), scale);
    const QPixmap grabbed = dialog().grab();
    EXPECT_DOUBLE_EQ(grabbed.devicePixelRatio(), scale);
    EXPECT_EQ(grabbed.size(), devicePixelSize(dialog().size(), scale));
    if (const QByteArray dir = qgetenv("LUMETRA_SHOT_DIR"); !dir.isEmpty()) {
        ASSERT_TRUE(shown->waitFor(
            [&] { return dialog().hasChart() && dialog().focusHelp().shownHelpIndex() >= 0; }));
        dialog().grab().save(QString::fromLocal8Bit(dir) +
                             QStringLiteral("/scaled-%1.png").arg(scale));
    }
}

TEST_F(ScaledDialog, VisibleControlsDoNotOverlap) {
    // The pictures take the size of their pixmaps, so they are checked here after they show.
    ASSERT_TRUE(shown->waitFor([&] { return dialog().hasChart(); }));
    std::vector<QWidget*> controls;
    for (QWidget* child : dialog().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isVisibleTo(&dialog()) && qobject_cast<QGroupBox*>(child) == nullptr) {
            controls.push_back(child);
        }
    }
    ASSERT_GT(controls.size(), 150u);
    for (size_t i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(dialog().rect().contains(controls[i]->geometry())) << describe(controls[i]);
        for (size_t j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << describe(controls[i]) << " and " << describe(controls[j]);
        }
    }
}

TEST_F(ScaledDialog, EveryTextFitsItsControl) {
    for (const ShownText& shownText : shownTexts(dialog())) {
        const QWidget* label = shownText.widget;
        if (shownText.wraps || !label->isVisibleTo(&dialog())) {
            continue;
        }
        EXPECT_LE(label->fontMetrics().horizontalAdvance(shownText.text), label->width())
            << describe(label);
        EXPECT_GE(label->height(), label->fontMetrics().height()) << describe(label);
    }
    for (const QCheckBox* box : dialog().findChildren<QCheckBox*>()) {
        if (box->isVisibleTo(&dialog())) {
            EXPECT_GE(box->width(), box->sizeHint().width()) << describe(box);
        }
    }
    // A push button's size hint has a style minimum; what matters is that the text fits the
    // area the style draws it in.
    for (const QPushButton* button : dialog().findChildren<QPushButton*>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), contents.width())
            << describe(button);
    }
    const CTreeListCtrl* table = dialog().tableControl();
    const QHeaderView* header = table->findChild<QHeaderView*>();
    ASSERT_NE(header, nullptr);
    for (int column = ColumnWidth; column <= ColumnYield; ++column) {
        const QString title = header->model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_LT(header->fontMetrics().horizontalAdvance(title), table->GetColumnWidth(column))
            << title.toStdString();
    }
}

TEST_F(ScaledDialog, HelpPictureIsDrawnInDevicePixels) {
    CTreeListCtrl* table = dialog().tableControl();
    table->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(table->SetFocusCell(table->GetNextItem(TVI_ROOT, TLGN_NEXTINLIST), ColumnAzimuth));
    ASSERT_TRUE(shown->waitFor([&] { return dialog().focusHelp().shownHelpIndex() == 45; }));

    QLabel* label = picture(kHelpPictureId);
    const QPixmap pixmap = label->pixmap();
    ASSERT_FALSE(pixmap.isNull());
    EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), scale);
    EXPECT_EQ(pixmap.size(), devicePixelSize(dialog().helpPictureArea(), scale));
    EXPECT_EQ(label->size(), dialog().helpPictureArea()) << "the label stays in its area";
    // Nearest-neighbour scaling only repeats the picture's own pixels; a stretched, smoothed
    // picture would bring in blends of them.
    const std::set<QRgb> source = coloursOf(loadHelpBitmap(142));
    for (const QRgb colour : coloursOf(pixmap.toImage())) {
        ASSERT_EQ(source.count(colour), 1u) << "colour " << std::hex << colour;
    }
    // And what the screen shows holds the picture at full resolution.
    const QPixmap shownPixels = label->grab();
    EXPECT_EQ(shownPixels.size(), devicePixelSize(label->size(), scale));
    EXPECT_EQ(shownPixels.toImage().convertToFormat(QImage::Format_RGB32),
              pixmap.toImage().convertToFormat(QImage::Format_RGB32));
}

TEST_F(ScaledDialog, ChartIsEnlargedByAWholeFactor) {
    ASSERT_TRUE(shown->waitFor([&] { return dialog().hasChart(); }));
    QLabel* label = picture(kChartPictureId);
    const QPixmap pixmap = label->pixmap();
    ASSERT_FALSE(pixmap.isNull());
    const int factor = static_cast<int>(std::ceil(scale - 1e-3));
    const QSize area = dialog().chartArea();
    EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), factor);
    EXPECT_EQ(pixmap.size(), area * factor);
    EXPECT_EQ(label->size(), area);
    // The chart the core draws at the area's size, each pixel repeated factor x factor times:
    // its pixel font keeps the height it has at factor 1.
    const Image24 logical =
        drawMonthlyChart(dialog().calculator().state().figures, area.width(), area.height());
    const QImage enlarged =
        toQImage(resampleNearest(logical, area.width() * factor, area.height() * factor));
    EXPECT_EQ(pixmap.toImage().convertToFormat(QImage::Format_RGB32),
              enlarged.convertToFormat(QImage::Format_RGB32));
    if (factor == scale) {
        // At a whole factor the screen shows those pixels one to one.
        const QPixmap shownPixels = label->grab();
        EXPECT_EQ(shownPixels.toImage().convertToFormat(QImage::Format_RGB32),
                  pixmap.toImage().convertToFormat(QImage::Format_RGB32));
    }
}

TEST_F(ScaledDialog, TableColumnsKeepTheirWeights) {
    const CTreeListCtrl* table = dialog().tableControl();
    EXPECT_EQ(table->GetColumnWidth(0), 0);
    const int width = table->GetColumnWidth(ColumnWidth);
    int sum = 0;
    for (int column = ColumnWidth; column <= ColumnYield; ++column) {
        sum += table->GetColumnWidth(column);
        if (column < ColumnYield) {
            EXPECT_NEAR(table->GetColumnWidth(column), width, 1) << "column " << column;
        }
    }
    EXPECT_NEAR(table->GetColumnWidth(ColumnYield) * 2, width * 3, 3) << "60 against 40";
    EXPECT_NEAR(sum, table->viewport()->width(), 7) << "the columns fill the table";
}

// ---- the parent: one child per scale factor --------------------------------------------------

struct ScaleCase {
    const char* name;
    const char* factor;
};

class ScaleFactors : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleFactors, DialogPasses) {
    if (!qEnvironmentVariableIsEmpty(kChildVariable)) {
        GTEST_SKIP() << "already a child";
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildVariable), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(GetParam().factor));
    // A screen on which the dialog fits also at twice the size, so that it is not scrolled.
    environment.insert(
        QStringLiteral("QT_QPA_PLATFORM"),
        QStringLiteral("offscreen:configfile=" LUMETRA_SOURCE_DIR "/tests/offscreen-desktop.json"));
    environment.remove(QStringLiteral("QT_SCREEN_SCALE_FACTORS"));
    const TemporaryFolder folder;
    giveOwnHome(environment, folder.path());
    const ChildTestRun child = runTestsInChild(environment, QStringLiteral("ScaledDialog.*"));
    expectChildPassed(child, kChildCaseCount);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScaleFactors,
                         ::testing::Values(ScaleCase{"One", "1"}, ScaleCase{"OneAndAHalf", "1.5"},
                                           ScaleCase{"Two", "2"}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace lumetra::test

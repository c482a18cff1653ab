// SPDX-License-Identifier: GPL-3.0-or-later
// The exports of the Auswertung window and its inputs in the data file, through the window.
#include <QChart>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "DataSetThroughDialogs.h"
#include "FileDialogSupport.h"
#include "LinkedEvaluationWindow.h"
#include "MainDialogSupport.h"
#include "ModalDriver.h"
#include "PdfToolSupport.h"
#include "app/ControlIds.h"
#include "evaluation/Evaluation.h"
#include "evaluation/GermanNumber.h"
#include "evaluation_ui/ChartExport.h"
#include "evaluation_ui/MoneyPanel.h"
#include "persistence/DataFileReader.h"
#include "test_support/TestSupport.h"

namespace lumetra::test {
namespace {

constexpr int kLoadButtonId = 1104;
constexpr int kSaveButtonId = 1105;

class EvaluationExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        useLinkedEvaluationWindow(shown.dialog().evaluation());
        shown.dialog().evaluation().openWindow();
        // The climate tables are read in the background and taken up by a refresh tick.
        ASSERT_TRUE(shown.waitFor([&] { return evaluation().hourlyResult() != nullptr; }));
    }
    EvaluationWindow& window() { return *linkedWindow(shown.dialog().evaluation()); }
    const evaluation::Evaluation& evaluation() { return shown.dialog().evaluation().evaluation(); }

    ShownMainDialog shown;
    TemporaryFolder folder;
};

// The window writes the German layout (";" and a decimal comma) unless asked for the English
// one; either sums to the annual figures.
TEST_F(EvaluationExportTest, CsvHasEveryQuarterHourAndSumsToTheAnnualFiguresInBothLayouts) {
    struct Layout {
        const char* name;
        bool english;
        char separator;
    };
    for (const Layout& layout : {Layout{"german", false, ';'}, Layout{"english", true, ','}}) {
        SCOPED_TRACE(layout.name);
        const auto path = folder.path() / "stunden.csv";
        ASSERT_TRUE(window().exportCsv(qPath(path), layout.english));
        std::ifstream in(path);
        const auto cells = [&](const std::string& line) {
            std::vector<std::string> split;
            for (std::size_t start = 0; start <= line.size();) {
                const std::size_t end = line.find(layout.separator, start);
                std::string cell = line.substr(start, end - start);
                // A German decimal comma reads as the point.
                std::replace(cell.begin(), cell.end(), ',', '.');
                split.push_back(cell);
                start = end == std::string::npos ? line.size() + 1 : end + 1;
            }
            return split;
        };
        std::string header;
        ASSERT_TRUE(std::getline(in, header));
        const std::vector<std::string> names = cells(header);
        const auto column = [&](const std::string& name) {
            return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) -
                                            names.begin());
        };
        const std::size_t yieldColumn = column("yield_kWh");
        const std::size_t demandColumn = column("demand_kWh");
        ASSERT_LT(yieldColumn, names.size()) << header;
        ASSERT_LT(demandColumn, names.size()) << header;

        int lines = 0;
        double yield = 0;
        double demand = 0;
        for (std::string line; std::getline(in, line);) {
            ++lines;
            const std::vector<std::string> row = cells(line);
            ASSERT_EQ(row.size(), names.size()) << line;
            yield += readDecimalNumber(row[yieldColumn]);
            demand += readDecimalNumber(row[demandColumn]);
        }
        EXPECT_EQ(lines, 35040);
        const simulation::FlowSums& annual = evaluation().hourlyResult()->annual;
        EXPECT_TRUE(nearRelative(yield, annual.yield_kWh, 1e-4));
        EXPECT_TRUE(nearRelative(demand, annual.demand_kWh, 1e-4));
    }
}

// Whether an SVG drawing scales anything by different factors across and up (a stretched
// chart).
bool stretches(const QByteArray& svg) {
    static const QRegularExpression matrix(
        QStringLiteral("matrix\\(([-0-9.e]+),([-0-9.e]+),([-0-9.e]+),([-0-9.e]+)"));
    for (auto match = matrix.globalMatch(QString::fromUtf8(svg)); match.hasNext();) {
        const auto m = match.next();
        const double across = std::hypot(m.captured(1).toDouble(), m.captured(2).toDouble());
        const double up = std::hypot(m.captured(3).toDouble(), m.captured(4).toDouble());
        if (std::abs(across - up) > 1e-3 * std::max(across, up)) {
            return true;
        }
    }
    return false;
}

TEST_F(EvaluationExportTest, PngAndSvgKeepTheChartsProportionsAtAnySizeChosen) {
    // As shown: the chart's own size.
    window().tabs()->setCurrentIndex(0);
    const QSizeF shownMonths = window().currentCharts().value(0)->size();
    const auto png = folder.path() / "monate.png";
    ASSERT_TRUE(window().exportPng(qPath(png)));
    const QImage image(qPath(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), shownMonths.toSize());

    // Only a width chosen: the height in the chart's proportions.
    window().exportWidth()->setValue(1600);
    ASSERT_TRUE(window().exportPng(qPath(png)));
    const QImage wide(qPath(png));
    EXPECT_EQ(wide.width(), 1600);
    EXPECT_NEAR(wide.height(), 1600 * shownMonths.height() / shownMonths.width(), 1);

    // June and December side by side, each at a size chosen unlike the screen's: laid out for
    // it, nothing stretched.
    window().exportWidth()->setValue(1200);
    window().exportHeight()->setValue(300);
    window().tabs()->setCurrentIndex(1);
    const auto days = folder.path() / "tage.svg";
    ASSERT_TRUE(window().exportSvg(qPath(days)));
    QSvgRenderer svg(qPath(days));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox().size(), QSize(2400, 300));
    QFile text(qPath(days));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QByteArray drawing = text.readAll();
    EXPECT_TRUE(drawing.contains("Mittlerer Tag im Juni"));
    EXPECT_FALSE(stretches(drawing));
}

TEST_F(EvaluationExportTest, PdfReportFromTheButtonHasNumberedPagesAndTheKeyFiguresAsText) {
    const auto pdf = folder.path() / "bericht.pdf";
    {
        ModalDriver driver;
        driver.then<QFileDialog>([&](QFileDialog* dialog) {
            EXPECT_TRUE(dialog->selectedFiles().value(0).endsWith(
                QStringLiteral("lumetra-auswertung.pdf")));
            dialog->selectFile(qPath(pdf));
            static_cast<QDialog*>(dialog)->accept();
        });
        QTest::mouseClick(window().exportButton(3), Qt::LeftButton);
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    ASSERT_TRUE(std::filesystem::exists(pdf));
    const auto contents = readPdf(pdf);
    if (!contents) {
        GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext) are not installed";
    }
    const QString* text = &contents->text;
    EXPECT_TRUE(pagesAreNumbered(*contents, 1, pdfPageCount(*contents))) << text->toStdString();
    const auto& hourly = evaluation().hourlyFigures();
    ASSERT_TRUE(hourly.has_value());
    for (const QString& expected :
         {QStringLiteral("Kennzahlen"), QStringLiteral("Autarkiegrad"),
          QStringLiteral("Modulfelder"), QStringLiteral("Wirtschaftlichkeit"),
          QStringLiteral("Investition je kWp"),
          QString::fromStdString(evaluation::formatWithUnit(hourly->yield_kWh, 0, "kWh")),
          QString::fromStdString(evaluation::formatGermanPercent(*hourly->selfSufficiency, 0)),
          QString::fromStdString(
              evaluation::formatWithUnit(evaluation().monthlyFigures().yield_kWh, 0, "kWh"))}) {
        EXPECT_TRUE(text->contains(expected)) << expected.toStdString();
    }
}

TEST_F(EvaluationExportTest, FileNamesAreOfferedFromTheDataFile) {
    EXPECT_EQ(charts::offeredExportName(QStringLiteral("/daten/haus.lumet"),
                                        QStringLiteral("auswertung"), QStringLiteral("pdf")),
              QStringLiteral("/daten/haus-auswertung.pdf"));
    EXPECT_TRUE(window()
                    .offeredName(QStringLiteral("stunden"), QStringLiteral("csv"))
                    .endsWith(QStringLiteral("lumetra-stunden.csv")));
}

TEST_F(EvaluationExportTest, InputsTravelThroughSaveAndLoad) {
    QDoubleSpinBox* years = window().moneyPanel()->editor(evaluation::InputId::Years);
    typeOverEditor(*years, QStringLiteral("25"));
    ASSERT_EQ(evaluation().inputs().years, 25);

    const auto file = folder.path() / "anlage.lumet";
    ASSERT_EQ(saveThroughDialog(shown, file), "");
    ShownMainDialog other;
    {
        const LoadedThroughDialog loaded = loadThroughDialog(other, file);
        ASSERT_TRUE(loaded.fileChosen);
        EXPECT_TRUE(loaded.message.isEmpty()) << loaded.message.toStdString();
    }
    EXPECT_EQ(other.dialog().evaluation().evaluation().inputs().years, 25);
    EXPECT_EQ(linkedWindow(other.dialog().evaluation())
                  ->moneyPanel()
                  ->editor(evaluation::InputId::Years)
                  ->value(),
              25);
    // The PDF offered now takes the data file's name.
    EXPECT_EQ(linkedWindow(other.dialog().evaluation())
                  ->offeredName(QStringLiteral("auswertung"), QStringLiteral("pdf")),
              qPath(folder.path() / "anlage-auswertung.pdf"));
}

}  // namespace
}  // namespace lumetra::test

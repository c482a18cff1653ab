// SPDX-License-Identifier: GPL-3.0-or-later
// The exports of the Auswertung window and its inputs in the data file, through the window.
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QPushButton>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

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

TEST_F(EvaluationExportTest, CsvHasEveryQuarterHourAndSumsToTheAnnualFigures) {
    const auto path = folder.path() / "stunden.csv";
    ASSERT_TRUE(window().exportCsv(qPath(path)));
    std::ifstream in(path);
    std::string header;
    ASSERT_TRUE(std::getline(in, header));
    // The columns by name, so that the test does not depend on their order.
    std::vector<std::string> names;
    for (std::size_t start = 0; start <= header.size();) {
        const std::size_t comma = header.find(',', start);
        names.push_back(header.substr(start, comma - start));
        start = comma == std::string::npos ? header.size() + 1 : comma + 1;
    }
    const auto column = [&](const std::string& name) {
        return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
    };
    const int yieldColumn = column("yield_kWh");
    const int demandColumn = column("demand_kWh");
    ASSERT_LT(yieldColumn, static_cast<int>(names.size())) << header;
    ASSERT_LT(demandColumn, static_cast<int>(names.size())) << header;

    int lines = 0;
    double yield = 0;
    double demand = 0;
    for (std::string line; std::getline(in, line);) {
        ++lines;
        int index = 0;
        std::size_t start = 0;
        while (start <= line.size()) {
            const std::size_t comma = line.find(',', start);
            const std::string cell = line.substr(start, comma - start);
            if (index == yieldColumn) {
                yield += readDecimalNumber(cell);
            } else if (index == demandColumn) {
                demand += readDecimalNumber(cell);
            }
            ++index;
            start = comma == std::string::npos ? line.size() + 1 : comma + 1;
        }
    }
    EXPECT_EQ(lines, 35040);
    const simulation::FlowSums& annual = evaluation().hourlyResult()->annual;
    EXPECT_TRUE(nearRelative(yield, annual.yield_kWh, 1e-4));
    EXPECT_TRUE(nearRelative(demand, annual.demand_kWh, 1e-4));
}

TEST_F(EvaluationExportTest, PngAndSvgOfTheChartsOnShowParse) {
    const auto png = folder.path() / "monate.png";
    window().tabs()->setCurrentIndex(0);
    ASSERT_TRUE(window().exportPng(qPath(png)));
    const QImage image(qPath(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(900, 520));

    // June and December side by side.
    window().tabs()->setCurrentIndex(1);
    const auto days = folder.path() / "tage.svg";
    ASSERT_TRUE(window().exportSvg(qPath(days)));
    QSvgRenderer svg(qPath(days));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox().size(), QSize(1800, 520));
    QFile text(qPath(days));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(text.readAll().contains("Mittlerer Tag im Juni"));
}

TEST_F(EvaluationExportTest, PdfReportFromTheButtonHasThreePagesAndTheKeyFiguresAsText) {
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
    const QString* info = &contents->info;
    const QString* text = &contents->text;
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\b"))))
        << info->toStdString();
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
    {
        ModalDriver saving;
        saving.then<QFileDialog>([&](QFileDialog* dialog) {
            dialog->selectFile(qPath(file));
            static_cast<QDialog*>(dialog)->accept();
        });
        QTest::mouseClick(qobject_cast<QPushButton*>(findControl(&shown.dialog(), kSaveButtonId)),
                          Qt::LeftButton);
        ASSERT_TRUE(saving.done()) << saving.failure().toStdString();
    }
    ShownMainDialog other;
    useLinkedEvaluationWindow(other.dialog().evaluation());
    other.dialog().evaluation().openWindow();
    {
        ModalDriver loading;
        loading.then<QFileDialog>([&](QFileDialog* dialog) {
            dialog->selectFile(qPath(file));
            static_cast<QDialog*>(dialog)->accept();
        });
        QTest::mouseClick(qobject_cast<QPushButton*>(findControl(&other.dialog(), kLoadButtonId)),
                          Qt::LeftButton);
        ASSERT_TRUE(loading.done()) << loading.failure().toStdString();
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

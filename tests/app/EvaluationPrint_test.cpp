// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the report from a real Auswertung window: the button and the Print shortcut open
// the print dialog, which the tests answer like a user who prints to a PDF file.
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "FileDialogSupport.h"
#include "LinkedEvaluationWindow.h"
#include "MainDialogSupport.h"
#include "ModalDriver.h"
#include "PdfToolSupport.h"
#include "evaluation/Evaluation.h"
#include "evaluation/GermanNumber.h"
#include "test_support/TestSupport.h"

namespace lumetra::test {
namespace {

constexpr int kPrintButton = 4;
constexpr int kYieldRow = 0;
constexpr int kSelfSufficiencyRow = 4;
constexpr int kHourlyColumn = 1;
constexpr int kMonthlyColumn = 2;

// A user's answer to the print dialog: choose printing to a PDF file, type its name and press
// the dialog's print button (key by key, so ASCII names only). Empty, or what was missing.
QString printToPdf(QPrintDialog* dialog, const QString& pdf) {
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    if (printers == nullptr || name == nullptr || buttons == nullptr ||
        buttons->button(QDialogButtonBox::Ok) == nullptr) {
        dialog->reject();
        return QStringLiteral("the print dialog has no printer list, file name or print button");
    }
    const int toFile = printers->findText(QStringLiteral("PDF"), Qt::MatchContains);
    if (toFile < 0) {
        dialog->reject();
        return QStringLiteral("the print dialog offers no printing to a PDF file");
    }
    printers->setCurrentIndex(toFile);
    if (!name->isEnabled()) {
        dialog->reject();
        return QStringLiteral("the file name cannot be typed");
    }
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, pdf);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    return {};
}

class EvaluationPrintTest : public ::testing::Test {
  protected:
    void SetUp() override { QStandardPaths::setTestModeEnabled(true); }

    // Waits until the window shows the hourly balance's key figures.
    void waitForFigures(EvaluationWindow& window) {
        ASSERT_TRUE(shown.waitFor([&] {
            const QTableWidgetItem* item = window.keyFigureTable()->item(kYieldRow, kHourlyColumn);
            return item != nullptr &&
                   item->text() != QString::fromUtf8(evaluation::kNoFigure.data());
        }));
    }

    // Checks the printed file: the report's numbered pages with the figures the window shows.
    void expectReport(EvaluationWindow& window, const std::filesystem::path& pdf) {
        ASSERT_TRUE(std::filesystem::exists(pdf));
        EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
        const auto contents = readPdf(pdf);
        if (!contents) {
            GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext) are not installed";
        }
        const QString* info = &contents->info;
        const QString* text = &contents->text;
        EXPECT_TRUE(pagesAreNumbered(*contents, 1, pdfPageCount(*contents))) << text->toStdString();
        EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Page size:.*\\(A4\\)"))))
            << info->toStdString();
        QTableWidget& figures = *window.keyFigureTable();
        for (const QString& expected :
             {QStringLiteral("Lumetra – Auswertung"), QStringLiteral("Kennzahlen"),
              QStringLiteral("Diagramme"), QStringLiteral("Wirtschaftlichkeit"),
              figures.item(kYieldRow, kHourlyColumn)->text(),
              figures.item(kYieldRow, kMonthlyColumn)->text(),
              figures.item(kSelfSufficiencyRow, kHourlyColumn)->text()}) {
            EXPECT_TRUE(text->contains(expected)) << expected.toStdString();
        }
    }

    ShownMainDialog shown;
    TemporaryFolder folder;
};

TEST_F(EvaluationPrintTest, ButtonPrintsTheReportToAPdfFile) {
    EvaluationWindow& window = openedWindow(shown);
    waitForFigures(window);
    const auto pdf = folder.path() / "gedruckt.pdf";
    QString title;
    QString answer;
    {
        ModalDriver driver;
        driver.then<QPrintDialog>([&](QPrintDialog* dialog) {
            title = dialog->windowTitle();
            answer = printToPdf(dialog, qPath(pdf));
        });
        QTest::mouseClick(window.exportButton(kPrintButton), Qt::LeftButton);
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    ASSERT_TRUE(answer.isEmpty()) << answer.toStdString();
    EXPECT_EQ(window.exportButton(kPrintButton)->text(), QStringLiteral("Drucken..."));
    EXPECT_EQ(title, QStringLiteral("Drucken"));
    expectReport(window, pdf);
}

TEST_F(EvaluationPrintTest, PrintShortcutPrintsTheReport) {
    EvaluationWindow& window = openedWindow(shown);
    waitForFigures(window);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window, kPatienceMs));
    const auto pdf = folder.path() / "tastenkuerzel.pdf";
    QString answer;
    {
        ModalDriver driver;
        driver.then<QPrintDialog>(
            [&](QPrintDialog* dialog) { answer = printToPdf(dialog, qPath(pdf)); });
        const QKeySequence print(QKeySequence::Print);
        ASSERT_FALSE(print.isEmpty());
        // The platform's Print key (Ctrl+P on Linux), pressed in the window.
        const QKeyCombination key = print[0];
        QTest::keyClick(&window, key.key(), key.keyboardModifiers());
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    ASSERT_TRUE(answer.isEmpty()) << answer.toStdString();
    expectReport(window, pdf);
}

TEST_F(EvaluationPrintTest, CancellingThePrintDialogWritesNothingAndShowsNoError) {
    EvaluationWindow& window = openedWindow(shown);
    waitForFigures(window);
    const auto pdf = folder.path() / "abgebrochen.pdf";
    {
        // A driver whose steps are used up turns any further dialog (an error message) into
        // a failure.
        ModalDriver driver;
        driver.then<QPrintDialog>([&](QPrintDialog* dialog) {
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"))) {
                name->setText(qPath(pdf));
            }
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            if (buttons != nullptr && buttons->button(QDialogButtonBox::Cancel) != nullptr) {
                QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
            } else {
                ADD_FAILURE() << "the print dialog has no cancel button";
                dialog->reject();
            }
        });
        QTest::mouseClick(window.exportButton(kPrintButton), Qt::LeftButton);
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(EvaluationPrintTest, APageRangeChosenInTheDialogPrintsOnlyThosePages) {
    EvaluationWindow& window = openedWindow(shown);
    waitForFigures(window);
    struct Case {
        const char* name;
        int from;
        int to;
        int pages;
        QStringList present;
        QStringList absent;
    };
    // The default data set's report: the verdict, the assumptions, the key figures, two pages
    // of charts, the money.
    constexpr int kReportPages = 6;
    const Case cases[] = {
        {"money page alone",
         6,
         6,
         1,
         {QStringLiteral("Jahr 0 ist die Investition")},
         {QStringLiteral("Kennzahlen"), QStringLiteral("Diagramme")}},
        {"first two pages",
         1,
         2,
         2,
         {QStringLiteral("Ergebnis"), QStringLiteral("Annahmen der Auswertung")},
         {QStringLiteral("Diagramme"), QStringLiteral("Jahr 0 ist die Investition")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto pdf = folder.path() / (std::string("seiten-") + std::to_string(c.from) + "-" +
                                          std::to_string(c.to) + ".pdf");
        QString answer;
        int highestPage = 0;
        {
            ModalDriver driver;
            driver.then<QPrintDialog>([&](QPrintDialog* dialog) {
                auto* range = dialog->findChild<QRadioButton*>(QStringLiteral("printRange"));
                auto* from = dialog->findChild<QSpinBox*>(QStringLiteral("from"));
                auto* to = dialog->findChild<QSpinBox*>(QStringLiteral("to"));
                if (range == nullptr || from == nullptr || to == nullptr) {
                    answer = QStringLiteral("the print dialog has no page range");
                    dialog->reject();
                    return;
                }
                range->click();
                highestPage = to->maximum();
                to->setValue(c.to);
                from->setValue(c.from);
                answer = printToPdf(dialog, qPath(pdf));
            });
            QTest::mouseClick(window.exportButton(kPrintButton), Qt::LeftButton);
            ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
        }
        ASSERT_TRUE(answer.isEmpty()) << answer.toStdString();
        // The dialog offers the report's own pages.
        EXPECT_EQ(highestPage, kReportPages);
        const auto contents = readPdf(pdf);
        if (!contents) {
            GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext) are not installed";
        }
        const QString* info = &contents->info;
        const QString* text = &contents->text;
        EXPECT_EQ(pdfPageCount(*contents), c.pages) << info->toStdString();
        EXPECT_TRUE(pagesAreNumbered(*contents, c.from, kReportPages)) << text->toStdString();
        for (const QString& expected : c.present) {
            EXPECT_TRUE(text->contains(expected)) << expected.toStdString();
        }
        for (const QString& unexpected : c.absent) {
            EXPECT_FALSE(text->contains(unexpected)) << unexpected.toStdString();
        }
    }
}

}  // namespace
}  // namespace lumetra::test

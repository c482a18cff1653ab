// SPDX-License-Identifier: GPL-3.0-or-later
// "Lastprofil Haushalt" in the Auswertung window: the choice and "Anderer Haushalt" change the
// balance and travel with the data file, a measured year comes in through the import dialog, a
// bad one is refused and changes nothing, and the spread of the simulated homes is shown.
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "DataSetThroughDialogs.h"
#include "FileDialogSupport.h"
#include "LinkedEvaluationWindow.h"
#include "MainDialogSupport.h"
#include "ModalDriver.h"
#include "PdfToolSupport.h"
#include "app/ControlIds.h"
#include "evaluation/Evaluation.h"
#include "evaluation_ui/ChartSupport.h"
#include "evaluation_ui/HouseholdPanel.h"
#include "evaluation_ui/MeasuredLoadDialog.h"
#include "evaluation_ui/SizingPanel.h"
#include "evaluation_ui/SpreadRunner.h"
#include "test_support/TestSupport.h"

namespace lumetra::test {
namespace {

constexpr int kLoadButtonId = 1104;
constexpr int kSaveButtonId = 1105;

using evaluation::HouseholdProfile;

// kWh of each hour of a day: the same day every day, so that the reference year, whichever
// measured days it takes, sums to 365 of them.
double hourOfDay_kWh(int hour) {
    return hour >= 18 && hour < 22 ? 0.9 : (hour >= 7 && hour < 9 ? 0.5 : 0.2);
}

double measuredYear_kWh() {
    double day = 0;
    for (int hour = 0; hour < 24; ++hour) {
        day += hourOfDay_kWh(hour);
    }
    return 365 * day;
}

// An hourly year in German layout from 1 January 2023; `badLine` (1-based, counting the header)
// gets a value that is no number.
void writeMeasuredFile(const std::filesystem::path& path, int badLine = 0) {
    std::ofstream out(path);
    out << "Zeit;Verbrauch [kWh]\n";
    int line = 1;
    for (int month = 1; month <= 12; ++month) {
        static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        for (int day = 1; day <= kDays[month - 1]; ++day) {
            for (int hour = 0; hour < 24; ++hour) {
                ++line;
                char stamp[32];
                std::snprintf(stamp, sizeof stamp, "%02d.%02d.2023 %02d:00", day, month, hour);
                out << stamp << ';';
                if (line == badLine) {
                    out << "1,2,3\n";
                } else {
                    // The decimal comma written by hand: no locale is involved.
                    const int tenths = static_cast<int>(hourOfDay_kWh(hour) * 10 + 0.5);
                    out << "0," << tenths << '\n';
                }
            }
        }
    }
}

class EvaluationHouseholdTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        useLinkedEvaluationWindow(shown.dialog().evaluation());
        shown.dialog().evaluation().openWindow();
        ASSERT_TRUE(settled());
    }
    const evaluation::Evaluation& evaluation() { return shown.dialog().evaluation().evaluation(); }
    EvaluationWindow& window() { return *linkedWindow(shown.dialog().evaluation()); }
    HouseholdPanel& panel() { return *window().householdPanel(); }

    // Waits until the balance and the battery sizes of the current inputs are there.
    bool settled() {
        return shown.waitFor([&] {
            return evaluation().hourlyResult() != nullptr &&
                   !evaluation().pendingHourlyInput().has_value() &&
                   !evaluation().pendingSweep().has_value();
        });
    }
    double selfSufficiency() { return evaluation().hourlyResult()->annual.selfSufficiency; }
    double demand() { return evaluation().hourlyResult()->annual.demand_kWh; }

    // Steps the profile's choice with the arrow keys, as a user does.
    void pressOnChoice(Qt::Key key) {
        panel().choice()->setFocus();
        QTest::keyClick(panel().choice(), key);
    }

    // The key figures' labels.
    QStringList keyFigureLabels() {
        QStringList labels;
        for (int row = 0; row < window().keyFigureTable()->rowCount(); ++row) {
            labels.append(window().keyFigureTable()->item(row, 0)->text());
        }
        return labels;
    }
    bool showsSpread() {
        return keyFigureLabels().contains(QStringLiteral("Autarkiegrad, 30 Haushalte"));
    }

    ShownMainDialog shown;
    TemporaryFolder folder;
};

TEST_F(EvaluationHouseholdTest, TheProfileAndTheOtherHomeChangeTheBalanceAndTravelWithTheFile) {
    ASSERT_EQ(evaluation().inputs().householdProfile, HouseholdProfile::Simulated);
    EXPECT_EQ(panel().choice()->currentText(), QStringLiteral("Einzelhaushalt (simuliert)"));
    EXPECT_TRUE(panel().otherHomeButton()->isEnabled());
    EXPECT_EQ(panel().homeLabel()->text(), QStringLiteral("eigener Haushalt"));
    const double ownHome = selfSufficiency();

    pressOnChoice(Qt::Key_Down);
    ASSERT_EQ(evaluation().inputs().householdProfile, HouseholdProfile::Standard);
    ASSERT_TRUE(settled());
    EXPECT_FALSE(panel().otherHomeButton()->isEnabled());
    // The standard profile is the mean of many homes, smoother than any one of them: a roof
    // covers more of it.
    EXPECT_GT(selfSufficiency(), ownHome);
    const double standard = selfSufficiency();

    pressOnChoice(Qt::Key_Up);
    ASSERT_TRUE(settled());
    EXPECT_EQ(selfSufficiency(), ownHome);  // the same home again, not a new draw

    QTest::mouseClick(panel().otherHomeButton(), Qt::LeftButton);
    EXPECT_EQ(evaluation().inputs().otherHome, 1);
    EXPECT_EQ(panel().homeLabel()->text(), QStringLiteral("Haushalt 1"));
    ASSERT_TRUE(settled());
    EXPECT_NE(selfSufficiency(), ownHome);
    EXPECT_NE(selfSufficiency(), standard);
    const double otherHome = selfSufficiency();

    const auto file = folder.path() / "anlage.lumet";
    ASSERT_EQ(saveThroughDialog(shown, file), "");
    ShownMainDialog other;
    {
        const LoadedThroughDialog loadedFile = loadThroughDialog(other, file);
        ASSERT_TRUE(loadedFile.fileChosen);
        EXPECT_TRUE(loadedFile.message.isEmpty()) << loadedFile.message.toStdString();
    }
    const evaluation::Evaluation& loaded = other.dialog().evaluation().evaluation();
    EXPECT_EQ(loaded.inputs().otherHome, 1);
    EXPECT_EQ(loaded.inputs().householdProfile, HouseholdProfile::Simulated);
    ASSERT_TRUE(other.waitFor([&] {
        return loaded.hourlyResult() != nullptr && !loaded.pendingHourlyInput().has_value();
    }));
    EXPECT_EQ(loaded.hourlyResult()->annual.selfSufficiency, otherHome);
    EXPECT_TRUE(linkedWindow(other.dialog().evaluation())->householdPanel()->homeLabel()->text() ==
                QStringLiteral("Haushalt 1"));
}

TEST_F(EvaluationHouseholdTest, AMeasuredYearComesInThroughTheImportDialog) {
    const auto path = folder.path() / "zaehler.csv";
    writeMeasuredFile(path);
    const double simulatedDemand = demand();
    const double household = evaluation().simulationInput().demand.household_kWh;

    QString asMeasuredText;
    QString findings;
    {
        ModalDriver driver;
        driver.then<QFileDialog>([&](QFileDialog* dialog) {
            dialog->selectFile(qPath(path));
            static_cast<QDialog*>(dialog)->accept();
        });
        driver.then<MeasuredLoadDialog>([&](MeasuredLoadDialog* dialog) {
            asMeasuredText = dialog->asMeasuredButton()->text();
            findings = dialog->findingsLabel()->text();
            EXPECT_TRUE(dialog->asMeasuredButton()->isChecked());
            QTest::mouseClick(dialog->buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        // "Gemessen (Datei)" without a file asks for one.
        pressOnChoice(Qt::Key_End);
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    EXPECT_TRUE(asMeasuredText.contains(charts::german(measuredYear_kWh(), 0) + " kWh"))
        << asMeasuredText.toStdString();
    EXPECT_TRUE(findings.contains(QStringLiteral("Schrittweite 60 min"))) << findings.toStdString();
    EXPECT_TRUE(findings.contains(QStringLiteral("01.01.2023 00:00"))) << findings.toStdString();

    ASSERT_EQ(evaluation().inputs().householdProfile, HouseholdProfile::Measured);
    EXPECT_EQ(evaluation().inputs().measuredLoad.file, path.string());
    EXPECT_FALSE(evaluation().inputs().measuredLoad.scaledToAnnual);
    EXPECT_EQ(panel().choice()->currentText(), QStringLiteral("Gemessen (Datei)"));
    ASSERT_TRUE(settled());
    // The simulated home has the household's annual electricity, the measured year its own.
    EXPECT_NEAR(demand() - simulatedDemand, measuredYear_kWh() - household, 0.5);

    // Scaled to the household's annual electricity, the demand is the simulated home's again.
    {
        ModalDriver again;
        again.then<QFileDialog>([&](QFileDialog* dialog) {
            dialog->selectFile(qPath(path));
            static_cast<QDialog*>(dialog)->accept();
        });
        again.then<MeasuredLoadDialog>([&](MeasuredLoadDialog* dialog) {
            dialog->scaledButton()->setFocus();
            QTest::keyClick(dialog->scaledButton(), Qt::Key_Space);
            QTest::mouseClick(dialog->buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        QTest::mouseClick(panel().fileButton(), Qt::LeftButton);
        ASSERT_TRUE(again.done()) << again.failure().toStdString();
    }
    EXPECT_TRUE(evaluation().inputs().measuredLoad.scaledToAnnual);
    ASSERT_TRUE(settled());
    EXPECT_NEAR(demand(), simulatedDemand, 0.5);
    const double measuredSelfSufficiency = selfSufficiency();

    // A data set whose measured file went missing says so; the simulated home stands in.
    const auto file = folder.path() / "anlage.lumet";
    ASSERT_EQ(saveThroughDialog(shown, file), "");
    std::filesystem::remove(path);
    ShownMainDialog other;
    const auto [chosen, message] = loadThroughDialog(other, file);
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(message.contains(QStringLiteral("zaehler.csv"))) << message.toStdString();
    const evaluation::Evaluation& loaded = other.dialog().evaluation().evaluation();
    EXPECT_EQ(loaded.inputs().measuredLoad, evaluation().inputs().measuredLoad);
    EXPECT_EQ(loaded.inputs().householdProfile, HouseholdProfile::Measured);
    ASSERT_TRUE(other.waitFor([&] {
        return loaded.hourlyResult() != nullptr && !loaded.pendingHourlyInput().has_value();
    }));
    EXPECT_NE(loaded.hourlyResult()->annual.selfSufficiency, measuredSelfSufficiency);
    EXPECT_TRUE(linkedWindow(other.dialog().evaluation())
                    ->householdPanel()
                    ->noteLabel()
                    ->text()
                    .contains(QStringLiteral("zaehler.csv")));
    EXPECT_NEAR(loaded.hourlyResult()->annual.demand_kWh, simulatedDemand, 0.5);
}

TEST_F(EvaluationHouseholdTest, ABadFileIsRefusedWithOneMessageAndNothingChanges) {
    // Each kind of bad file, and what its message must name.
    struct BadFile {
        const char* name;
        std::function<void(const std::filesystem::path&)> make;
        QString expected;
    };
    const BadFile cases[] = {
        {"kaputt.csv", [](const auto& path) { writeMeasuredFile(path, 5); },
         QStringLiteral("Zeile 5")},
        {"notiz.csv", [](const auto& path) { std::ofstream(path) << "Zählerstand\nkeine Zeit\n"; },
         QStringLiteral("notiz.csv")},
        // A pipe is never read: the window does not wait for a writer.
        {"leitung.csv", [](const auto& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
         QStringLiteral("keine gewöhnliche Datei")},
    };
    const evaluation::EvaluationInputs before = evaluation().inputs();
    const double selfSufficiencyBefore = selfSufficiency();
    for (const BadFile& bad : cases) {
        SCOPED_TRACE(bad.name);
        const auto path = folder.path() / bad.name;
        bad.make(path);
        QString message;
        {
            ModalDriver driver;
            driver.then<QFileDialog>([&](QFileDialog* dialog) {
                dialog->selectFile(qPath(path));
                static_cast<QDialog*>(dialog)->accept();
            });
            driver.then<QMessageBox>([&](QMessageBox* box) {
                message = box->text();
                box->accept();
            });
            QTest::mouseClick(panel().fileButton(), Qt::LeftButton);
            ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
        }
        EXPECT_TRUE(message.contains(QString::fromStdString(bad.name))) << message.toStdString();
        EXPECT_TRUE(message.contains(bad.expected)) << message.toStdString();
        EXPECT_EQ(evaluation().inputs(), before);
        EXPECT_EQ(panel().choice()->currentText(), QStringLiteral("Einzelhaushalt (simuliert)"));
        EXPECT_FALSE(evaluation().pendingHourlyInput().has_value());
        EXPECT_EQ(selfSufficiency(), selfSufficiencyBefore);
    }
}

TEST_F(EvaluationHouseholdTest, TheSpreadOfTheSimulatedHomesIsShownOnlyForThem) {
    const SpreadRunner& runner = *window().spreadRunner();
    ASSERT_TRUE(shown.waitFor([&] { return runner.spread() != nullptr && showsSpread(); }));
    const evaluation::Spread& spread = *runner.spread();
    EXPECT_EQ(spread.homes, SpreadRunner::kHomes);
    EXPECT_LT(spread.selfSufficiency.p10, spread.selfSufficiency.p90);  // homes differ

    // The band lies on the battery's curve, at its sizes.
    QTabBar* tabBar = window().tabs()->tabBar();
    const int sizingTab = window().tabs()->indexOf(window().sizingPanel());
    QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(sizingTab).center());
    SizingPanel& sizing = *window().sizingPanel();
    ASSERT_TRUE(shown.waitFor([&] { return !sizing.isComputing() && sizing.curves().complete; }));
    ASSERT_EQ(sizing.band().size(), sizing.curves().battery.size());
    for (std::size_t i = 0; i < sizing.band().size(); ++i) {
        EXPECT_EQ(sizing.band()[i].battery_kWh, sizing.curves().battery[i].size);
    }
    const QList<QAbstractSeries*> series = sizing.batteryView()->chart()->series();
    EXPECT_TRUE(std::any_of(series.begin(), series.end(), [](QAbstractSeries* s) {
        return s->type() == QAbstractSeries::SeriesTypeArea;
    }));

    // The report names the ranges and what they mean.
    const auto pdf = folder.path() / "bericht.pdf";
    ASSERT_TRUE(window().exportPdf(qPath(pdf)));
    if (const auto contents = readPdf(pdf)) {
        const QString text = contents->text.simplified();
        EXPECT_TRUE(text.contains(QStringLiteral("Autarkiegrad, 30 Haushalte")));
        EXPECT_TRUE(text.contains(QStringLiteral("30 simulierte Haushalte gleicher Größe")));
    }

    // The standard profile is one curve for all homes: no spread.
    pressOnChoice(Qt::Key_Down);
    ASSERT_TRUE(shown.waitFor([&] { return !showsSpread() && sizing.band().empty(); }));
    // Once the balance is there and no run is left, none has brought a spread back.
    ASSERT_TRUE(settled());
    ASSERT_TRUE(shown.waitFor([&] { return !runner.isComputing(); }));
    EXPECT_EQ(runner.spread(), nullptr);
    EXPECT_FALSE(showsSpread());
}

}  // namespace
}  // namespace lumetra::test

// SPDX-License-Identifier: GPL-3.0-or-later
// "Wetterdaten" in the Auswertung window: a weather file chosen, a bad one refused, the choice
// kept in the data file, and a data file whose weather file went missing.
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DataSetThroughDialogs.h"
#include "FileDialogSupport.h"
#include "LinkedEvaluationWindow.h"
#include "MainDialogSupport.h"
#include "ModalDriver.h"
#include "app/ControlIds.h"
#include "evaluation/Evaluation.h"
#include "evaluation_ui/WeatherPanel.h"
#include "simulation/weather/WeatherSamples.h"
#include "test_support/TestSupport.h"

namespace lumetra::test {
namespace {

constexpr int kLoadButtonId = 1104;
constexpr int kSaveButtonId = 1105;

class EvaluationWeatherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        useLinkedEvaluationWindow(shown.dialog().evaluation());
        shown.dialog().evaluation().openWindow();
        ASSERT_TRUE(shown.waitFor([&] { return evaluation().hourlyResult() != nullptr; }));
    }
    const evaluation::Evaluation& evaluation() { return shown.dialog().evaluation().evaluation(); }
    WeatherPanel& panel() { return *linkedWindow(shown.dialog().evaluation())->weatherPanel(); }

    // Clicks "Datei...", chooses `path` in the file dialog and answers the message box that
    // follows with OK; its text.
    QString chooseFile(const std::filesystem::path& path) {
        QString message;
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
        EXPECT_TRUE(driver.done()) << driver.failure().toStdString();
        return message;
    }

    ShownMainDialog shown;
    TemporaryFolder folder;
};

TEST_F(EvaluationWeatherTest, AChosenFileReplacesTheSynthesizedYearUntilSynthesizedIsChosen) {
    EXPECT_EQ(panel().choice()->currentText(), QStringLiteral("synthetisch"));
    EXPECT_FALSE(panel().noteLabel()->isVisibleTo(&panel()));

    // The site of the opening data set lies 620 km from the file's.
    const QString warning = chooseFile(weatherSample("csv"));
    EXPECT_TRUE(warning.startsWith(QStringLiteral("Die Wetterdatei gilt für 45,00° N, 8,00° O")))
        << warning.toStdString();
    // The year of the file follows from the worker thread.
    ASSERT_TRUE(shown.waitFor([&] { return evaluation().hourlyResult()->weatherImported; }));
    EXPECT_EQ(panel().choice()->currentText(), QStringLiteral("aus Datei"));
    EXPECT_TRUE(
        panel().irradiationLabel()->text().contains(QStringLiteral("1.436 kWh/m² im Wetterjahr")));
    EXPECT_TRUE(panel().noteLabel()->text().contains(
        QStringLiteral("pvgis-tmy_45.000_8.000_2005_2023.csv")));
    EXPECT_TRUE(panel().noteLabel()->text().contains(QStringLiteral("km vom Standort entfernt")));

    panel().choice()->setFocus();
    QTest::keyClick(panel().choice(), Qt::Key_Up);
    EXPECT_TRUE(shown.waitFor([&] { return !evaluation().hourlyResult()->weatherImported; }));
    EXPECT_EQ(panel().choice()->currentText(), QStringLiteral("synthetisch"));
    EXPECT_TRUE(evaluation().inputs().weatherFile.empty());
}

TEST_F(EvaluationWeatherTest, AMalformedFileIsRefusedWithItsLineAndNothingChanges) {
    const auto path = folder.path() / "wetter.epw";
    std::ofstream(path) << "LOCATION,Irgendwo,-,-,-,-,45,8,1,250\n2018,1,1,1,0,x,5\n";
    const double yield = evaluation().hourlyResult()->annual.yield_kWh;
    const QString message = chooseFile(path);
    EXPECT_TRUE(message.contains(QStringLiteral("Zeile 2: erwartet mindestens 22 Felder")))
        << message.toStdString();
    EXPECT_EQ(panel().choice()->currentText(), QStringLiteral("synthetisch"));
    EXPECT_FALSE(evaluation().hourlyResult()->weatherImported);
    EXPECT_EQ(evaluation().hourlyResult()->annual.yield_kWh, yield);
}

TEST_F(EvaluationWeatherTest, TheChoiceTravelsWithTheDataFileAndAMissingFileIsReported) {
    const auto weather = folder.path() / "wetter.csv";
    std::filesystem::copy_file(weatherSample("csv"), weather);
    chooseFile(weather);
    const auto file = folder.path() / "anlage.lumet";
    ASSERT_EQ(saveThroughDialog(shown, file), "");
    std::filesystem::remove(weather);

    ShownMainDialog other;
    const auto [chosen, message] = loadThroughDialog(other, file);
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(message.contains(QStringLiteral("wetter.csv kann nicht gelesen werden")))
        << message.toStdString();
    const evaluation::Evaluation& loaded = other.dialog().evaluation().evaluation();
    EXPECT_EQ(loaded.inputs().weatherFile, weather.string());
    ASSERT_TRUE(other.waitFor([&] { return loaded.hourlyResult() != nullptr; }));
    EXPECT_FALSE(loaded.hourlyResult()->weatherImported);
    // The rest of the data set is there.
    EXPECT_EQ(other.text(Latitude), shown.text(Latitude));
}

}  // namespace
}  // namespace lumetra::test

// SPDX-License-Identifier: GPL-3.0-or-later
// "Datenordner" in the Auswertung window: the files in use named, a chosen folder's tables
// taken, a refused folder reported with its file while nothing changes, and the folder kept in
// the data file.
#include <QComboBox>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "DataSetThroughDialogs.h"
#include "FileDialogSupport.h"
#include "LinkedEvaluationWindow.h"
#include "MainDialogSupport.h"
#include "ModalDriver.h"
#include "app/ControlIds.h"
#include "evaluation/Evaluation.h"
#include "evaluation_ui/DataFolderPanel.h"
#include "persistence/FileAccess.h"
#include "test_support/ShippedTables.h"
#include "test_support/TestSupport.h"

namespace lumetra::test {
namespace {

namespace fs = std::filesystem;

constexpr int kLoadButtonId = 1104;
constexpr int kSaveButtonId = 1105;

// Whether the panel lists the three tables, each in `folder` or else shipped.
bool listsTablesIn(const QListWidget& list, const fs::path& folder) {
    if (list.count() != 4) {  // the three tables and the simulated home's folder
        return false;
    }
    const char* names[] = {"MonthlyIrradiation.csv", "MonthlyTemperature.csv",
                           "LoadProfileH25.csv"};
    for (int row = 0; row < 3; ++row) {
        const fs::path own = folder / names[row];
        const fs::path shipped = fs::path(LUMETRA_DATA_DIR) / names[row];
        const QString text = list.item(row)->text();
        if (!text.endsWith(qPath(fs::exists(own) ? own : shipped))) {
            return false;
        }
    }
    return true;
}

class EvaluationDataFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        useLinkedEvaluationWindow(shown.dialog().evaluation());
        shown.dialog().evaluation().openWindow();
        ASSERT_TRUE(shown.waitFor([&] { return evaluation().hourlyResult() != nullptr; }));
    }
    const evaluation::Evaluation& evaluation() { return shown.dialog().evaluation().evaluation(); }
    DataFolderPanel& panel() {
        return *linkedWindow(shown.dialog().evaluation())->dataFolderPanel();
    }
    double yield() { return evaluation().hourlyResult()->annual.yield_kWh; }

    // Clicks "Ordner...", chooses `chosen` in the folder dialog and, when a message follows,
    // answers it with OK; its text.
    QString chooseFolder(const fs::path& chosen, bool messageFollows) {
        QString message;
        ModalDriver driver;
        driver.then<QFileDialog>([&](QFileDialog* dialog) {
            dialog->selectFile(qPath(chosen));
            static_cast<QDialog*>(dialog)->accept();
        });
        if (messageFollows) {
            driver.then<QMessageBox>([&](QMessageBox* box) {
                message = box->text();
                box->accept();
            });
        }
        QTest::mouseClick(panel().folderButton(), Qt::LeftButton);
        EXPECT_TRUE(driver.done()) << driver.failure().toStdString();
        return message;
    }

    ShownMainDialog shown;
    TemporaryFolder folder;
};

TEST_F(EvaluationDataFolderTest, AChosenFolderReplacesItsTablesUntilTheShippedAreChosen) {
    EXPECT_EQ(panel().choice()->currentText(), QStringLiteral("mitgeliefert"));
    EXPECT_TRUE(listsTablesIn(*panel().sourceList(), LUMETRA_DATA_DIR));
    const double shippedYield = yield();

    // A folder of its own with a warmer climate: modules that warm yield less.
    writeTable(folder.path(), "MonthlyTemperature.csv", stationsAt("25"));
    chooseFolder(folder.path(), false);
    EXPECT_EQ(panel().choice()->currentText(), QStringLiteral("aus Ordner"));
    EXPECT_EQ(evaluation().inputs().dataFolder, utf8Path(folder.path()));
    EXPECT_TRUE(listsTablesIn(*panel().sourceList(), folder.path()));
    EXPECT_EQ(panel().sourceList()->item(1)->toolTip(),
              QStringLiteral("Lufttemperatur (Monatsmittel): ") +
                  qPath(folder.path() / "MonthlyTemperature.csv"));
    ASSERT_TRUE(shown.waitFor([&] { return evaluation().hourlyResult() != nullptr; }));
    EXPECT_LT(yield(), shippedYield);

    panel().choice()->setFocus();
    QTest::keyClick(panel().choice(), Qt::Key_Up);
    EXPECT_EQ(panel().choice()->currentText(), QStringLiteral("mitgeliefert"));
    EXPECT_TRUE(evaluation().inputs().dataFolder.empty());
    EXPECT_TRUE(listsTablesIn(*panel().sourceList(), LUMETRA_DATA_DIR));
    ASSERT_TRUE(shown.waitFor([&] { return evaluation().hourlyResult() != nullptr; }));
    EXPECT_EQ(yield(), shippedYield);
}

TEST_F(EvaluationDataFolderTest, ARefusedFolderIsReportedWithItsFileAndChangesNothing) {
    const double shippedYield = yield();
    const fs::path fifo = folder.path() / "MonthlyTemperature.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const QString message = chooseFolder(folder.path(), true);
    EXPECT_TRUE(message.contains(qPath(fifo) + QStringLiteral(": Das ist keine gewöhnliche Datei")))
        << message.toStdString();
    EXPECT_EQ(panel().choice()->currentText(), QStringLiteral("mitgeliefert"));
    EXPECT_TRUE(evaluation().inputs().dataFolder.empty());
    EXPECT_TRUE(listsTablesIn(*panel().sourceList(), LUMETRA_DATA_DIR));
    EXPECT_EQ(yield(), shippedYield);
}

TEST_F(EvaluationDataFolderTest, TheFolderTravelsWithTheDataFileAndARefusedOneLeavesTheRest) {
    const fs::path table = folder.path() / "tabellen" / "MonthlyTemperature.csv";
    writeTable(table.parent_path(), "MonthlyTemperature.csv", stationsAt("25"));
    chooseFolder(table.parent_path(), false);
    const fs::path file = folder.path() / "anlage.lumet";
    ASSERT_EQ(saveThroughDialog(shown, file), "");
    EXPECT_NE(readFile(file).find("Datenordner                 = " + table.parent_path().string()),
              std::string::npos);

    // The table became a FIFO: the data set loads, the shipped tables stand in, and the
    // window neither waits on it nor when it closes.
    fs::remove(table);
    ASSERT_EQ(::mkfifo(table.c_str(), 0600), 0);
    ShownMainDialog other;
    const auto [chosen, message] = loadThroughDialog(other, file);
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(
        message.contains(qPath(table) + QStringLiteral(": Das ist keine gewöhnliche Datei")))
        << message.toStdString();
    const evaluation::Evaluation& loaded = other.dialog().evaluation().evaluation();
    // The folder stays named, so that saving the data set keeps it.
    EXPECT_EQ(loaded.inputs().dataFolder, utf8Path(table.parent_path()));
    EXPECT_TRUE(
        listsTablesIn(*linkedWindow(other.dialog().evaluation())->dataFolderPanel()->sourceList(),
                      LUMETRA_DATA_DIR));
    ASSERT_TRUE(other.waitFor([&] { return loaded.hourlyResult() != nullptr; }));
    EXPECT_EQ(other.text(Latitude), shown.text(Latitude));
}

}  // namespace
}  // namespace lumetra::test

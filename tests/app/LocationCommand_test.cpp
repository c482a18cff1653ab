// SPDX-License-Identifier: GPL-3.0-or-later
// "Ort auswählen" in the window: the button, the selection dialog, the messages, and where the
// location database is looked for.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

#include "FileDialogSupport.h"
#include "MainDialogSupport.h"
#include "ModalDriver.h"
#include "app/CSelectionDlg.h"
#include "app/ControlIds.h"
#include "app/DataLocation.h"
#include "app/DialogLayout.h"
#include "app/FileCommands.h"
#include "app/LocationCommand.h"
#include "persistence/Messages.h"
#include "test_support/TestSupport.h"

namespace lumetra::test {
namespace {

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

void clickChooseLocation(CLumetraDlg& dialog) {
    auto* button = qobject_cast<QPushButton*>(findControl(&dialog, kChooseLocationButtonId));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
}

// Runs the process in another current directory for the lifetime of the object.
class CurrentDirectory {
  public:
    explicit CurrentDirectory(const std::filesystem::path& path) : previous_(QDir::currentPath()) {
        QDir::setCurrent(qPath(path));
    }
    ~CurrentDirectory() { QDir::setCurrent(previous_); }

  private:
    QString previous_;
};

// What the selection dialog offered.
struct Offer {
    QString caption;
    QString label;
    QStringList places;
    QString preselected;
};

auto pick(Offer& offer, const QString& place) {
    return [&offer, place](CSelectionDlg* dialog) {
        offer.caption = dialog->windowTitle();
        offer.label = dialog->label()->text();
        for (int i = 0; i < dialog->list()->count(); ++i) {
            offer.places << dialog->list()->itemText(i);
        }
        offer.preselected = dialog->list()->currentText();
        if (place.isEmpty()) {
            QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
            return;
        }
        const int index = dialog->list()->findText(place);
        if (index < 0) {
            ADD_FAILURE() << place.toStdString() << " is not offered";
            dialog->reject();
            return;
        }
        // Walk there with the arrow keys, as a user of the closed list does.
        QComboBox* list = dialog->list();
        while (list->currentIndex() < index) {
            QTest::keyClick(list, Qt::Key_Down);
        }
        while (list->currentIndex() > index) {
            QTest::keyClick(list, Qt::Key_Up);
        }
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    };
}

struct SeenMessage {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

auto acknowledge(SeenMessage& seen) {
    return [&seen](QMessageBox* box) {
        seen = {box->windowTitle(), box->text(), box->icon()};
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    };
}

// ---- the shipped database through the button ----------------------------------------------

TEST(ChooseLocationButton, ShippedDatabaseSetsThePlaceSolvesAndPreselectsIt) {
    TemporaryFolder empty;  // a current directory without a database of its own
    CurrentDirectory cd(empty.path());
    ShownMainDialog shown;
    const CalculatorState& state = shown.dialog().calculator().state();
    const double yieldBefore = state.values[AnnualYield];

    Offer first;
    {
        ModalDriver driver;
        driver.then<CSelectionDlg>(pick(first, QStringLiteral("Berlin")));
        clickChooseLocation(shown.dialog());
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    EXPECT_EQ(first.caption, qText(kLocationDialogCaption));
    EXPECT_EQ(first.label, qText(kLocationDialogLabel));
    EXPECT_GT(first.places.size(), 200);
    EXPECT_EQ(first.preselected, first.places.value(0)) << "nothing chosen before";
    EXPECT_EQ(first.places.value(0), QStringLiteral("Aachen")) << "natural order";
    EXPECT_LT(first.places.indexOf("Oldenburg"), first.places.indexOf("Osnabrück"));
    EXPECT_LT(first.places.indexOf("Wien"), first.places.indexOf("Wiener Neustadt"));

    EXPECT_NEAR(state.values[Latitude], 52.5244, 1e-9);
    EXPECT_NEAR(state.values[Longitude], 13.4105, 1e-9);
    EXPECT_NEAR(state.values[AnnualIrradiation], 1092, 1e-9);
    EXPECT_NE(state.values[AnnualYield], yieldBefore) << "the new irradiation was solved";
    EXPECT_EQ(shown.dialog().lastLocationName(), "Berlin");

    // The next time the place is preselected; cancelling changes nothing.
    shown.dialog().activateWindow();  // the closed dialog may have left it inactive
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.dialog(), kPatienceMs));
    shown.typeInto(AnnualIrradiation, QStringLiteral("1000"));
    const auto values = state.values;
    Offer second;
    {
        ModalDriver driver;
        driver.then<CSelectionDlg>(pick(second, QString()));
        clickChooseLocation(shown.dialog());
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    EXPECT_EQ(second.preselected, QStringLiteral("Berlin"));
    EXPECT_EQ(state.values, values);
    EXPECT_EQ(shown.dialog().lastLocationName(), "Berlin");
}

// ---- a database of the current directory ---------------------------------------------------

TEST(ChooseLocationButton, DatabaseInTheCurrentDirectoryComesFirst) {
    TemporaryFolder folder;
    // Windows-1252: 0xD6 is "Ö". A heading without ";" is a place; a decimal comma works.
    writeFile(folder.path() / "SolarDatabase.csv",
              "; Ort;Breitengrad;Laengengrad;Globalstrahlung\r\n"
              "Ort10;10;10;1010\r\n"
              "Ort2;2,5;3,25;1002\r\n"
              "\xD6sterreich;47;13;1200\r\n"
              "Oslo;59.9;10.7;900\r\n"
              "Ottawa;45.4;-75.7;1300\r\n"
              "Name;Breite;Laenge;Strahlung\r\n"
              "  Nirgendwo;;;1111\r\n");
    CurrentDirectory cd(folder.path());
    ShownMainDialog shown;
    const CalculatorState& state = shown.dialog().calculator().state();

    Offer offer;
    {
        ModalDriver driver;
        driver.then<CSelectionDlg>(pick(offer, QStringLiteral("Ort2")));
        clickChooseLocation(shown.dialog());
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    // The whole lines are sorted, so the line that begins with blanks comes first.
    EXPECT_EQ(offer.places, QStringList({"Nirgendwo", "Name", "Ort2", "Ort10", "Oslo",
                                         QStringLiteral("Österreich"), "Ottawa"}));
    EXPECT_NEAR(state.values[Latitude], 2.5, 1e-9);
    EXPECT_NEAR(state.values[Longitude], 3.25, 1e-9);
    EXPECT_NEAR(state.values[AnnualIrradiation], 1002, 1e-9);

    // A place with only its irradiation sets only that.
    {
        ModalDriver driver;
        Offer again;
        driver.then<CSelectionDlg>(pick(again, QStringLiteral("Nirgendwo")));
        clickChooseLocation(shown.dialog());
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
        EXPECT_EQ(again.preselected, QStringLiteral("Ort2"));
    }
    EXPECT_NEAR(state.values[Latitude], 2.5, 1e-9);
    EXPECT_NEAR(state.values[AnnualIrradiation], 1111, 1e-9);
    EXPECT_EQ(shown.dialog().lastLocationName(), "Nirgendwo");
}

// ---- messages -----------------------------------------------------------------------------

struct DatabaseFailureCase {
    const char* name;
    const char* content;  // null: no file
    std::string_view message;
};

class DatabaseFailure : public ::testing::TestWithParam<DatabaseFailureCase> {};

TEST_P(DatabaseFailure, ShowsItsMessageAndChangesNothing) {
    const DatabaseFailureCase& c = GetParam();
    TemporaryFolder folder;
    const std::filesystem::path database = folder.path() / "SolarDatabase.csv";
    if (c.content != nullptr) {
        writeFile(database, c.content);
    }
    ShownMainDialog shown;
    Calculator& calculator = shown.dialog().calculator();
    const auto values = calculator.state().values;
    std::string lastName = "Linz";

    SeenMessage seen;
    ModalDriver driver;
    driver.then<QMessageBox>(acknowledge(seen));
    chooseLocationCommand(&shown.dialog(), calculator, database, lastName);
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    EXPECT_EQ(seen.caption, qText(kErrorCaption));
    EXPECT_EQ(seen.text, qText(c.message));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(calculator.state().values, values);
    EXPECT_EQ(lastName, "Linz");
}

constexpr DatabaseFailureCase kDatabaseFailureCases[] = {
    {"NoDatabase", nullptr, kLocationDatabaseOpenFailedMessage},
    {"OnlyComments", "; Ort;Breitengrad\n;Linz;48;14;1150\n\n\r\n", kLocationDatabaseEmptyMessage},
    {"EmptyFile", "", kLocationDatabaseEmptyMessage},
};

INSTANTIATE_TEST_SUITE_P(Databases, DatabaseFailure, ::testing::ValuesIn(kDatabaseFailureCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(ChooseLocationButton, CommentOnlyDatabaseInTheCurrentDirectoryIsReportedEmpty) {
    TemporaryFolder folder;
    writeFile(folder.path() / "SolarDatabase.csv", "; nur Kommentare\n;\n");
    CurrentDirectory cd(folder.path());
    ShownMainDialog shown;
    SeenMessage seen;
    ModalDriver driver;
    driver.then<QMessageBox>(acknowledge(seen));
    clickChooseLocation(shown.dialog());
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    EXPECT_EQ(seen.text, qText(kLocationDatabaseEmptyMessage));
}

// ---- where the database is looked for (the search order itself is the core's) ----------------

TEST(LocationDatabaseSearch, TheWindowSearchesFromTheCurrentFolderAndFindsTheShippedCopy) {
    const DataSearch search = defaultDataSearch();
    EXPECT_EQ(search.currentDir, toFilesystemPath(QDir::currentPath()));
    EXPECT_EQ(search.applicationDir, toFilesystemPath(QCoreApplication::applicationDirPath()));
    EXPECT_FALSE(search.buildDataDir.empty()) << "the build tree's data folder is compiled in";

    TemporaryFolder empty;
    const CurrentDirectory inEmpty(empty.path());
    const std::filesystem::path found = findDataFile(defaultDataSearch(), kLocationDatabaseName);
    EXPECT_TRUE(std::filesystem::is_regular_file(found)) << found;
    EXPECT_EQ(found.parent_path(), search.buildDataDir);
}

}  // namespace
}  // namespace lumetra::test

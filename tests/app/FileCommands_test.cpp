// SPDX-License-Identifier: GPL-3.0-or-later
// "Laden" and "Speichern" in the window, driven as a user drives them: the buttons are clicked,
// the file dialogs and message boxes that come up are filled in and answered.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "FileDialogSupport.h"
#include "MainDialogSupport.h"
#include "ModalDriver.h"
#include "app/ControlIds.h"
#include "app/DialogLayout.h"
#include "app/FileCommands.h"
#include "calculator/ModuleFieldEditing.h"
#include "energy/ModuleFieldColumns.h"
#include "energy/ModuleFieldRules.h"
#include "persistence/Messages.h"
#include "test_support/TestSupport.h"

namespace lumetra::test {
namespace {

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

void clickButton(CLumetraDlg& dialog, int id) {
    auto* button = qobject_cast<QPushButton*>(findControl(&dialog, id));
    ASSERT_NE(button, nullptr) << "no button " << id;
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();  // posted solves
}

// Types the name into the dialog's file-name box key by key and presses its Open/Save button.
void typeFileName(QFileDialog* dialog, const QString& name) {
    typeFileNameAndAccept(dialog, name);
    if (dialog->isVisible()) {
        ADD_FAILURE() << "the file dialog did not take " << name.toStdString();
        dialog->reject();
    }
}

void chooseFile(QFileDialog* dialog, const QString& path) {
    dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();  // the file dialog's own accept: it checks the name
}

void cancelFileDialog(QFileDialog* dialog) {
    auto* box = dialog->findChild<QDialogButtonBox*>();
    QAbstractButton* cancel = box != nullptr ? box->button(QDialogButtonBox::Cancel) : nullptr;
    if (cancel != nullptr) {
        QTest::mouseClick(cancel, Qt::LeftButton);
    } else {
        dialog->reject();
    }
}

// What a message box showed.
struct SeenMessage {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

auto answer(SeenMessage& seen, QMessageBox::StandardButton button) {
    return [&seen, button](QMessageBox* box) {
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        QAbstractButton* target = box->button(button);
        if (target != nullptr) {
            QTest::mouseClick(target, Qt::LeftButton);
        } else {
            QTest::keyClick(box, Qt::Key_Escape);
        }
    };
}

auto pressEscape(SeenMessage& seen) {
    return [&seen](QMessageBox* box) {
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        QTest::keyClick(box, Qt::Key_Escape);
    };
}

void expectError(const SeenMessage& seen, std::string_view text) {
    EXPECT_EQ(seen.caption, qText(kErrorCaption));
    EXPECT_EQ(seen.text, qText(text));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

// A cell edit of the table as the control reports it at the end of an in-place edit.
void editCell(Calculator& calculator, RowHandle row, int column, const std::string& text) {
    if (endCellEdit(calculator, row, column, &text, true)) {
        calculator.table().setCellText(row, column, text);
    }
    QApplication::processEvents();
}

// The numbers of the columns width .. tilt of every row but the placeholder.
std::vector<std::vector<double>> rowNumbers(const Calculator& calculator) {
    std::vector<std::vector<double>> rows;
    const ModuleFieldTable& table = calculator.table();
    for (RowHandle row = table.firstRow(); row != kNoRow; row = table.nextRow(row)) {
        if (row == calculator.state().placeholderRow) {
            continue;
        }
        std::vector<double> cells;
        for (int column = 1; column <= 5; ++column) {
            cells.push_back(readCellValue(table.cellText(row, column)));
        }
        rows.push_back(cells);
    }
    return rows;
}

int rowCount(const Calculator& calculator) {
    int count = 0;
    for (RowHandle row = calculator.table().firstRow(); row != kNoRow;
         row = calculator.table().nextRow(row)) {
        ++count;
    }
    return count;
}

// ---- the file dialogs ---------------------------------------------------------------------

struct DialogCase {
    const char* name;
    int button;
    std::string_view title;
    QFileDialog::AcceptMode mode;
};

constexpr DialogCase kDialogCases[] = {
    {"Load", kLoadButtonId, kLoadDialogTitle, QFileDialog::AcceptOpen},
    {"Save", kSaveButtonId, kSaveDialogTitle, QFileDialog::AcceptSave},
};

class FileDialogSetup : public ::testing::TestWithParam<DialogCase> {};

TEST_P(FileDialogSetup, QtDialogWithTitleFiltersSuffixAndInitialName) {
    const DialogCase& c = GetParam();
    ShownMainDialog shown;
    struct Seen {
        QString title, typed, suffix, filter;
        QStringList filters;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        QFileDialog::FileMode fileMode = QFileDialog::ExistingFile;
        bool native = true, confirmsOverwrite = true;
    } seen;
    ModalDriver driver;
    driver.then<QFileDialog>([&seen](QFileDialog* dialog) {
        seen.title = dialog->windowTitle();
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        seen.typed = edit != nullptr ? edit->text() : QString();
        seen.suffix = dialog->defaultSuffix();
        seen.filters = dialog->nameFilters();
        seen.filter = dialog->selectedNameFilter();
        seen.mode = dialog->acceptMode();
        seen.fileMode = dialog->fileMode();
        seen.native = !dialog->testOption(QFileDialog::DontUseNativeDialog);
        seen.confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        cancelFileDialog(dialog);
    });
    clickButton(shown.dialog(), c.button);
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    EXPECT_EQ(seen.title, qText(c.title));
    EXPECT_EQ(seen.typed, QStringLiteral("*.lumet")) << "initial name while no path is known";
    EXPECT_EQ(seen.suffix, QStringLiteral("lumet"));
    EXPECT_EQ(seen.filters,
              QStringList({QStringLiteral("Datendatei ( *.lumet )"), "Alle Dateien (*)"}));
    EXPECT_EQ(seen.filter, QStringLiteral("Datendatei ( *.lumet )"));
    EXPECT_EQ(seen.mode, c.mode);
    EXPECT_EQ(seen.fileMode, QFileDialog::AnyFile) << "the file need not exist";
    EXPECT_FALSE(seen.native);
    EXPECT_FALSE(seen.confirmsOverwrite) << "the overwrite question is the command's own";
    EXPECT_TRUE(shown.dialog().dataFilePath().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, FileDialogSetup, ::testing::ValuesIn(kDialogCases),
                         [](const auto& test) { return std::string(test.param.name); });

struct FilterCase {
    const char* name;
    std::string_view pairs;
    QStringList expected;
};

TEST(FileDialogNameFilters, PairsBecomeQtFilters) {
    const FilterCase cases[] = {
        {"DataFiles", kDataFileFilter, {"Datendatei ( *.lumet )", "Alle Dateien (*)"}},
        {"TextWithoutPattern", "Text|*.txt|", {"Text (*.txt)"}},
        {"NoClosingBar", "Text|*.txt", {"Text (*.txt)"}},
        {"DanglingText", "Text|*.txt|Rest", {"Text (*.txt)"}},
        {"Empty", "", {}},
    };
    for (const FilterCase& c : cases) {
        EXPECT_EQ(fileDialogNameFilters(c.pairs), c.expected) << c.name;
    }
}

class WildcardName : public ::testing::TestWithParam<DialogCase> {};

TEST_P(WildcardName, ConfirmedPatternIsNoFileAndTheDialogComesAgain) {
    const DialogCase& c = GetParam();
    TemporaryFolder folder;
    ShownMainDialog shown;
    const auto values = shown.dialog().calculator().state().values;
    QString reopenedWith;
    ModalDriver driver;
    driver.then<QFileDialog>([&](QFileDialog* dialog) {
        dialog->setDirectory(qPath(folder.path()));
        static_cast<QDialog*>(dialog)->accept();  // "*.lumet" as it stands
    });
    driver.then<QFileDialog>([&](QFileDialog* dialog) {
        reopenedWith = dialog->selectedFiles().value(0);
        cancelFileDialog(dialog);
    });
    clickButton(shown.dialog(), c.button);
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    EXPECT_EQ(reopenedWith, qPath(folder.path() / "*.lumet"));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << "no file named after the pattern";
    EXPECT_TRUE(shown.dialog().dataFilePath().isEmpty());
    EXPECT_EQ(shown.dialog().calculator().state().values, values);
}

INSTANTIATE_TEST_SUITE_P(Buttons, WildcardName, ::testing::ValuesIn(kDialogCases),
                         [](const auto& test) { return std::string(test.param.name); });

// ---- saving and loading back --------------------------------------------------------------

TEST(FileCommandsRoundTrip, LoadRestoresValuesMarksAndRows) {
    TemporaryFolder folder;
    const std::filesystem::path file = folder.path() / "anlage.lumet";

    ShownMainDialog first;
    Calculator& saved = first.dialog().calculator();
    first.typeInto(Latitude, QStringLiteral("51.25"));
    first.typeInto(AnnualIrradiation, QStringLiteral("1187"));
    first.typeInto(ElectricityPrice, QStringLiteral("0.41"));
    // Change two Vorgabe marks the user can change.
    int toggled = 0;
    for (int index = 0; index < kQuantityCount && toggled < 2; ++index) {
        QCheckBox* box = first.box(static_cast<QuantityId>(index));
        if (box->isEnabled() && box->isVisible() && !box->isChecked()) {
            QTest::mouseClick(box, Qt::LeftButton);
            QApplication::processEvents();
            ++toggled;
        }
    }
    ASSERT_EQ(toggled, 2);
    // A second and a third module field below the opening one.
    const RowHandle second = saved.state().placeholderRow;
    editCell(saved, second, 1, "3");
    editCell(saved, second, 2, "4");
    editCell(saved, second, 4, "-45");
    editCell(saved, second, 5, "60");
    const RowHandle third = saved.state().placeholderRow;
    editCell(saved, third, 3, "12");
    editCell(saved, third, 1, "6");
    editCell(saved, third, 5, "90");
    first.dialog().refreshTick();
    ASSERT_EQ(rowCount(saved), 4);

    {
        ModalDriver saving;
        saving.then<QFileDialog>([&](QFileDialog* dialog) {
            dialog->setDirectory(qPath(folder.path()));
            typeFileName(dialog, "anlage");
        });
        clickButton(first.dialog(), kSaveButtonId);
        ASSERT_TRUE(saving.done()) << saving.failure().toStdString();
    }
    ASSERT_TRUE(std::filesystem::exists(file)) << "the default suffix is appended";
    EXPECT_EQ(first.dialog().dataFilePath(), qPath(file));

    ShownMainDialog second_;
    Calculator& loaded = second_.dialog().calculator();
    ModalDriver loading;
    loading.then<QFileDialog>([&](QFileDialog* dialog) { chooseFile(dialog, qPath(file)); });
    clickButton(second_.dialog(), kLoadButtonId);
    ASSERT_TRUE(loading.done()) << loading.failure().toStdString();
    second_.dialog().refreshTick();
    EXPECT_EQ(second_.dialog().dataFilePath(), qPath(file));

    const CalculatorState& a = saved.state();
    const CalculatorState& b = loaded.state();
    for (int index = 0; index < kQuantityCount; ++index) {
        const auto q = static_cast<QuantityId>(index);
        EXPECT_EQ(b.preset[q], a.preset[q]) << "Vorgabe of " << quantityIdentifier(q);
        EXPECT_EQ(b.derived[q], a.derived[q]) << "derived " << quantityIdentifier(q);
        EXPECT_EQ(second_.box(q)->isChecked(), a.preset[q]) << quantityIdentifier(q);
        if (!a.derived[q]) {
            EXPECT_TRUE(nearRelative(b.values[q], a.values[q], 1e-6)) << quantityIdentifier(q);
            EXPECT_EQ(second_.text(q), first.text(q)) << quantityIdentifier(q);
        }
    }
    const auto savedRows = rowNumbers(saved);
    const auto loadedRows = rowNumbers(loaded);
    ASSERT_EQ(loadedRows.size(), savedRows.size());
    for (std::size_t r = 0; r < savedRows.size(); ++r) {
        for (std::size_t c = 0; c < savedRows[r].size(); ++c) {
            EXPECT_NEAR(loadedRows[r][c], savedRows[r][c], 1e-6) << "row " << r << " col " << c;
        }
    }
    EXPECT_EQ(rowCount(loaded), 4) << "three fields and the placeholder";
    EXPECT_TRUE(nearRelative(b.values[AnnualYield], a.values[AnnualYield], 1e-6));
}

// ---- cancelling ---------------------------------------------------------------------------

TEST(FileCommandsCancel, EitherDialogChangesNothingAndKeepsTheLastPath) {
    TemporaryFolder folder;
    const std::filesystem::path file = folder.path() / "alt.lumet";
    ShownMainDialog shown;
    Calculator& calculator = shown.dialog().calculator();

    {
        ModalDriver saving;
        saving.then<QFileDialog>([&](QFileDialog* dialog) { chooseFile(dialog, qPath(file)); });
        clickButton(shown.dialog(), kSaveButtonId);
        ASSERT_TRUE(saving.done()) << saving.failure().toStdString();
    }
    const std::string written = readFile(file);
    ASSERT_FALSE(written.empty());

    // The closed file dialog may have left the window inactive.
    shown.dialog().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.dialog(), kPatienceMs));
    shown.typeInto(Latitude, QStringLiteral("12"));
    const CalculatorState before = calculator.state();
    const int rowsBefore = rowCount(calculator);

    for (const int button : {kLoadButtonId, kSaveButtonId}) {
        QString initialName;
        ModalDriver driver;
        driver.then<QFileDialog>([&](QFileDialog* dialog) {
            initialName = dialog->selectedFiles().value(0);
            cancelFileDialog(dialog);
        });
        clickButton(shown.dialog(), button);
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
        EXPECT_EQ(initialName, qPath(file)) << "button " << button << " opens at the last path";
        EXPECT_EQ(shown.dialog().dataFilePath(), qPath(file)) << "button " << button;
        EXPECT_EQ(calculator.state().values, before.values) << "button " << button;
        EXPECT_EQ(calculator.state().preset, before.preset) << "button " << button;
        EXPECT_EQ(rowCount(calculator), rowsBefore) << "button " << button;
        EXPECT_EQ(readFile(file), written) << "button " << button;
    }
}

// ---- the overwrite question ---------------------------------------------------------------

struct OverwriteCase {
    const char* name;
    QMessageBox::StandardButton answer;  // NoButton: Escape
    bool writes;
};

class OverwriteQuestion : public ::testing::TestWithParam<OverwriteCase> {};

TEST_P(OverwriteQuestion, OnlyYesReplacesTheFile) {
    const OverwriteCase& c = GetParam();
    TemporaryFolder folder;
    const std::filesystem::path file = folder.path() / "vorhanden.lumet";
    writeFile(file, "alt\n");
    ShownMainDialog shown;

    SeenMessage seen;
    ModalDriver driver;
    driver.then<QFileDialog>([&](QFileDialog* dialog) { chooseFile(dialog, qPath(file)); });
    if (c.answer == QMessageBox::NoButton) {
        driver.then<QMessageBox>(pressEscape(seen));
    } else {
        driver.then<QMessageBox>(answer(seen, c.answer));
    }
    clickButton(shown.dialog(), kSaveButtonId);
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();

    EXPECT_EQ(seen.caption, qText(kErrorCaption));
    EXPECT_EQ(seen.text, qText(kOverwriteQuestion));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    const std::string content = readFile(file);
    if (c.writes) {
        EXPECT_EQ(content.rfind("Breitengrad", 0), 0u) << "the data set replaced the file";
    } else {
        EXPECT_EQ(content, "alt\n");
    }
    EXPECT_EQ(shown.dialog().dataFilePath(), qPath(file)) << "the confirmed path is kept";
}

constexpr OverwriteCase kOverwriteCases[] = {
    {"Yes", QMessageBox::Yes, true},
    {"No", QMessageBox::No, false},
    {"Escape", QMessageBox::NoButton, false},
};

INSTANTIATE_TEST_SUITE_P(Answers, OverwriteQuestion, ::testing::ValuesIn(kOverwriteCases),
                         [](const auto& test) { return std::string(test.param.name); });

// ---- failures -----------------------------------------------------------------------------

TEST(FileCommandsFailure, SavingOntoAFolderAsksNothingAndFails) {
    TemporaryFolder folder;
    // A folder whose name carries the suffix, so that no suffix is appended to it.
    const std::filesystem::path target = folder.path() / "ordner.lumet";
    std::filesystem::create_directory(target);
    ShownMainDialog shown;

    SeenMessage seen;
    ModalDriver driver;
    // Qt's dialog opens a folder named in its box, so the folder's path is handed back as a
    // dialog that accepts any name would.
    driver.then<QFileDialog>([&](QFileDialog* dialog) {
        dialog->selectFile(qPath(target));
        static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
    });
    driver.then<QMessageBox>(answer(seen, QMessageBox::Ok));
    clickButton(shown.dialog(), kSaveButtonId);
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    expectError(seen, kSaveFailedMessage);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_TRUE(std::filesystem::is_empty(target));
}

TEST(FileCommandsFailure, SavingIntoAMissingFolderFailsAndKeepsThePath) {
    TemporaryFolder folder;
    const std::filesystem::path target = folder.path() / "fehlt" / "daten.lumet";
    ShownMainDialog shown;

    SeenMessage seen;
    ModalDriver driver;
    driver.then<QFileDialog>([&](QFileDialog* dialog) {
        dialog->setDirectory(qPath(folder.path()));
        typeFileName(dialog, QStringLiteral("fehlt/daten"));
    });
    driver.then<QMessageBox>(answer(seen, QMessageBox::Ok));
    clickButton(shown.dialog(), kSaveButtonId);
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    expectError(seen, kSaveFailedMessage);
    EXPECT_FALSE(std::filesystem::exists(target.parent_path()));
    EXPECT_EQ(shown.dialog().dataFilePath(), qPath(target));
}

struct LoadFailureCase {
    const char* name;
    const char* content;  // null: no file
    std::string_view message;
    bool emptiesTable;
};

class LoadFailure : public ::testing::TestWithParam<LoadFailureCase> {};

TEST_P(LoadFailure, ShowsItsMessageAndKeepsTheQuantities) {
    const LoadFailureCase& c = GetParam();
    TemporaryFolder folder;
    const std::filesystem::path file = folder.path() / "daten.lumet";
    if (c.content != nullptr) {
        writeFile(file, c.content);
    }
    ShownMainDialog shown;
    Calculator& calculator = shown.dialog().calculator();
    editCell(calculator, calculator.state().placeholderRow, 1, "4");
    ASSERT_EQ(rowCount(calculator), 3);
    const CalculatorState before = calculator.state();

    SeenMessage seen;
    ModalDriver driver;
    // The bare name gets the default suffix.
    driver.then<QFileDialog>(
        [&](QFileDialog* dialog) { chooseFile(dialog, qPath(folder.path() / "daten")); });
    driver.then<QMessageBox>(answer(seen, QMessageBox::Ok));
    clickButton(shown.dialog(), kLoadButtonId);
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();

    expectError(seen, c.message);
    EXPECT_EQ(shown.dialog().dataFilePath(), qPath(file));
    // What the user entered stays; derived figures follow the table, which a file of the
    // wrong format has emptied.
    for (int q = 0; q < kQuantityCount; ++q) {
        if (!before.derived[q]) {
            EXPECT_EQ(calculator.state().values[q], before.values[q]) << q;
        }
    }
    EXPECT_EQ(calculator.state().preset, before.preset);
    EXPECT_EQ(rowCount(calculator), c.emptiesTable ? 1 : 3);
    if (c.emptiesTable) {
        EXPECT_EQ(calculator.table().firstRow(), calculator.state().placeholderRow);
        EXPECT_EQ(calculator.state().values[AnnualYield], 0);
        EXPECT_EQ(calculator.state().values[SolarArea], 0);
    } else {
        EXPECT_EQ(calculator.state().values, before.values);
    }
}

constexpr LoadFailureCase kLoadFailureCases[] = {
    {"MissingFile", nullptr, kFileNotFoundMessage, false},
    {"ForeignLines", "Einkaufsliste\nBrot = 2\nMilch: 1 Liter\n[01] Butter = 1\n",
     kWrongFormatMessage, true},
    {"EmptyFile", "", kWrongFormatMessage, true},
};

INSTANTIATE_TEST_SUITE_P(Files, LoadFailure, ::testing::ValuesIn(kLoadFailureCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace lumetra::test

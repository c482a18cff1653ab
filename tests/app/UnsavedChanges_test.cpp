// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the main window never loses the user's work without asking, and its title says which
// file and place the data set belongs to and whether it has unsaved changes. Driven with real
// keys and clicks; the question, file dialogs and messages are answered as a user answers them.
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "FileDialogSupport.h"
#include "MainDialogSupport.h"
#include "ModalDriver.h"
#include "app/CSelectionDlg.h"
#include "app/ControlIds.h"
#include "app/DialogLayout.h"
#include "app/WindowTitle.h"
#include "energy/ModuleFieldColumns.h"
#include "persistence/DataFileFormat.h"
#include "test_support/TestSupport.h"
#include "widgets/treelist/CTreeListCtrl.h"

namespace lumetra::test {
namespace {

void clickButton(CLumetraDlg& dialog, int id) {
    auto* button = qobject_cast<QPushButton*>(findControl(&dialog, id));
    ASSERT_NE(button, nullptr) << "no button " << id;
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
}

// The three ways a user closes the window.
enum class CloseBy { EscapeKey, CancelButton, WindowCloseButton };

void closeWindow(ShownMainDialog& shown, CloseBy how) {
    switch (how) {
        case CloseBy::EscapeKey: {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : &shown.dialog(), Qt::Key_Escape);
            break;
        }
        case CloseBy::CancelButton:
            QTest::mouseClick(findControl(&shown.dialog(), kCancelId), Qt::LeftButton);
            break;
        case CloseBy::WindowCloseButton:
            shown.dialog().close();  // what the window manager's close button sends
            break;
    }
    QApplication::processEvents();
}

// What the question showed; the step answers it with the button of that text.
struct SeenQuestion {
    QString caption;
    QString text;
    QStringList buttons;
    QString defaultButton;
};

auto answerQuestion(SeenQuestion& seen, const QString& answer) {
    return [&seen, answer](QMessageBox* box) {
        seen.caption = box->windowTitle();
        seen.text = box->text();
        QAbstractButton* target = nullptr;
        for (QAbstractButton* button : box->findChildren<QDialogButtonBox*>().value(0)->buttons()) {
            seen.buttons << button->text();
            if (button->text() == answer) {
                target = button;
            }
        }
        seen.buttons.sort();
        seen.defaultButton = box->defaultButton() != nullptr ? box->defaultButton()->text() : "";
        if (answer == QStringLiteral("Escape")) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else if (target != nullptr) {
            QTest::mouseClick(target, Qt::LeftButton);
        } else {
            ADD_FAILURE() << "no button " << answer.toStdString();
            box->reject();
        }
    };
}

// Goes to the folder, types the name into the file dialog's name box and presses its Save/Open
// button.
auto typeFileName(const std::filesystem::path& path, const QString& typed = QString()) {
    const QString folder = qPath(path.parent_path());
    const QString name = typed.isEmpty() ? qPath(path.filename()) : typed;
    return [folder, name](QFileDialog* dialog) {
        dialog->setDirectory(folder);
        typeFileNameAndAccept(dialog, name);
    };
}

auto cancelFileDialog() {
    return [](QFileDialog* dialog) {
        auto* box = dialog->findChild<QDialogButtonBox*>();
        QAbstractButton* cancel = box != nullptr ? box->button(QDialogButtonBox::Cancel) : nullptr;
        if (cancel != nullptr) {
            QTest::mouseClick(cancel, Qt::LeftButton);
        } else {
            dialog->reject();
        }
    };
}

auto acknowledgeMessage(QString& text) {
    return [&text](QMessageBox* box) {
        text = box->text();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    };
}

// The window takes the keyboard again once a modal dialog has gone.
void reactivate(ShownMainDialog& shown) {
    shown.dialog().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.dialog(), kPatienceMs));
}

// Runs the refresh timer until the title and its mark are up to date.
bool titleSettles(ShownMainDialog& shown, const QString& title, bool modified) {
    return shown.waitFor([&] {
        return shown.dialog().windowTitle() == title &&
               shown.dialog().isWindowModified() == modified;
    });
}

const QString kCancel = QStringLiteral("Abbrechen");
const QString kDiscard = QStringLiteral("Verwerfen");
const QString kSave = QStringLiteral("Speichern");

// ---- closing without changes -------------------------------------------------------------

class ClosingUnchanged : public ::testing::TestWithParam<CloseBy> {};

TEST_P(ClosingUnchanged, ClosesAtOnce) {
    ShownMainDialog shown;
    shown.typeInto(Persons, shown.text(Persons));  // the same value again is no change
    ModalDriver driver;                            // any dialog would be one too many
    closeWindow(shown, GetParam());
    EXPECT_FALSE(shown.dialog().isVisible());
    EXPECT_EQ(shown.dialog().result(), QDialog::Rejected);
    EXPECT_TRUE(driver.done()) << driver.failure().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Ways, ClosingUnchanged,
                         ::testing::Values(CloseBy::EscapeKey, CloseBy::CancelButton,
                                           CloseBy::WindowCloseButton));

// ---- closing with changes ----------------------------------------------------------------

struct QuestionCase {
    const char* name;
    CloseBy how;
    QString answer;
    bool closes;
};

class ClosingChanged : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(ClosingChanged, AsksAndFollowsTheAnswer) {
    ShownMainDialog shown;
    shown.typeInto(Persons, QStringLiteral("9"));
    SeenQuestion seen;
    ModalDriver driver;
    driver.then<QMessageBox>(answerQuestion(seen, GetParam().answer));
    closeWindow(shown, GetParam().how);
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    EXPECT_EQ(seen.caption, QStringLiteral("Lumetra"));
    EXPECT_EQ(seen.text, QStringLiteral("Sollen die Änderungen gespeichert werden?"));
    EXPECT_EQ(seen.buttons, (QStringList{kCancel, kSave, kDiscard}));
    EXPECT_EQ(seen.defaultButton, kSave);
    EXPECT_EQ(shown.dialog().isVisible(), !GetParam().closes);
    EXPECT_EQ(shown.text(Persons), QStringLiteral("9")) << "nothing was lost";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClosingChanged,
    ::testing::Values(
        QuestionCase{"EscapeThenDiscard", CloseBy::EscapeKey, kDiscard, true},
        QuestionCase{"EscapeThenCancel", CloseBy::EscapeKey, kCancel, false},
        QuestionCase{"EscapeTwice", CloseBy::EscapeKey, "Escape", false},
        QuestionCase{"ButtonThenDiscard", CloseBy::CancelButton, kDiscard, true},
        QuestionCase{"ButtonThenCancel", CloseBy::CancelButton, kCancel, false},
        QuestionCase{"CloseButtonThenDiscard", CloseBy::WindowCloseButton, kDiscard, true},
        QuestionCase{"CloseButtonThenCancel", CloseBy::WindowCloseButton, kCancel, false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(ClosingChangedAndSaving, SpeichernSavesThroughTheFileDialogAndCloses) {
    TemporaryFolder folder;
    ShownMainDialog shown;
    shown.typeInto(Persons, QStringLiteral("5"));
    SeenQuestion seen;
    ModalDriver driver;
    driver.then<QMessageBox>(answerQuestion(seen, kSave))
        .then<QFileDialog>(typeFileName(folder.path() / "anlage.lumet"));
    closeWindow(shown, CloseBy::EscapeKey);
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    EXPECT_FALSE(shown.dialog().isVisible());
    const std::string saved = readFile(folder.path() / "anlage.lumet");
    EXPECT_EQ(saved, dataFileBytes(shown.dialog().calculator()));
    EXPECT_NE(saved.find("Personen im Haushalt        =           5.000000"), std::string::npos);
}

TEST(ClosingChangedAndSaving, ACancelledSaveKeepsTheWindowOpen) {
    ShownMainDialog shown;
    shown.typeInto(Persons, QStringLiteral("5"));
    SeenQuestion seen;
    ModalDriver driver;
    driver.then<QMessageBox>(answerQuestion(seen, kSave)).then<QFileDialog>(cancelFileDialog());
    closeWindow(shown, CloseBy::CancelButton);
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    EXPECT_TRUE(shown.dialog().isVisible());
    EXPECT_TRUE(shown.dialog().hasUnsavedChanges());
}

TEST(ClosingChangedAndSaving, AFailedSaveKeepsTheWindowOpen) {
    TemporaryFolder folder;
    ShownMainDialog shown;
    shown.typeInto(Persons, QStringLiteral("5"));
    SeenQuestion seen;
    QString message;
    ModalDriver driver;
    // A name in a folder that does not exist cannot be written.
    driver.then<QMessageBox>(answerQuestion(seen, kSave))
        .then<QFileDialog>(typeFileName(folder.path() / "x", QStringLiteral("fehlt/anlage.lumet")))
        .then<QMessageBox>(acknowledgeMessage(message));
    closeWindow(shown, CloseBy::EscapeKey);
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    EXPECT_EQ(message, QStringLiteral("Die Datei konnte nicht gespeichert werden !"));
    EXPECT_TRUE(shown.dialog().isVisible());
    EXPECT_TRUE(shown.dialog().hasUnsavedChanges());
}

TEST(ClosingChanged, EscapeInACellEditorOnlyCancelsThatEdit) {
    ShownMainDialog shown;
    shown.typeInto(Persons, QStringLiteral("9"));
    CTreeListCtrl& table = *shown.dialog().tableControl();
    const HTREEITEM row = table.GetNextItem(TVI_ROOT, TLGN_NEXTINLIST);
    const QPoint cell = table.viewport()->mapFrom(&table, table.GetCellRect(row, 1).center());
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell);
    const QString before = table.GetItemText(row, 1);
    QTest::keyClicks(&table, QStringLiteral("7"));
    auto* editor = qobject_cast<QLineEdit*>(table.GetEditControl());
    ASSERT_NE(editor, nullptr) << "typing did not open the cell editor";
    ModalDriver driver;  // no question may come up
    QTest::keyClick(editor, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(driver.done()) << driver.failure().toStdString();
    EXPECT_TRUE(shown.dialog().isVisible());
    EXPECT_EQ(table.GetEditControl(), nullptr);
    EXPECT_EQ(table.GetItemText(row, 1), before);
}

// ---- what counts as saved ----------------------------------------------------------------

TEST(UnsavedChanges, SavingAndLoadingMakeTheDataSetTheFilesAndTheTitleSaysSo) {
    TemporaryFolder folder;
    const std::filesystem::path file = folder.path() / "anlage.lumet";
    ShownMainDialog shown;
    CLumetraDlg& dialog = shown.dialog();
    const QString lumetra = QStringLiteral("Lumetra[*]");
    ASSERT_TRUE(titleSettles(shown, lumetra, false)) << dialog.windowTitle().toStdString();

    shown.typeInto(Persons, QStringLiteral("5"));
    ASSERT_TRUE(titleSettles(shown, lumetra, true));

    {
        ModalDriver driver;
        driver.then<QFileDialog>(typeFileName(file));
        clickButton(dialog, kSaveButtonId);
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    const QString named = QStringLiteral("anlage.lumet[*] \u2013 Lumetra");
    EXPECT_TRUE(titleSettles(shown, named, false)) << dialog.windowTitle().toStdString();
    EXPECT_FALSE(dialog.hasUnsavedChanges());

    reactivate(shown);
    shown.typeInto(Persons, QStringLiteral("2"));
    EXPECT_TRUE(titleSettles(shown, named, true));

    // Loading the file again brings back what was saved: nothing unsaved.
    {
        ModalDriver driver;
        driver.then<QFileDialog>(typeFileName(file));
        clickButton(dialog, kLoadButtonId);
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    EXPECT_TRUE(titleSettles(shown, named, false)) << dialog.windowTitle().toStdString();
    EXPECT_FALSE(dialog.hasUnsavedChanges());
    reactivate(shown);
    ModalDriver noQuestion;
    closeWindow(shown, CloseBy::EscapeKey);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(noQuestion.done()) << noQuestion.failure().toStdString();
}

// The refresh timer runs on inside the dialogs of "Speichern" and "Laden". Each step below waits
// in its dialog until the tick has run there twice, then answers as the user does.
class TicksInDialogs : public ::testing::Test {
  protected:
    TicksInDialogs() : ticks(refreshTimer(), &QTimer::timeout) {}

    QTimer* refreshTimer() {
        auto* timer = shown.dialog().findChild<QTimer*>(QStringLiteral("refreshTimer"));
        EXPECT_NE(timer, nullptr);
        EXPECT_TRUE(timer != nullptr && timer->isActive());
        return timer;
    }
    template <typename Dialog, typename Step>
    auto afterTicks(Step step) {
        return [this, step](Dialog* dialog) {
            const qsizetype before = ticks.count();
            EXPECT_TRUE(shown.waitFor([&] { return ticks.count() >= before + 2; }));
            step(dialog);
        };
    }
    void save(const std::filesystem::path& file, bool exists) {
        ModalDriver driver;
        driver.then<QFileDialog>(afterTicks<QFileDialog>(typeFileName(file)));
        if (exists) {
            driver.then<QMessageBox>(afterTicks<QMessageBox>([](QMessageBox* box) {
                QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
            }));
        }
        clickButton(shown.dialog(), kSaveButtonId);
        EXPECT_TRUE(driver.done()) << driver.failure().toStdString();
    }

    ShownMainDialog shown;
    QSignalSpy ticks;
};

TEST_F(TicksInDialogs, SavingAndLoadingClearTheMarkAndTypingSetsIt) {
    TemporaryFolder folder;
    const std::filesystem::path file = folder.path() / "anlage.lumet";
    const QString named = QStringLiteral("anlage.lumet[*] \u2013 Lumetra");
    struct Step {
        const char* name;
        const char* persons;  // typed before the save, if any
        bool exists;
    };
    for (const Step& step : {Step{"new file", "5", false}, Step{"overwrite", "6", true},
                             Step{"overwrite again", "7", true}}) {
        SCOPED_TRACE(step.name);
        reactivate(shown);
        shown.typeInto(Persons, QString::fromLatin1(step.persons));
        ASSERT_TRUE(titleSettles(shown, step.exists ? named : QStringLiteral("Lumetra[*]"), true));
        save(file, step.exists);
        EXPECT_TRUE(titleSettles(shown, named, false))
            << shown.dialog().windowTitle().toStdString();
        EXPECT_FALSE(shown.dialog().hasUnsavedChanges());
    }

    reactivate(shown);
    shown.typeInto(Persons, QStringLiteral("2"));
    ASSERT_TRUE(titleSettles(shown, named, true));
    {
        ModalDriver driver;
        driver.then<QFileDialog>(afterTicks<QFileDialog>(typeFileName(file)));
        clickButton(shown.dialog(), kLoadButtonId);
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    EXPECT_EQ(shown.text(Persons), QStringLiteral("7"));
    EXPECT_TRUE(titleSettles(shown, named, false)) << shown.dialog().windowTitle().toStdString();
}

TEST(UnsavedChanges, AFileThatIsNotLoadedIsNotTheDataSetsFile) {
    TemporaryFolder folder;
    ShownMainDialog shown;
    {
        ModalDriver driver;
        QString message;
        driver.then<QFileDialog>(typeFileName(folder.path() / "fehlt.lumet"))
            .then<QMessageBox>(acknowledgeMessage(message));
        clickButton(shown.dialog(), kLoadButtonId);
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    EXPECT_TRUE(titleSettles(shown, QStringLiteral("Lumetra[*]"), false))
        << shown.dialog().windowTitle().toStdString();
}

TEST(WindowTitle, NamesTheChosenPlaceUntilTheCoordinatesAreEdited) {
    ShownMainDialog shown;
    CLumetraDlg& dialog = shown.dialog();
    {
        ModalDriver driver;
        driver.then<CSelectionDlg>([](CSelectionDlg* selection) {
            QComboBox* list = selection->list();
            const int index = list->findText(QStringLiteral("Freiburg im Breisgau"));
            if (index < 0) {
                ADD_FAILURE() << "Freiburg im Breisgau is not offered";
                selection->reject();
                return;
            }
            list->setCurrentIndex(index);
            QTest::mouseClick(selection->okButton(), Qt::LeftButton);
        });
        clickButton(dialog, kChooseLocationButtonId);
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    const QString placed = QStringLiteral("Freiburg im Breisgau \u2013 Lumetra[*]");
    EXPECT_TRUE(titleSettles(shown, placed, true)) << dialog.windowTitle().toStdString();
    EXPECT_EQ(dialog.titlePlaceName(), "Freiburg im Breisgau");

    // Other fields keep the place; the coordinates do not.
    reactivate(shown);
    shown.typeInto(Persons, QStringLiteral("3"));
    EXPECT_TRUE(titleSettles(shown, placed, true));
    shown.typeInto(Longitude, QStringLiteral("8"));
    EXPECT_TRUE(titleSettles(shown, QStringLiteral("Lumetra[*]"), true))
        << dialog.windowTitle().toStdString();
}

TEST(WindowTitle, JoinsPlaceFileAndProgram) {
    const struct {
        const char* place;
        const char* file;
        const char* title;
    } cases[] = {
        {"", "", "Lumetra[*]"},
        {"", "/home/a/anlage.lumet", "anlage.lumet[*] \u2013 Lumetra"},
        {"Freiburg im Breisgau", "", "Freiburg im Breisgau \u2013 Lumetra[*]"},
        {"Freiburg im Breisgau", "/home/a/anlage.lumet",
         "Freiburg im Breisgau \u2013 anlage.lumet[*] \u2013 Lumetra"},
        {"", "/home/a/alt[*].lumet", "alt[*][*].lumet[*] \u2013 Lumetra"},  // shown as alt[*]
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mainWindowTitle(QString::fromUtf8(c.place), QString::fromUtf8(c.file)),
                  QString::fromUtf8(c.title));
    }
}

}  // namespace
}  // namespace lumetra::test

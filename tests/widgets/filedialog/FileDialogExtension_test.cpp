// SPDX-License-Identifier: GPL-3.0-or-later
// The extension on Qt's real (non-native) file dialog, driven on the offscreen platform with a
// temporary settings location and a temporary folder tree.

#include "FileDialogTestSupport.h"

#include "test_support_qt/Patience.h"
#include "widgets/filedialog/DialogExtension.h"
#include "widgets/filedialog/FileDialogExtension.h"
#include "widgets/filedialog/FileNameBox.h"
#include "widgets/filedialog/SuggestionPopup.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace lumetra {
namespace {

using test::FolderTree;
using test::storeDataHistory;
using test::storedDataHistory;
using test::TemporarySettings;

constexpr int kScanTimeoutMs = 10000;

class FileDialogExtensionTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InstallFileDialogExtension()); }

    // A dialog set up as the program's "Laden" and "Speichern" set up theirs.
    std::unique_ptr<QFileDialog> makeDialog(QFileDialog::AcceptMode mode,
                                            const QString& folder) const {
        auto dialog = std::make_unique<QFileDialog>(nullptr,
                                                    mode == QFileDialog::AcceptOpen
                                                        ? QStringLiteral("Daten laden")
                                                        : QStringLiteral("Daten speichern"),
                                                    folder);
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
        dialog->setAcceptMode(mode);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setDefaultSuffix(QStringLiteral("lumet"));
        dialog->setNameFilters(
            {QStringLiteral("Datendatei ( *.lumet )"), QStringLiteral("Alle Dateien (*)")});
        return dialog;
    }

    // Shows the dialog as the active window, as a user sees it: the dialog tells typing from
    // its own updates of the name by whether the editor has the focus.
    static DialogExtension* show(QFileDialog& dialog) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog, test::kPatienceMs));
        DialogExtension* extension = DialogExtension::of(&dialog);
        EXPECT_NE(extension, nullptr);
        return extension;
    }

    // Types `name` into the box and presses Enter, as a user confirms a file.
    static void confirm(DialogExtension& extension, const QString& name) {
        FileNameBox* box = extension.fileNameBox();
        box->lineEdit()->clear();
        QTest::keyClicks(box, name);
        QTest::keyClick(box, Qt::Key_Return);
    }

    TemporarySettings settings_;
    FolderTree tree_;
};

TEST_F(FileDialogExtensionTest, FileNameBoxTakesTheEditorsPlaceAndFocus) {
    auto dialog = makeDialog(QFileDialog::AcceptOpen, tree_.path());
    dialog->selectFile(QStringLiteral("*.lumet"));
    DialogExtension* extension = show(*dialog);
    ASSERT_NE(extension, nullptr);
    FileNameBox* box = extension->fileNameBox();
    auto* editor = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(box->lineEdit(), editor);
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->isEditable());
    EXPECT_EQ(editor->text(), QStringLiteral("*.lumet"));
    EXPECT_EQ(QApplication::focusWidget(), box);
    EXPECT_EQ(box->font(), editor->font());
}

TEST_F(FileDialogExtensionTest, TypedNameIsWhatTheDialogReturns) {
    auto dialog = makeDialog(QFileDialog::AcceptSave, tree_.path());
    DialogExtension* extension = show(*dialog);
    ASSERT_NE(extension, nullptr);
    QSignalSpy accepted(dialog.get(), &QDialog::accepted);
    confirm(*extension, QStringLiteral("neu"));
    ASSERT_EQ(accepted.count(), 1);
    EXPECT_EQ(dialog->selectedFiles(), QStringList{tree_.absolute(QStringLiteral("neu.lumet"))});
}

TEST_F(FileDialogExtensionTest, OpeningAFileRecordsItsFolderAndTheNextDialogShowsItFirst) {
    tree_.addFolder(QStringLiteral("Daten"));
    tree_.addFile(QStringLiteral("Daten/a.lumet"));
    storeDataHistory({tree_.entry()});

    auto first = makeDialog(QFileDialog::AcceptOpen, tree_.absolute(QStringLiteral("Daten")));
    DialogExtension* extension = show(*first);
    ASSERT_NE(extension, nullptr);
    EXPECT_EQ(extension->fileNameBox()->history(), QStringList{tree_.entry()});
    confirm(*extension, QStringLiteral("a.lumet"));
    EXPECT_EQ(first->result(), QDialog::Accepted);

    const QStringList expected{tree_.entry(QStringLiteral("Daten")), tree_.entry()};
    EXPECT_EQ(storedDataHistory(), expected);

    auto second = makeDialog(QFileDialog::AcceptOpen, tree_.path());
    DialogExtension* next = show(*second);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->fileNameBox()->history(), expected);
    // The history fills the list only; the name box keeps the dialog's own text.
    EXPECT_EQ(next->fileNameBox()->currentText(), QString());
}

struct ConfirmCase {
    const char* name;
    QFileDialog::AcceptMode mode;
    bool fileExists;
    bool recorded;
};

class ConfirmRecording : public FileDialogExtensionTest,
                         public ::testing::WithParamInterface<ConfirmCase> {};

TEST_P(ConfirmRecording, RecordsTheFolderOnlyWhenTheRulesSaySo) {
    const ConfirmCase& c = GetParam();
    tree_.addFolder(QStringLiteral("Ordner"));
    if (c.fileExists) {
        tree_.addFile(QStringLiteral("Ordner/b.lumet"));
    }
    auto dialog = makeDialog(c.mode, tree_.absolute(QStringLiteral("Ordner")));
    DialogExtension* extension = show(*dialog);
    ASSERT_NE(extension, nullptr);
    confirm(*extension, QStringLiteral("b.lumet"));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const QStringList expected =
        c.recorded ? QStringList{tree_.entry(QStringLiteral("Ordner"))} : QStringList{};
    EXPECT_EQ(storedDataHistory(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Confirm, ConfirmRecording,
    ::testing::Values(ConfirmCase{"SaveNewFile", QFileDialog::AcceptSave, false, false},
                      ConfirmCase{"SaveOverExistingFile", QFileDialog::AcceptSave, true, true},
                      ConfirmCase{"OpenExistingFile", QFileDialog::AcceptOpen, true, true},
                      ConfirmCase{"OpenMissingFileInExistingFolder", QFileDialog::AcceptOpen, false,
                                  true}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(FileDialogExtensionTest, RecordingAKnownFolderMovesItToTheTopOnce) {
    tree_.addFolder(QStringLiteral("a"));
    tree_.addFolder(QStringLiteral("b"));
    tree_.addFile(QStringLiteral("b/x.lumet"));
    const QString a = tree_.entry(QStringLiteral("a"));
    const QString b = tree_.entry(QStringLiteral("b"));
    storeDataHistory({a, b, tree_.entry()});

    auto dialog = makeDialog(QFileDialog::AcceptOpen, tree_.absolute(QStringLiteral("b")));
    DialogExtension* extension = show(*dialog);
    ASSERT_NE(extension, nullptr);
    confirm(*extension, QStringLiteral("x.lumet"));
    EXPECT_EQ(storedDataHistory(), (QStringList{b, a, tree_.entry()}));
}

TEST_F(FileDialogExtensionTest, AHistoryOfTwentyIsWrittenAsSixteen) {
    QStringList twenty;
    for (int i = 0; i < 20; ++i) {
        twenty.append(tree_.entry(QStringLiteral("old%1").arg(i)));
    }
    storeDataHistory(twenty);
    tree_.addFile(QStringLiteral("c.lumet"));

    auto dialog = makeDialog(QFileDialog::AcceptOpen, tree_.path());
    DialogExtension* extension = show(*dialog);
    ASSERT_NE(extension, nullptr);
    EXPECT_EQ(extension->fileNameBox()->count(), 20);
    confirm(*extension, QStringLiteral("c.lumet"));
    const QStringList expected = QStringList{tree_.entry()} + twenty.mid(0, 15);
    EXPECT_EQ(storedDataHistory(), expected);
}

TEST_F(FileDialogExtensionTest, ConfirmingATypedFolderOpensItAndRecordsIt) {
    tree_.addFolder(QStringLiteral("Unterordner"));
    auto dialog = makeDialog(QFileDialog::AcceptOpen, tree_.path());
    DialogExtension* extension = show(*dialog);
    ASSERT_NE(extension, nullptr);
    confirm(*extension, tree_.absolute(QStringLiteral("Unterordner/")));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->directory().absolutePath(), tree_.absolute(QStringLiteral("Unterordner")));
    EXPECT_EQ(storedDataHistory(), QStringList{tree_.entry(QStringLiteral("Unterordner"))});
}

TEST_F(FileDialogExtensionTest, EnterLeavesForwardSlashesWhereTheyAreTheSeparator) {
    auto dialog = makeDialog(QFileDialog::AcceptOpen, tree_.path());
    DialogExtension* extension = show(*dialog);
    ASSERT_NE(extension, nullptr);
    const QString typed = QStringLiteral("gibt/es/nicht.lumet");
    confirm(*extension, typed);
    EXPECT_EQ(extension->fileNameBox()->currentText(), withNativeSlashes(typed));
}

TEST_F(FileDialogExtensionTest, ChoosingAHistoryFolderOpensIt) {
    tree_.addFolder(QStringLiteral("Ziel"));
    const QString target = tree_.entry(QStringLiteral("Ziel"));
    const QString missing = tree_.entry(QStringLiteral("weg"));
    storeDataHistory({missing, target});
    auto dialog = makeDialog(QFileDialog::AcceptOpen, tree_.path());
    DialogExtension* extension = show(*dialog);
    ASSERT_NE(extension, nullptr);
    FileNameBox* box = extension->fileNameBox();

    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(1, 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
    EXPECT_EQ(dialog->directory().absolutePath(), tree_.absolute(QStringLiteral("Ziel")));
    EXPECT_EQ(storedDataHistory(), (QStringList{target, missing}));
    EXPECT_EQ(box->history(), (QStringList{target, missing}));

    // An entry that is no folder only fills the box.
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(1, 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
    EXPECT_EQ(dialog->directory().absolutePath(), tree_.absolute(QStringLiteral("Ziel")));
    EXPECT_EQ(box->currentText(), missing);

    // Arrow keys on the closed box walk the history without opening anything.
    box->setCurrentIndex(1);
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(box->currentText(), target);
    EXPECT_EQ(dialog->directory().absolutePath(), tree_.absolute(QStringLiteral("Ziel")));
}

class SuggestionTest : public FileDialogExtensionTest {
  protected:
    void SetUp() override {
        for (const char* name : {"Projekt.lumet", "PROTOKOLL.txt", "Daten.lumet", "aprot"}) {
            tree_.addFile(QString::fromLatin1(name));
        }
        tree_.addFolder(QStringLiteral("Programme"));
        dialog_ = makeDialog(QFileDialog::AcceptOpen, tree_.path());
        extension_ = show(*dialog_);
        ASSERT_NE(extension_, nullptr);
        box_ = extension_->fileNameBox();
        popup_ = extension_->suggestionPopup();
    }

    // Types `text` and waits until the suggestions show.
    void typeAndWait(const QString& text) {
        QTest::keyClicks(box_, text);
        ASSERT_TRUE(QTest::qWaitFor([this] { return popup_->isVisible(); }, kScanTimeoutMs));
    }

    // Waits until the popup offers exactly `expected`; on time-out, says what it offered.
    ::testing::AssertionResult offers(const QStringList& expected) const {
        if (QTest::qWaitFor([&] { return popup_->suggestions() == expected; }, kScanTimeoutMs)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "offered [" << popup_->suggestions().join(QStringLiteral(", ")).toStdString()
               << "]";
    }

    // Waits until the popup offers `count` names; on time-out, says how many it offered.
    ::testing::AssertionResult offersCount(int count) const {
        if (QTest::qWaitFor([&] { return popup_->count() == count; }, kScanTimeoutMs)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "offered " << popup_->count() << " names";
    }

    std::unique_ptr<QFileDialog> dialog_;
    DialogExtension* extension_{};
    FileNameBox* box_{};
    SuggestionPopup* popup_{};
};

TEST_F(SuggestionTest, TypingOffersTheNamesBeginningWithTheTextWithoutRegardToCase) {
    typeAndWait(QStringLiteral("pro"));
    const QStringList expected{QStringLiteral("Programme"), QStringLiteral("Projekt.lumet"),
                               QStringLiteral("PROTOKOLL.txt")};
    ASSERT_TRUE(offers(expected));
    EXPECT_EQ(popup_->width(), box_->width() - kSuggestionWidthShrink);
    EXPECT_EQ(popup_->height(), kSuggestionHeight);
    EXPECT_EQ(popup_->mapToGlobal(QPoint(0, 0)), box_->mapToGlobal(QPoint(0, box_->height())));
    // The box keeps the focus while the popup shows.
    EXPECT_EQ(QApplication::focusWidget(), box_);

    // Typing on narrows the offer.
    QTest::keyClicks(box_, QStringLiteral("t"));
    EXPECT_TRUE(offers({QStringLiteral("PROTOKOLL.txt")}));
}

TEST_F(SuggestionTest, UpAndDownWalkTheSuggestionsAndFillTheBox) {
    typeAndWait(QStringLiteral("pro"));
    ASSERT_TRUE(offersCount(3));
    QTest::keyClick(box_, Qt::Key_Down);
    EXPECT_EQ(box_->currentText(), QStringLiteral("Programme"));
    QTest::keyClick(box_, Qt::Key_Down);
    EXPECT_EQ(box_->currentText(), QStringLiteral("Projekt.lumet"));
    QTest::keyClick(box_, Qt::Key_Up);
    EXPECT_EQ(box_->currentText(), QStringLiteral("Programme"));
    QTest::keyClick(box_, Qt::Key_Up);
    EXPECT_EQ(box_->currentText(), QStringLiteral("Programme"));
    // Filling the box is no typing: the offer stays as it is.
    QTest::qWait(50);
    EXPECT_EQ(popup_->count(), 3);
    EXPECT_TRUE(popup_->isVisible());
}

TEST_F(SuggestionTest, AClickTakesTheNameIncludingTheTopmostOne) {
    for (int row : {0, 2}) {
        box_->lineEdit()->clear();
        typeAndWait(QStringLiteral("pro"));
        ASSERT_TRUE(offersCount(3));
        const QString name = popup_->item(row)->text();
        const QRect rect = popup_->visualItemRect(popup_->item(row));
        QTest::mouseClick(popup_->viewport(), Qt::LeftButton, {}, rect.center());
        EXPECT_EQ(box_->currentText(), name) << "row " << row;
        EXPECT_FALSE(popup_->isVisible()) << "row " << row;
    }
}

struct HideCase {
    const char* name;
    void (*act)(QFileDialog& dialog, FileNameBox& box);
};

class SuggestionHiding : public SuggestionTest, public ::testing::WithParamInterface<HideCase> {};

TEST_P(SuggestionHiding, HidesThePopup) {
    typeAndWait(QStringLiteral("pro"));
    GetParam().act(*dialog_, *box_);
    EXPECT_FALSE(popup_->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Occasions, SuggestionHiding,
    ::testing::Values(
        HideCase{"TextErased",
                 [](QFileDialog&, FileNameBox& box) {
                     for (int i = 0; i < 3; ++i) {
                         QTest::keyClick(&box, Qt::Key_Backspace);
                     }
                 }},
        HideCase{"HistoryOpens", [](QFileDialog&, FileNameBox& box) { box.showPopup(); }},
        HideCase{"BoxLosesFocus",
                 [](QFileDialog& dialog, FileNameBox&) {
                     auto* other = dialog.findChild<QWidget*>(QStringLiteral("lookInCombo"));
                     ASSERT_NE(other, nullptr);
                     other->setFocus(Qt::TabFocusReason);
                     ASSERT_EQ(QApplication::focusWidget(), other);
                 }},
        HideCase{"LeftButtonOnTheDialog",
                 [](QFileDialog& dialog, FileNameBox&) {
                     QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(2, 2));
                 }},
        HideCase{"DialogMoved", [](QFileDialog& dialog,
                                   FileNameBox&) { dialog.move(dialog.pos() + QPoint(7, 5)); }},
        HideCase{"FolderChanged",
                 [](QFileDialog& dialog, FileNameBox&) {
                     dialog.setDirectory(QFileInfo(dialog.directory().absolutePath()).path());
                 }},
        HideCase{"Escape",
                 [](QFileDialog&, FileNameBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(SuggestionTest, EscapeWithoutSuggestionsStillClosesTheDialog) {
    QTest::keyClick(box_, Qt::Key_Escape);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
}

TEST_F(SuggestionTest, AnotherFolderIsScannedAfterAFolderChange) {
    tree_.addFolder(QStringLiteral("Programme/innen"));
    tree_.addFile(QStringLiteral("Programme/prognose.csv"));
    dialog_->setDirectory(tree_.absolute(QStringLiteral("Programme")));
    typeAndWait(QStringLiteral("pro"));
    // Only the new folder's name: none of the old folder's "Programme", "Projekt.lumet" or
    // "PROTOKOLL.txt".
    EXPECT_TRUE(offers({QStringLiteral("prognose.csv")}));
}

TEST_F(FileDialogExtensionTest, ScanStopsWhenTheDialogCloses) {
    auto dialog = makeDialog(QFileDialog::AcceptOpen, tree_.path());
    DialogExtension* extension = show(*dialog);
    ASSERT_NE(extension, nullptr);
    EXPECT_TRUE(extension->isScanning());
    dialog->reject();
    EXPECT_FALSE(extension->isScanning());
    // The same dialog shown again scans again.
    dialog->show();
    EXPECT_TRUE(extension->isScanning());
}

int threadCount() {
    std::error_code error;
    int count = 0;
    for (auto it = std::filesystem::directory_iterator("/proc/self/task", error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        ++count;
    }
    return count;
}

TEST_F(FileDialogExtensionTest, TwoHundredDialogsLeaveNoScanThreadBehind) {
    for (int i = 0; i < 50; ++i) {
        tree_.addFile(QStringLiteral("datei%1.lumet").arg(i));
    }
    // One dialog first, so that threads Qt keeps for good (file watchers, icon providers)
    // exist before counting.
    {
        auto warmUp = makeDialog(QFileDialog::AcceptOpen, tree_.path());
        show(*warmUp);
        QTest::keyClicks(warmUp->findChild<FileNameBox*>(), QStringLiteral("d"));
        QTest::qWait(20);
    }
    QCoreApplication::processEvents();
    const int before = threadCount();
    for (int i = 0; i < 200; ++i) {
        auto dialog = makeDialog(i % 2 == 0 ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave,
                                 tree_.path());
        DialogExtension* extension = show(*dialog);
        ASSERT_NE(extension, nullptr);
        QTest::keyClicks(extension->fileNameBox(), QStringLiteral("dat"));
        QCoreApplication::processEvents();
        if (i % 3 == 0) {
            dialog->reject();
        }
    }
    QCoreApplication::processEvents();
    if (before > 0) {
        // Qt's own helper threads may come and go; scan threads would add up to 200.
        EXPECT_LE(threadCount(), before + 4);
    }
}

TEST_F(FileDialogExtensionTest, CopyCurrentPathPutsTheFolderOnTheClipboard) {
    tree_.addFolder(QStringLiteral("Kopie"));
    auto dialog = makeDialog(QFileDialog::AcceptOpen, tree_.absolute(QStringLiteral("Kopie")));
    DialogExtension* extension = show(*dialog);
    ASSERT_NE(extension, nullptr);
    QGuiApplication::clipboard()->setText(QStringLiteral("vorher"));

    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3),
                            dialog->mapToGlobal(QPoint(3, 3)));
    QCoreApplication::sendEvent(dialog.get(), &event);
    auto* menu = dialog->findChild<QMenu*>(QStringLiteral("folderContextMenu"));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    QAction* copy = menu->actions().front();
    EXPECT_EQ(copy->text(), QStringLiteral("Kopiere aktuellen Pfad"));
    copy->trigger();
    menu->close();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QDir::toNativeSeparators(tree_.absolute(QStringLiteral("Kopie"))));
}

TEST_F(FileDialogExtensionTest, ADroppedFilePutsItsPathIntoTheBox) {
    tree_.addFile(QStringLiteral("gezogen.lumet"));
    tree_.addFile(QStringLiteral("zweite.lumet"));
    auto dialog = makeDialog(QFileDialog::AcceptOpen, tree_.path());
    DialogExtension* extension = show(*dialog);
    ASSERT_NE(extension, nullptr);
    QLineEdit* editor = extension->fileNameBox()->lineEdit();

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(tree_.absolute(QStringLiteral("gezogen.lumet"))),
                  QUrl::fromLocalFile(tree_.absolute(QStringLiteral("zweite.lumet")))});
    const QPoint at = editor->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(editor, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(editor, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(editor->text(),
              QDir::toNativeSeparators(tree_.absolute(QStringLiteral("gezogen.lumet"))));
}

}  // namespace
}  // namespace lumetra

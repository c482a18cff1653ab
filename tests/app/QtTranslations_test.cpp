// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own dialogs speak German in this German program, also when the system's locale is the
// plain C locale: the standard buttons of a message box and the file dialog's texts.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "ModalDriver.h"
#include "app/FileCommands.h"
#include "app/QtTranslations.h"

namespace lumetra::test {
namespace {

// Runs before main() creates the application, which reads the locale from the environment.
[[maybe_unused]] const bool kPlainLocale = [] {
    qputenv("LC_ALL", "C");
    qputenv("LANG", "C");
    qunsetenv("LANGUAGE");
    return true;
}();

QString withoutMnemonic(QString text) {
    return text.remove(QLatin1Char('&'));
}

class GermanQtTexts : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_NE(QLocale::system().language(), QLocale::German)
            << "the test needs a system locale that is not German";
        ASSERT_TRUE(installGermanQtTranslations(*QCoreApplication::instance()))
            << "qtbase_de.qm is not installed (Debian: qt6-translations-l10n)";
    }
};

TEST_F(GermanQtTexts, TheOverwriteQuestionAnswersJaOrNein) {
    QString yes;
    QString no;
    ModalDriver driver;
    driver.then<QMessageBox>([&](QMessageBox* box) {
        if (box->button(QMessageBox::Yes) != nullptr) {
            yes = box->button(QMessageBox::Yes)->text();
        }
        if (box->button(QMessageBox::No) != nullptr) {
            no = box->button(QMessageBox::No)->text();
            QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
        } else {
            box->reject();
        }
    });
    EXPECT_FALSE(confirmOverwrite(nullptr));
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    EXPECT_EQ(withoutMnemonic(yes), QStringLiteral("Ja"));
    EXPECT_EQ(withoutMnemonic(no), QStringLiteral("Nein"));
}

TEST_F(GermanQtTexts, TheFileDialogSpeaksGerman) {
    QString lookIn;
    QString accept;
    QString cancel;
    ModalDriver driver;
    driver.then<QFileDialog>([&](QFileDialog* dialog) {
        if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("lookInLabel"))) {
            lookIn = label->text();
        }
        if (auto* box = dialog->findChild<QDialogButtonBox*>()) {
            for (QAbstractButton* button : box->buttons()) {
                if (box->buttonRole(button) == QDialogButtonBox::AcceptRole) {
                    accept = button->text();
                }
            }
            if (QAbstractButton* button = box->button(QDialogButtonBox::Cancel)) {
                cancel = button->text();
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        dialog->reject();
    });
    EXPECT_FALSE(runDataFileDialog(nullptr, DataFileDialogKind::Save, QString()).has_value());
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    EXPECT_EQ(withoutMnemonic(lookIn), QStringLiteral("Suchen in:"));
    EXPECT_EQ(withoutMnemonic(accept), QStringLiteral("Speichern"));
    EXPECT_EQ(withoutMnemonic(cancel), QStringLiteral("Abbrechen"));
}

}  // namespace
}  // namespace lumetra::test

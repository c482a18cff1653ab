// SPDX-License-Identifier: GPL-3.0-or-later
// A normal session in the window (typing, saving and loading through the file dialogs,
// closing) leaves no settings but the program's own folder history and the file dialog's own
// state. The session runs in a child process whose home and configuration folders are fresh,
// so that what it leaves behind can be listed.
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include "FileDialogSupport.h"
#include "MainDialogSupport.h"
#include "ModalDriver.h"
#include "app/ControlIds.h"
#include "test_support/TestSupport.h"
#include "widgets/filedialog/FileDialogExtension.h"

namespace lumetra::test {
namespace {

constexpr char kChildVariable[] = "LUMETRA_SESSION_CHILD";

auto typeFileName(const QString& folder, const QString& name) {
    return [folder, name](QFileDialog* dialog) {
        dialog->setDirectory(folder);
        typeFileNameAndAccept(dialog, name);
    };
}

void clickButton(CLumetraDlg& dialog, int id) {
    QTest::mouseClick(findControl(&dialog, id), Qt::LeftButton);
    QApplication::processEvents();
}

TEST(NormalSession, TypeSaveLoadAndClose) {
    if (qEnvironmentVariableIsEmpty(kChildVariable)) {
        GTEST_SKIP() << "runs in a child process started by SessionTraces";
    }
    const QString folder = qEnvironmentVariable("LUMETRA_SESSION_FOLDER");
    InstallFileDialogExtension();  // as the program's start does
    ShownMainDialog shown;
    shown.typeInto(Persons, QStringLiteral("5"));
    {
        ModalDriver driver;
        driver.then<QFileDialog>(typeFileName(folder, QStringLiteral("anlage.lumet")));
        clickButton(shown.dialog(), kSaveButtonId);
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    {
        ModalDriver driver;
        driver.then<QFileDialog>(typeFileName(folder, QStringLiteral("anlage.lumet")));
        clickButton(shown.dialog(), kLoadButtonId);
        ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    }
    ModalDriver noQuestion;
    QTest::keyClick(&shown.dialog(), Qt::Key_Escape);
    EXPECT_FALSE(shown.dialog().isVisible());
    EXPECT_TRUE(noQuestion.done()) << noQuestion.failure().toStdString();
}

TEST(SessionTraces, OnlyTheProgramsOwnSettingsAreLeft) {
    if (!qEnvironmentVariableIsEmpty(kChildVariable)) {
        GTEST_SKIP() << "already a child";
    }
    TemporaryFolder root;
    const QDir base(QString::fromStdString(root.path().string()));
    for (const char* sub : {"home", "config", "work"}) {
        ASSERT_TRUE(base.mkpath(QString::fromLatin1(sub)));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildVariable), QStringLiteral("1"));
    environment.insert(QStringLiteral("HOME"), base.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), base.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), base.filePath(QStringLiteral("cache")));
    environment.insert(QStringLiteral("LUMETRA_SESSION_FOLDER"),
                       base.filePath(QStringLiteral("work")));
    const ChildTestRun child = runTestsInChild(environment, QStringLiteral("NormalSession.*"));
    ASSERT_TRUE(child.started);
    ASSERT_TRUE(child.finished) << "the child did not finish";
    const QString& output = child.output;
    ASSERT_EQ(child.exitCode, 0) << output.toStdString();
    ASSERT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();

    // Every settings file the session wrote, wherever the configuration folder was.
    QStringList programKeys;
    QStringList files;
    QDirIterator it(base.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = base.relativeFilePath(path);
        if (relative.startsWith(QStringLiteral("cache/")) ||
            relative.startsWith(QStringLiteral("work/")) || relative.contains("/.cache/")) {
            continue;  // caches (fonts) and the session's own data file
        }
        files << relative;
        const QSettings settings(path, QSettings::IniFormat);
        if (relative.endsWith(QStringLiteral("Vandrel/Common.conf"))) {
            programKeys << settings.allKeys();
            const QStringList history =
                settings.value(QStringLiteral("OfnList/OfnListLumet")).toStringList();
            for (const QString& entry : history) {
                EXPECT_TRUE(entry.startsWith(base.filePath(QStringLiteral("work"))))
                    << "a folder the session never visited: " << entry.toStdString();
            }
            EXPECT_FALSE(history.isEmpty());
        } else if (relative.endsWith(QStringLiteral("QtProject.conf"))) {
            // The state Qt's file dialog keeps of itself (its recent places, its view).
            for (const QString& key : settings.allKeys()) {
                EXPECT_TRUE(key.startsWith(QStringLiteral("FileDialog/"))) << key.toStdString();
            }
        } else {
            ADD_FAILURE() << "a settings file that is not the program's: "
                          << relative.toStdString();
        }
    }
    EXPECT_EQ(programKeys.join(' ').toStdString(), "OfnList/OfnListLumet")
        << files.join(' ').toStdString();
}

}  // namespace
}  // namespace lumetra::test

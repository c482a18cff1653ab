// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainDialogSupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include "app/StaticText.h"
#include "test_support/TestSupport.h"

namespace lumetra::test {

std::vector<ShownText> shownTexts(const QWidget& dialog) {
    std::vector<ShownText> texts;
    for (const StaticText* text : dialog.findChildren<StaticText*>()) {
        texts.push_back({text, text->text(), false});
    }
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            texts.push_back({label, label->text(), label->wordWrap()});
        }
    }
    return texts;
}

ShownMainDialog::ShownMainDialog() : dialog_(std::make_unique<CLumetraDlg>()) {
    dialog_->show();
    dialog_->activateWindow();
    QApplication::processEvents();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog_.get(), kPatienceMs));
}

ShownMainDialog::~ShownMainDialog() {
    dialog_->hide();
}

void ShownMainDialog::typeInto(QuantityId q, const QString& keys) {
    QLineEdit* edit = field(q);
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_TRUE(edit->hasFocus()) << "field of quantity " << q << " did not take the focus";
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, keys);
}

void ShownMainDialog::pressTab() {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : dialog_.get(), Qt::Key_Tab);
}

bool waitForCondition(const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > kPatienceMs) {
            return false;
        }
        QTest::qWait(10);
    }
    return true;
}

Rgb fieldBackground(const QLineEdit* field) {
    const QColor colour = field->palette().color(QPalette::Base);
    return Rgb{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
               static_cast<std::uint8_t>(colour.blue())};
}

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void giveOwnHome(QProcessEnvironment& environment, const std::filesystem::path& folder) {
    const QString home = QString::fromStdString((folder / "home").string());
    const QDir dir(home);
    const QString runtime = dir.filePath(QStringLiteral("runtime"));
    EXPECT_TRUE(dir.mkpath(runtime));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral(".config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"),
                       dir.filePath(QStringLiteral(".local/share")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), dir.filePath(QStringLiteral(".cache")));
    environment.insert(QStringLiteral("XDG_STATE_HOME"),
                       dir.filePath(QStringLiteral(".local/state")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
}

ChildTestRun runTestsInChild(const QProcessEnvironment& environment, const QString& filter) {
    ChildTestRun run;
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=") + filter});
    run.started = child.waitForStarted();
    run.finished = run.started && child.waitForFinished(180000);
    run.output = QString::fromLocal8Bit(child.readAll());
    run.exitStatus = child.exitStatus();
    run.exitCode = child.exitCode();
    return run;
}

void expectChildPassed(const ChildTestRun& child, int caseCount) {
    ASSERT_TRUE(child.started);
    ASSERT_TRUE(child.finished) << "the child did not finish";
    const QString& output = child.output;
    EXPECT_EQ(child.exitStatus, QProcess::NormalExit) << output.toStdString();
    EXPECT_EQ(child.exitCode, 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] %1 tests").arg(caseCount)))
        << output.toStdString();
}

void expectChildPassesOnScreen(QSize screen, const char* childVariable, const QString& value,
                               const QString& filter, int caseCount) {
    const TemporaryFolder folder;
    const QString config = QString::fromStdString((folder.path() / "screen.json").string());
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral(R"({"screens": [{"name": "Screen", "x": 0, "y": 0, "width": %1,)"
                              R"( "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96,)"
                              R"( "dpr": 1}]})")
                   .arg(screen.width())
                   .arg(screen.height())
                   .toUtf8());
    file.close();
    ASSERT_EQ(file.error(), QFile::NoError);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(childVariable), value);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                       QStringLiteral("offscreen:configfile=") + config);
    environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
    giveOwnHome(environment, folder.path());
    expectChildPassed(runTestsInChild(environment, filter), caseCount);
}

}  // namespace lumetra::test

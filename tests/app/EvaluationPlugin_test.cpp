// SPDX-License-Identifier: GPL-3.0-or-later
// The Auswertung window as the program gets it: from the plugin, loaded on its first opening.
// This test program does not link the window, so every part of it seen here came from there.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "MainDialogSupport.h"
#include "ModalDriver.h"
#include "app/ControlIds.h"
#include "app/EvaluationAttachment.h"
#include "evaluation/Evaluation.h"
#include "evaluation_port/EvaluationPluginLoader.h"

namespace lumetra::test {
namespace {

constexpr int kChartPictureId = 1111;
constexpr int kDemandRow = 7;
constexpr int kMonthlyColumn = 2;

// Whether a file whose name contains `part` is mapped into this process.
bool isLoaded(const QString& part) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read /proc/self/maps";
        return false;
    }
    return QString::fromLocal8Bit(maps.readAll()).contains(part);
}

QWidget* topLevelNamed(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name) {
            return widget;
        }
    }
    return nullptr;
}

TEST(EvaluationPlugin, ChartingLibraryLoadsOnlyWhenTheWindowIsFirstOpened) {
    ShownMainDialog shown;
    ASSERT_TRUE(shown.waitFor(
        [&] { return shown.dialog().evaluation().evaluation().hourlyResult() != nullptr; }));
    // The main window with its status line is up, the hourly balance computed: still neither.
    EXPECT_FALSE(isLoaded(QStringLiteral("libQt6Charts")));
    EXPECT_FALSE(isLoaded(QString::fromLatin1(kEvaluationPluginFileName)));

    auto* chart = qobject_cast<QLabel*>(findControl(&shown.dialog(), kChartPictureId));
    ASSERT_NE(chart, nullptr);
    QTest::mouseClick(chart, Qt::LeftButton, {}, chart->rect().center());

    EXPECT_TRUE(isLoaded(QString::fromLatin1(kEvaluationPluginFileName)));
    EXPECT_TRUE(isLoaded(QStringLiteral("libQt6Charts")));
    QWidget* window = topLevelNamed(QStringLiteral("evaluationWindow"));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Auswertung – Lumetra"));
    ASSERT_NE(shown.dialog().evaluation().window(), nullptr);
    EXPECT_EQ(&shown.dialog().evaluation().window()->widget(), window);

    // The plugin's window follows the main window at the next tick.
    auto* figures = window->findChild<QTableWidget*>(QStringLiteral("keyFigures"));
    ASSERT_NE(figures, nullptr);
    ASSERT_NE(figures->item(kDemandRow, kMonthlyColumn), nullptr);
    const QString before = figures->item(kDemandRow, kMonthlyColumn)->text();
    shown.typeInto(Persons, QStringLiteral("2"));
    shown.dialog().refreshTick();
    EXPECT_NE(figures->item(kDemandRow, kMonthlyColumn)->text(), before);
}

TEST(EvaluationPlugin, ClosingTheMainWindowWithThePluginsWindowOpenEndsCleanly) {
    {
        ShownMainDialog shown;
        shown.dialog().evaluation().openWindow();
        ASSERT_NE(topLevelNamed(QStringLiteral("evaluationWindow")), nullptr);
    }
    QApplication::processEvents();
    EXPECT_EQ(topLevelNamed(QStringLiteral("evaluationWindow")), nullptr);
}

TEST(EvaluationPlugin, AWindowThatCannotBeMadeIsReportedAndTheMainWindowStays) {
    ShownMainDialog shown;
    shown.dialog().evaluation().setWindowFactory(
        [](const EvaluationWindowContext&, QString* error) {
            *error = QStringLiteral("Das Auswertungsmodul fehlt");
            return static_cast<EvaluationWindowPort*>(nullptr);
        });
    shown.typeInto(Persons, QStringLiteral("3"));
    QString shownText;
    ModalDriver driver;
    driver.then<QMessageBox>([&](QMessageBox* box) {
        shownText = box->text();
        box->accept();
    });
    shown.dialog().evaluation().openWindow();
    ASSERT_TRUE(driver.done()) << driver.failure().toStdString();
    EXPECT_TRUE(shownText.startsWith(QStringLiteral("Die Auswertung kann nicht geöffnet werden.")));
    EXPECT_TRUE(shownText.contains(QStringLiteral("Das Auswertungsmodul fehlt")));
    EXPECT_EQ(shown.dialog().evaluation().window(), nullptr);
    EXPECT_TRUE(shown.dialog().isVisible());
    EXPECT_EQ(shown.text(Persons), QStringLiteral("3"));
}

// Files that are not this build's plugin are refused with a reason that names them, and
// nothing of theirs is run. Each case runs in a process of its own, before any plugin was loaded.
struct RefusedCase {
    const char* name;
    std::function<QString(const QTemporaryDir&)> file;
    const char* reason;
};

void PrintTo(const RefusedCase& refused, std::ostream* out) {
    *out << refused.name;
}

class RefusedPlugin : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedPlugin, IsNotLoaded) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = GetParam().file(folder);
    QString error;
    EXPECT_EQ(loadEvaluationPlugin({path}, &error), nullptr);
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().reason))) << error.toStdString();
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    // A plugin of another build is not even mapped: its code never ran.
    EXPECT_FALSE(isLoaded(QStringLiteral("foreign-evaluation-plugin")));
}

QString libraryOfThisProcess(const QString& part) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) {
        return {};
    }
    for (const QString& line : QString::fromLocal8Bit(maps.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype slash = line.indexOf(QLatin1Char('/'));
        if (slash >= 0 && line.contains(part)) {
            return line.mid(slash);
        }
    }
    return {};
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedPlugin,
    ::testing::Values(
        RefusedCase{"Missing",
                    [](const QTemporaryDir& folder) {
                        return folder.filePath(QStringLiteral("lumetra-evaluation.so"));
                    },
                    "wurde nicht gefunden"},
        RefusedCase{"NotALibrary",
                    [](const QTemporaryDir& folder) {
                        const QString path =
                            folder.filePath(QStringLiteral("lumetra-evaluation.so"));
                        QFile file(path);
                        if (file.open(QIODevice::WriteOnly)) {
                            file.write("Dies ist keine Bibliothek.\n");
                        }
                        return path;
                    },
                    "lässt sich nicht laden"},
        RefusedCase{"ALibraryThatIsNoPlugin",
                    [](const QTemporaryDir&) {
                        return libraryOfThisProcess(QStringLiteral("libQt6Core.so"));
                    },
                    "lässt sich nicht laden"},
        // Same version, same interface name, another build's identity.
        RefusedCase{"PluginOfAnotherBuild",
                    [](const QTemporaryDir&) { return QStringLiteral(LUMETRA_FOREIGN_PLUGIN); },
                    "ist kein Auswertungsmodul dieses Programms"}),
    [](const ::testing::TestParamInfo<RefusedCase>& caseInfo) {
        return std::string(caseInfo.param.name);
    });

TEST(EvaluationPlugin, IsFoundBesideAnInstalledProgramBeforeAnywhereElse) {
    const QStringList candidates = evaluationPluginCandidates(QStringLiteral("/opt/lumetra/bin"));
    ASSERT_GE(candidates.size(), 2);
    EXPECT_TRUE(candidates[0].startsWith(QStringLiteral("/opt/lumetra/lib")));
    EXPECT_TRUE(candidates[0].endsWith(QStringLiteral("/lumetra/lumetra-evaluation.so")));
    EXPECT_EQ(candidates[1], QStringLiteral("/opt/lumetra/bin/lumetra-evaluation.so"));
    // A program outside the build tree never takes the build tree's plugin.
    EXPECT_EQ(candidates.size(), 2);
    EXPECT_GT(evaluationPluginCandidates(QCoreApplication::applicationDirPath()).size(), 2);
}

}  // namespace
}  // namespace lumetra::test

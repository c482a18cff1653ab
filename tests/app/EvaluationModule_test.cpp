// SPDX-License-Identifier: GPL-3.0-or-later
// The Auswertung window as the programs get it: from the module, loaded on its first opening.
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
#include "evaluation_port/EvaluationModule.h"

namespace lumetra::test {
namespace {

constexpr int kChartPictureId = 1111;
constexpr int kDemandRow = 7;

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

TEST(EvaluationModule, ChartingLibraryLoadsOnlyWhenTheWindowIsFirstOpened) {
    ShownMainDialog shown;
    ASSERT_TRUE(shown.waitFor(
        [&] { return shown.dialog().evaluation().evaluation().hourlyResult() != nullptr; }));
    // The main window with its status line is up, the hourly balance computed: still neither.
    EXPECT_FALSE(isLoaded(QStringLiteral("libQt6Charts")));
    EXPECT_FALSE(isLoaded(QString::fromLatin1(kEvaluationModuleFileName)));

    auto* chart = qobject_cast<QLabel*>(findControl(&shown.dialog(), kChartPictureId));
    ASSERT_NE(chart, nullptr);
    QTest::mouseClick(chart, Qt::LeftButton, {}, chart->rect().center());

    EXPECT_TRUE(isLoaded(QString::fromLatin1(kEvaluationModuleFileName)));
    EXPECT_TRUE(isLoaded(QStringLiteral("libQt6Charts")));
    QWidget* window = topLevelNamed(QStringLiteral("evaluationWindow"));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Auswertung – Lumetra"));
    ASSERT_NE(shown.dialog().evaluation().window(), nullptr);
    EXPECT_EQ(&shown.dialog().evaluation().window()->widget(), window);

    // The module's window follows the main window at the next tick.
    auto* figures = window->findChild<QTableWidget*>(QStringLiteral("keyFigures"));
    ASSERT_NE(figures, nullptr);
    ASSERT_NE(figures->item(kDemandRow, 1), nullptr);
    const QString before = figures->item(kDemandRow, 1)->text();
    shown.typeInto(Persons, QStringLiteral("2"));
    shown.dialog().refreshTick();
    EXPECT_NE(figures->item(kDemandRow, 1)->text(), before);
}

TEST(EvaluationModule, ClosingTheMainWindowWithTheModulesWindowOpenEndsCleanly) {
    {
        ShownMainDialog shown;
        shown.dialog().evaluation().openWindow();
        ASSERT_NE(topLevelNamed(QStringLiteral("evaluationWindow")), nullptr);
    }
    QApplication::processEvents();
    EXPECT_EQ(topLevelNamed(QStringLiteral("evaluationWindow")), nullptr);
}

TEST(EvaluationModule, AWindowThatCannotBeMadeIsReportedAndTheMainWindowStays) {
    EvaluationAttachment::useWindowFactory([](const EvaluationWindowContext&, QString* error) {
        *error = QStringLiteral("Das Auswertungsmodul fehlt");
        return static_cast<EvaluationWindowPort*>(nullptr);
    });
    ShownMainDialog shown;
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

// Files that are not the module are refused with a reason that names them, and nothing is
// loaded from them that could be called. Each case runs in a process of its own, before any
// module was loaded.
struct RefusedCase {
    const char* name;
    std::function<QString(const QTemporaryDir&)> file;  // empty: a file that does not exist
    const char* reason;
};

void PrintTo(const RefusedCase& refused, std::ostream* out) {
    *out << refused.name;
}

class RefusedModule : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedModule, IsNotLoaded) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = GetParam().file(folder);
    QString error;
    EXPECT_EQ(EvaluationModule::load({path}, &error), nullptr);
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().reason))) << error.toStdString();
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
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
    Files, RefusedModule,
    ::testing::Values(RefusedCase{"Missing",
                                  [](const QTemporaryDir& folder) {
                                      return folder.filePath(
                                          QStringLiteral("lumetra-evaluation.so"));
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
                      RefusedCase{"AnotherLibrary",
                                  [](const QTemporaryDir&) {
                                      return libraryOfThisProcess(QStringLiteral("libQt6Core.so"));
                                  },
                                  "ist kein Auswertungsmodul dieser Version von Lumetra"}),
    [](const ::testing::TestParamInfo<RefusedCase>& caseInfo) {
        return std::string(caseInfo.param.name);
    });

TEST(EvaluationModule, IsFoundBesideAnInstalledProgramBeforeAnywhereElse) {
    const QStringList candidates = evaluationModuleCandidates(QStringLiteral("/opt/lumetra/bin"));
    ASSERT_GE(candidates.size(), 2);
    EXPECT_TRUE(candidates[0].startsWith(QStringLiteral("/opt/lumetra/lib")));
    EXPECT_TRUE(candidates[0].endsWith(QStringLiteral("/lumetra/lumetra-evaluation.so")));
    EXPECT_EQ(candidates[1], QStringLiteral("/opt/lumetra/bin/lumetra-evaluation.so"));
    // A program outside the build tree never takes the build tree's module.
    EXPECT_EQ(candidates.size(), 2);
    EXPECT_GT(evaluationModuleCandidates(QCoreApplication::applicationDirPath()).size(), 2);
}

}  // namespace
}  // namespace lumetra::test

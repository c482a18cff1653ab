// SPDX-License-Identifier: GPL-3.0-or-later
// lumetra-cli --report and the Auswertung inputs of a data file, through the real binary.
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "test_support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ProgramRun run(const QString& program, const QStringList& arguments, const fs::path& folder,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(folder.string()));
    process.start(program, arguments);
    ProgramRun result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::copy_file(fs::path(LUMETRA_GOLDEN_DIR) / "two-fields.lumet",
                      folder.path() / "two-fields.lumet");
    }
    ProgramRun cli(const QStringList& arguments, const QProcessEnvironment& environment =
                                                     QProcessEnvironment::systemEnvironment()) {
        return run(QStringLiteral(LUMETRA_CLI_PATH), arguments, folder.path(), environment);
    }
    // The PDF's text, or nothing when poppler-utils are missing.
    std::optional<QString> pdfText(const fs::path& pdf, int expectedPages) {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            return std::nullopt;
        }
        const QString path = QString::fromStdString(pdf.string());
        const ProgramRun info = run(QStringLiteral("pdfinfo"), {path}, folder.path());
        EXPECT_TRUE(
            info.out.contains(QByteArray("Pages:           ") + QByteArray::number(expectedPages)))
            << info.out.toStdString();
        // The PDF's fonts set "fi" and "fl" as ligatures; compatibility normalisation spells them.
        return QString::fromUtf8(run(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-layout"), path, QStringLiteral("-")},
                                     folder.path())
                                     .out)
            .normalized(QString::NormalizationForm_KC);
    }

    lumetra::test::TemporaryFolder folder;
};

TEST_F(CliReportTest, WritesTheReportOfTheFinalState) {
    const ProgramRun result =
        cli({"--load", "two-fields.lumet", "--type", "Persons=3", "--report", "bericht.pdf"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    ASSERT_TRUE(fs::exists(folder.path() / "bericht.pdf"));
    const auto text = pdfText(folder.path() / "bericht.pdf", 3);
    if (!text) {
        GTEST_SKIP() << "poppler-utils are not installed";
    }
    for (const char* expected :
         {"Lumetra – Auswertung", "two-fields.lumet", "Kennzahlen", "Stundenbilanz", "Autarkiegrad",
          "Wirtschaftlichkeit", "Kumulierter Zahlungsfluss"}) {
        EXPECT_TRUE(text->contains(QString::fromUtf8(expected))) << expected;
    }
    // The data set itself still goes to standard output as before.
    EXPECT_TRUE(result.out.startsWith("Breitengrad"));
}

TEST_F(CliReportTest, AuswertungInputsOfALoadedFileSurviveSavingAndReachTheReport) {
    {
        std::ofstream out(folder.path() / "two-fields.lumet", std::ios::app | std::ios::binary);
        out << "Betrachtungsdauer           =          25.000000 Jahre   \n";
    }
    const ProgramRun result =
        cli({"--load", "two-fields.lumet", "--save", "kopie.lumet", "--report", "bericht.pdf"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_NE(fileText(folder.path() / "kopie.lumet").find("Betrachtungsdauer"), std::string::npos);
    const auto text = pdfText(folder.path() / "bericht.pdf", 3);
    if (!text) {
        GTEST_SKIP() << "poppler-utils are not installed";
    }
    EXPECT_TRUE(text->contains(QStringLiteral("25 Jahre")));
    EXPECT_TRUE(text->contains(QStringLiteral("Kapitalwert nach 25 Jahren")));
}

// Qt's notes about its surroundings (here: no runtime folder) are not the program's messages.
TEST_F(CliReportTest, WritesNothingToStandardErrorWhenAllGoesWell) {
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_RUNTIME_DIR", "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        bare.remove(QString::fromLatin1(name));
    }
    const ProgramRun result = cli({"--load", "two-fields.lumet", "--report", "bericht.pdf"}, bare);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err.toStdString(), "");
    EXPECT_TRUE(fs::exists(folder.path() / "bericht.pdf"));
}

TEST_F(CliReportTest, AReportThatCannotBeWrittenIsAFailure) {
    const ProgramRun result = cli({"--report", "kein/ordner/bericht.pdf"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("Der Bericht konnte nicht geschrieben werden"));
    const ProgramRun missing = cli({"--report"});
    EXPECT_EQ(missing.exitCode, 2);
}

}  // namespace

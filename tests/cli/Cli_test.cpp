// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "test_support/ShippedTables.h"
#include "test_support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs lumetra-cli in `folder` with the arguments.
CliRun runCli(const QStringList& arguments, const fs::path& folder) {
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(folder.string()));
    process.start(QStringLiteral(LUMETRA_CLI_PATH), arguments);
    CliRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// A working folder with the golden inputs copied into it.
class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"two-fields.lumet", "completed-area.lumet", "SolarDatabase.csv"}) {
            fs::copy_file(fs::path(LUMETRA_GOLDEN_DIR) / name, folder.path() / name);
        }
    }

    QJsonObject json(const QStringList& arguments, int expectedExit = 0) {
        QStringList all = arguments;
        all << "--json";
        const CliRun run = runCli(all, folder.path());
        EXPECT_EQ(run.exitCode, expectedExit) << run.err.toStdString();
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
        return document.object();
    }

    static QJsonObject quantity(const QJsonObject& state, int index) {
        return state["quantities"].toArray()[index].toObject();
    }

    lumetra::test::TemporaryFolder folder;
};

TEST_F(CliTest, OpeningStateMatchesTheWindowAfterOpening) {
    const QJsonObject state = json({});
    ASSERT_EQ(state["quantities"].toArray().size(), 42);
    EXPECT_EQ(quantity(state, 0)["id"].toString(), "Latitude");
    EXPECT_EQ(quantity(state, 0)["state"].toString(), "preset");
    EXPECT_EQ(quantity(state, 6)["text"].toString(), "1.713");
    EXPECT_EQ(quantity(state, 11)["state"].toString(), "derived");
    EXPECT_EQ(quantity(state, 30)["state"].toString(), "free");
    const QJsonArray rows = state["rows"].toArray();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].toObject()["cells"].toArray()[0].toString(), "5.00 m ");
    EXPECT_EQ(state["monthly"].toObject()["yield"].toArray().size(), 12);
    EXPECT_GT(state["figures"].toObject()["totalModuleArea"].toDouble(), 9.99);
}

TEST_F(CliTest, LoadsTheGoldenFile) {
    const QJsonObject state = json({"--load", "two-fields.lumet"});
    EXPECT_EQ(quantity(state, 0)["value"].toDouble(), 48.3);
    EXPECT_EQ(quantity(state, 12)["value"].toDouble(), 3);  // first "Personen im Haushalt"
    EXPECT_EQ(quantity(state, 14)["value"].toDouble(), 2);  // second one, by its position
    EXPECT_EQ(quantity(state, 15)["value"].toDouble(), 40);
    EXPECT_EQ(quantity(state, 27)["value"].toDouble(), 12000);
    const QJsonArray rows = state["rows"].toArray();
    ASSERT_EQ(rows.size(), 2);
    // Rows follow their numbers: row 1 first, then row 5. Row 1's height is completed after
    // the rows were formatted; the refresh tick run before the output formats it too.
    const QJsonArray first = rows[0].toObject()["cells"].toArray();
    EXPECT_EQ(first[0].toString(), "6.00 m ");
    EXPECT_EQ(first[1].toString(), "2.00 m ");
    EXPECT_EQ(rows[1].toObject()["cells"].toArray()[2].toString(), "12.00 m² ");
    const QJsonObject second = rows[1].toObject();
    EXPECT_EQ(second["cells"].toArray()[4].toString(), "95 ° ");
    EXPECT_EQ(second["background"].toArray()[4].toString(), "#ffe9e9");
    EXPECT_TRUE(second["background"].toArray()[0].isNull());
}

struct CommandCase {
    const char* name;
    QStringList arguments;
    int quantity;
    double expected;
};

class CliCommandTest : public CliTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CliCommandTest, SetsTheQuantity) {
    const QJsonObject state = json(GetParam().arguments);
    EXPECT_DOUBLE_EQ(quantity(state, GetParam().quantity)["value"].toDouble(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliCommandTest,
    ::testing::Values(
        CommandCase{"TypeByIdentifierIsLimited", {"--type", "Latitude=95"}, 0, 90},
        CommandCase{"TypeByIndexWithComma", {"--type", "10=12,5"}, 10, 12.5},
        CommandCase{"LocationWithComma", {"--location", "Linz"}, 0, 48.31},
        CommandCase{"LocationWithUmlaut", {"--location", "Österreich Mitte"}, 2, 1100},
        CommandCase{"LocationOnlyIrradiation", {"--location", "Nirgendwo"}, 2, 1000},
        CommandCase{"CellAddsAField", {"--cell", "2,1=3", "--cell", "2,2=2"}, 40, 16},
        CommandCase{"DeleteRowRemovesTheField", {"--delete-row", "1"}, 40, 0},
        CommandCase{
            "ToggleThenType", {"--toggle", "ModuleArea", "--type", "ModuleArea=2"}, 4, 2 / 1.686}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct WrongCase {
    const char* name;
    QStringList arguments;
};

class CliWrongCommandLineTest : public CliTest, public ::testing::WithParamInterface<WrongCase> {};

TEST_P(CliWrongCommandLineTest, ExitsWithTwoAndOneLineThatPointsToTheHelp) {
    const CliRun run = runCli(GetParam().arguments, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    const QList<QByteArray> lines = run.err.split('\n');
    ASSERT_EQ(lines.size(), 3) << run.err.toStdString();  // two lines and the end of the last
    EXPECT_TRUE(lines[0].startsWith("lumetra-cli: ")) << run.err.toStdString();
    EXPECT_GT(lines[0].size(), 20) << "says what is wrong";
    EXPECT_EQ(lines[1], "Mehr dazu: lumetra-cli --help");
    EXPECT_TRUE(lines[2].isEmpty());
    EXPECT_FALSE(run.err.contains("Aufruf:")) << "no whole usage";
}

INSTANTIATE_TEST_SUITE_P(Cli, CliWrongCommandLineTest,
                         ::testing::Values(WrongCase{"UnknownOption", {"--frobnicate"}},
                                           WrongCase{"MissingValue", {"--load"}},
                                           WrongCase{"UnknownQuantity", {"--type", "Nothing=3"}},
                                           WrongCase{"QuantityOutOfRange", {"--toggle", "42"}},
                                           WrongCase{"TypingIntoDerivedField",
                                                     {"--type", "AnnualYield=5"}},
                                           WrongCase{"DisabledBox", {"--toggle", "Latitude"}},
                                           WrongCase{"HiddenBox", {"--toggle", "StorageDays"}},
                                           WrongCase{"CellColumnOutOfRange", {"--cell", "1,6=3"}},
                                           WrongCase{"CellRowMissing", {"--cell", "3,1=3"}},
                                           WrongCase{"DeletePlaceholder", {"--delete-row", "2"}},
                                           WrongCase{"UnknownPlace", {"--location", "Atlantis"}},
                                           WrongCase{"BadChartSize", {"--chart-size", "0x10"}}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(CliTest, OutputThatCannotBeWrittenIsAFailure) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    for (const QStringList& arguments : {QStringList{}, QStringList{"--json"}}) {
        QProcess process;
        process.setWorkingDirectory(QString::fromStdString(folder.path().string()));
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(LUMETRA_CLI_PATH), arguments);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(process.readAllStandardError().contains("Ausgabe konnte nicht geschrieben"));
    }
}

TEST_F(CliTest, HelpPrintsUsageAndEveryQuantityWithLabelAndUnit) {
    const CliRun run = runCli({"--help"}, folder.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains("--location NAME"));
    const QStringList lines = QString::fromUtf8(run.out).split('\n');
    const struct {
        int index;
        const char* identifier;
        const char* labelAndUnit;
    } expected[] = {
        {0, "Latitude", "Breitengrad [°]"},
        {2, "AnnualIrradiation", "Globalstrahlung [kWh/m²]"},
        {16, "WaterPerYear", "Wasserverbrauch [m³/Jahr]"},
        {41, "SolarPower", "Solarleistung [Wp]"},
    };
    for (const auto& quantity : expected) {
        const QString start =
            QStringLiteral("%1  %2 ").arg(quantity.index, 4).arg(quantity.identifier);
        const auto line = std::find_if(lines.begin(), lines.end(),
                                       [&](const QString& text) { return text.startsWith(start); });
        ASSERT_NE(line, lines.end()) << quantity.identifier << "\n" << run.out.toStdString();
        EXPECT_TRUE(line->endsWith(QString::fromUtf8(quantity.labelAndUnit)))
            << line->toStdString();
    }
    int quantityLines = 0;
    for (const QString& line : lines) {
        quantityLines +=
            line.contains(QRegularExpression("^ +\\d+  [A-Za-z0-9]+ +.+ \\[.+\\]$")) ? 1 : 0;
    }
    EXPECT_EQ(quantityLines, 42);
}

TEST_F(CliTest, JsonNamesEveryQuantityAndGivesTheCellsNumbers) {
    const QJsonObject state = json({"--cell", "1,4=(Westen)\u00A0  90°"});
    EXPECT_EQ(quantity(state, 0)["label"].toString(), QStringLiteral("Breitengrad"));
    EXPECT_EQ(quantity(state, 0)["unit"].toString(), QStringLiteral("°"));
    EXPECT_EQ(quantity(state, 13)["unit"].toString(), QStringLiteral("kWh"));
    for (const QJsonValue& entry : state["quantities"].toArray()) {
        EXPECT_FALSE(entry.toObject()["label"].toString().isEmpty());
        EXPECT_FALSE(entry.toObject()["unit"].toString().isEmpty());
    }
    const QJsonObject row = state["rows"].toArray()[0].toObject();
    const QJsonArray cells = row["cells"].toArray();
    const QJsonArray values = row["values"].toArray();
    ASSERT_EQ(values.size(), 7);
    EXPECT_EQ(cells[0].toString(), "5.00 m ");
    EXPECT_DOUBLE_EQ(values[0].toDouble(), 5);
    EXPECT_DOUBLE_EQ(values[1].toDouble(), 2);
    EXPECT_DOUBLE_EQ(values[2].toDouble(), 10);
    EXPECT_DOUBLE_EQ(values[3].toDouble(), 90) << cells[3].toString().toStdString();
    EXPECT_DOUBLE_EQ(values[4].toDouble(), 30);
    EXPECT_GT(values[5].toDouble(), 0) << "the power";
    EXPECT_GT(values[6].toDouble(), 0) << "the yield";
}

// A fault of a file: one line on stderr that names the program and the file, and exit 1.
struct MessageCase {
    const char* name;
    QStringList arguments;
    const char* message;
    void (*prepare)(const fs::path& folder) = nullptr;
};

class CliMessageTest : public CliTest, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(CliMessageTest, NamesTheProgramAndTheFileAndExitsWithOne) {
    if (GetParam().prepare != nullptr) {
        GetParam().prepare(folder.path());
    }
    const CliRun run = runCli(GetParam().arguments, folder.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.toStdString(),
              QString::fromUtf8(GetParam().message)
                      .replace(QStringLiteral("FOLDER"), QString::fromStdString(folder.path()))
                      .toStdString() +
                  "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliMessageTest,
    ::testing::Values(
        MessageCase{"LoadMissingFile",
                    {"--load", "fehlt.lumet"},
                    "lumetra-cli: fehlt.lumet: Die Datei wurde nicht gefunden !"},
        MessageCase{"TheFailingOneOfSeveralLoads",
                    {"--load", "two-fields.lumet", "--load", "fehlt.lumet", "--load",
                     "completed-area.lumet"},
                    "lumetra-cli: fehlt.lumet: Die Datei wurde nicht gefunden !"},
        MessageCase{"LoadForeignFile",
                    {"--load", "SolarDatabase.csv"},
                    "lumetra-cli: SolarDatabase.csv: Die Datei hat das falsche Format !"},
        MessageCase{"SaveOntoFolder",
                    {"--save", "."},
                    "lumetra-cli: .: Die Datei konnte nicht gespeichert werden !"},
        MessageCase{"SaveIntoMissingFolder",
                    {"--save", "fehlt/x.lumet"},
                    "lumetra-cli: fehlt/x.lumet: Die Datei konnte nicht gespeichert werden !"},
        MessageCase{"ChartIntoMissingFolder",
                    {"--chart", "fehlt/d.png"},
                    "lumetra-cli: fehlt/d.png: Das Diagramm konnte nicht geschrieben werden"},
        MessageCase{"CsvIntoMissingFolder",
                    {"--hourly-csv", "fehlt/j.csv"},
                    "lumetra-cli: fehlt/j.csv: Die CSV-Datei konnte nicht geschrieben werden"},
        MessageCase{"EmptyLocationDatabase",
                    {"--location", "Wien"},
                    "lumetra-cli: FOLDER/SolarDatabase.csv: Die Datenbankdatei "
                    "'SolarDatabase.csv' ist leer !",
                    [](const fs::path& folder) {
                        std::ofstream(folder / "SolarDatabase.csv") << "; nur ein Kommentar\n";
                    }}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// --location as a user types a place: case and umlaut spelling do not matter, a unique
// beginning is enough; a name that several places could mean lists them on one line.
struct PlaceCase {
    const char* name;
    const char* typed;
    int quantity;
    double expected;
};

class CliPlaceTest : public CliTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(CliPlaceTest, FindsThePlaceMeant) {
    const QJsonObject state = json({"--location", QString::fromUtf8(GetParam().typed)});
    EXPECT_DOUBLE_EQ(quantity(state, GetParam().quantity)["value"].toDouble(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cli, CliPlaceTest,
                         ::testing::Values(PlaceCase{"LowerCase", "wien", 0, 48.21},
                                           PlaceCase{"UpperCase", "LINZ", 0, 48.31},
                                           PlaceCase{"UmlautSpeltOut", "oesterreich mitte", 2,
                                                     1100},
                                           PlaceCase{"CapitalUmlaut", "ÖSTERREICH MITTE", 2, 1100},
                                           PlaceCase{"UniqueBeginning", "österr", 2, 1100},
                                           PlaceCase{"ExactNameAmongBeginnings", "Ort2", 2, 950}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(CliTest, ANameSeveralPlacesCouldMeanListsThemOnOneLine) {
    const CliRun run = runCli({"--location", "ort"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err.split('\n').value(0).toStdString(),
              "lumetra-cli: \"ort\" passt zu mehreren Orten: Ort2, Ort10");
}

TEST_F(CliTest, ListLocationsPrintsThePlacesInTheOrderTheWindowOffersThem) {
    const CliRun run = runCli({"--list-locations"}, folder.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(run.out).toStdString(),
              "Linz\nNirgendwo\nOrt2\nOrt10\nÖsterreich Mitte\nWien\n");
    EXPECT_TRUE(run.err.isEmpty());
}

TEST_F(CliTest, VersionNamesTheProgramItsVersionAndItsLicence) {
    const CliRun run = runCli({"--version"}, folder.path());
    EXPECT_EQ(run.exitCode, 0);
    const QString text = QString::fromUtf8(run.out);
    EXPECT_TRUE(
        text.contains(QRegularExpression(QStringLiteral("^lumetra-cli \\(Lumetra\\) "
                                                        "[0-9]+\\.[0-9]+\n"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("GPL-3.0-or-later")));
}

TEST_F(CliTest, WithoutADatabaseInTheFolderTheShippedOneIsUsed) {
    fs::remove(folder.path() / "SolarDatabase.csv");
    const QJsonObject state = json({"--location", "Wien"});
    EXPECT_NEAR(quantity(state, 0)["value"].toDouble(), 48.2, 0.1);
    EXPECT_NEAR(quantity(state, 1)["value"].toDouble(), 16.4, 0.1);
}

TEST_F(CliTest, TheInstalledDatabaseBesideTheProgramComesBeforeTheShippedOne) {
    // An installed layout: <prefix>/bin/lumetra-cli and <prefix>/share/lumetra/.
    const fs::path prefix = folder.path() / "prefix";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "lumetra");
    fs::copy_file(LUMETRA_CLI_PATH, prefix / "bin" / "lumetra-cli");
    {
        QFile database(
            QString::fromStdString((prefix / "share/lumetra/SolarDatabase.csv").string()));
        ASSERT_TRUE(database.open(QIODevice::WriteOnly));
        database.write("Wien;10.5;20.25;1234\n");
    }
    const fs::path work = folder.path() / "work";
    fs::create_directories(work);
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(work.string()));
    process.start(QString::fromStdString((prefix / "bin" / "lumetra-cli").string()),
                  {"--location", "Wien", "--json"});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QJsonObject state = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    EXPECT_DOUBLE_EQ(quantity(state, 0)["value"].toDouble(), 10.5);
    EXPECT_DOUBLE_EQ(quantity(state, 2)["value"].toDouble(), 1234);

    // A database in the current folder wins over both.
    fs::copy_file(fs::path(LUMETRA_GOLDEN_DIR) / "SolarDatabase.csv", work / "SolarDatabase.csv");
    process.start(QString::fromStdString((prefix / "bin" / "lumetra-cli").string()),
                  {"--location", "Linz", "--json"});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_DOUBLE_EQ(
        quantity(QJsonDocument::fromJson(process.readAllStandardOutput()).object(), 0)["value"]
            .toDouble(),
        48.31);
}

TEST_F(CliTest, SaveWritesWhatTheDefaultOutputShowsAndLoadsBack) {
    const QStringList edits = {"--type", "Persons=5", "--cell", "1,4=(Westen)\u00A0  90°"};
    const CliRun saved = runCli(edits + QStringList{"--save", "neu.lumet"}, folder.path());
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    QFile file(QString::fromStdString((folder.path() / "neu.lumet").string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes, saved.out);
    EXPECT_TRUE(bytes.contains("[01] Modulausrichtung       =          90.000000 \xB0"));
    EXPECT_FALSE(bytes.contains('\r'));

    const QJsonObject loaded = json({"--load", "neu.lumet"});
    EXPECT_EQ(quantity(loaded, 12)["value"].toDouble(), 5);
    EXPECT_EQ(loaded["rows"].toArray()[0].toObject()["cells"].toArray()[3].toString(), "90 ° ");
}

TEST_F(CliTest, ChartIsWrittenAsPng) {
    const CliRun run = runCli({"--chart-size", "320x120", "--chart", "chart.png"}, folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage image(QString::fromStdString((folder.path() / "chart.png").string()));
    EXPECT_EQ(image.width(), 320);
    EXPECT_EQ(image.height(), 120);
    const CliRun defaultSize = runCli({"--chart", "default.png"}, folder.path());
    ASSERT_EQ(defaultSize.exitCode, 0);
    // The window's chart area of 200 x 75 dialog units in the template font.
    const QImage window(QString::fromStdString((folder.path() / "default.png").string()));
    EXPECT_EQ(window.width(), 300);
    EXPECT_EQ(window.height(), 122);
}

// Row 1 of completed-area.lumet has a width of 1.5 m and a height of 2.75 m; the load completes
// its area to 4.125 m². The window's refresh tick then shows it as "4.12 m² " and a save writes
// 4.12. Whatever command follows the load, the output is that settled state, not the raw one.
struct SettledCase {
    const char* name;
    QStringList commandsAfterLoad;
};

class CliSettledTest : public CliTest, public ::testing::WithParamInterface<SettledCase> {};

TEST_P(CliSettledTest, OutputIsTheStateAfterTheRefreshTick) {
    QStringList arguments{"--load", "completed-area.lumet"};
    arguments << GetParam().commandsAfterLoad;
    const QJsonObject state = json(arguments);
    const QJsonArray rows = state["rows"].toArray();
    ASSERT_GE(rows.size(), 2);
    EXPECT_EQ(rows[0].toObject()["cells"].toArray()[2].toString(), "4.12 m² ");

    arguments << "--save"
              << "settled.lumet";
    const CliRun run = runCli(arguments, folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile saved(QString::fromStdString((folder.path() / "settled.lumet").string()));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(bytes, run.out);
    const QByteArray area =
        "[01] Modulfeldfl\xe4"
        "che        =           4.120000 m\xb2";
    EXPECT_TRUE(bytes.contains(area)) << bytes.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cli, CliSettledTest,
                         ::testing::Values(SettledCase{"Load", {}},
                                           SettledCase{"Type", {"--type", "2=1200"}},
                                           SettledCase{"Toggle", {"--toggle", "12"}},
                                           SettledCase{"Location", {"--location", "Linz"}}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(CliTest, ChartReplacesTheOldFileWholeAndReportsWhatCannotBeWritten) {
    const fs::path chart = folder.path() / "chart.png";
    ASSERT_EQ(runCli({"--chart-size", "320x120", "--chart", "chart.png"}, folder.path()).exitCode,
              0);
    struct stat before {};
    ASSERT_EQ(::stat(chart.c_str(), &before), 0);
    ASSERT_EQ(runCli({"--chart-size", "300x100", "--chart", "chart.png"}, folder.path()).exitCode,
              0);
    struct stat after {};
    ASSERT_EQ(::stat(chart.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino) << "the chart was written in place";
    EXPECT_EQ(QImage(QString::fromStdString(chart.string())).width(), 300);

    // A dangling link and a FIFO are no charts: exit 1, and the command line does not hang.
    fs::create_symlink("fehlt.png", folder.path() / "link.png");
    ASSERT_EQ(::mkfifo((folder.path() / "rohr.png").c_str(), 0600), 0);
    for (const char* target : {"link.png", "rohr.png"}) {
        const CliRun run = runCli({"--chart-size", "320x120", "--chart", target}, folder.path());
        EXPECT_EQ(run.exitCode, 1) << target;
        EXPECT_TRUE(run.err.contains("Diagramm konnte nicht geschrieben")) << target;
    }
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder.path() / "link.png")));
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(folder.path() / "rohr.png")));
}

TEST_F(CliTest, JsonCarriesTheHourlyBalance) {
    const QJsonObject state = json({"--type", "StorageDays=1"});
    const QJsonObject hourly = state["hourly"].toObject();
    const QJsonObject annual = hourly["annual"].toObject();
    const QJsonObject monthly = hourly["monthly"].toObject();
    const char* flowKeys[] = {"yield_kWh",
                              "direct_kWh",
                              "batteryCharge_kWh",
                              "batteryDischarge_kWh",
                              "batteryLoss_kWh",
                              "feedIn_kWh",
                              "purchase_kWh",
                              "demand_kWh",
                              "selfConsumptionShare",
                              "selfSufficiency",
                              "specificYield_kWh_per_kWp",
                              "batteryCycles",
                              "costWithout_EUR",
                              "costWith_EUR",
                              "curtailed_kWh"};
    ASSERT_EQ(annual.size(), 20);
    EXPECT_EQ(annual["demandProfile"].toString(), "simulated");  // the default
    ASSERT_EQ(monthly.size(), 15);
    for (const char* key : flowKeys) {
        ASSERT_TRUE(annual[key].isDouble()) << key;
        ASSERT_EQ(monthly[key].toArray().size(), 12) << key;
    }
    // Energies of the months add up to the year's; shares are fractions.
    for (const char* key : {"yield_kWh", "demand_kWh", "purchase_kWh", "batteryCharge_kWh"}) {
        double sum = 0;
        for (const QJsonValue month : monthly[key].toArray()) {
            sum += month.toDouble();
        }
        EXPECT_TRUE(lumetra::test::nearRelative(sum, annual[key].toDouble(), 1e-12)) << key;
    }
    EXPECT_GT(annual["selfSufficiency"].toDouble(), 0);
    EXPECT_LT(annual["selfSufficiency"].toDouble(), 1);
    // The installation and the battery are those of the calculator.
    EXPECT_TRUE(lumetra::test::nearRelative(
        annual["peakPower_kWp"].toDouble(),
        state["figures"].toObject()["totalPeakPower"].toDouble() / 1000, 1e-12));
    EXPECT_EQ(annual["batteryCapacity_kWh"].toDouble(), quantity(state, 31)["value"].toDouble());
    EXPECT_GT(annual["batteryCapacity_kWh"].toDouble(), 0);
    EXPECT_GT(annual["batteryCycles"].toDouble(), 0);
    EXPECT_TRUE(lumetra::test::nearRelative(
        annual["demand_kWh"].toDouble(),
        quantity(state, 13)["value"].toDouble() + quantity(state, 17)["value"].toDouble() +
            quantity(state, 21)["value"].toDouble() + quantity(state, 25)["value"].toDouble() +
            quantity(state, 29)["value"].toDouble()));
}

TEST_F(CliTest, WeatherComesFromTheOptionOrTheDataFileAndABadFileIsReported) {
    const QString sample =
        QStringLiteral(LUMETRA_SOURCE_DIR) +
        QStringLiteral("/tests/data/weather/pvgis-tmy_45.000_8.000_2005_2023.csv");
    const auto annualOf = [](const QJsonObject& state) {
        return state["hourly"].toObject()["annual"].toObject();
    };
    // Synthesized: the main window's "Globalstrahlung".
    const QJsonObject synthesized = annualOf(json({}));
    EXPECT_EQ(synthesized["weather"].toString(), "synthetic");
    EXPECT_NEAR(synthesized["irradiation_kWh_per_m2"].toDouble(), 1100, 1e-9);

    // --weather at the file's own site: the file's year, no message.
    const QJsonObject imported =
        annualOf(json({"--type", "Latitude=45", "--type", "Longitude=8", "--weather", sample}));
    EXPECT_EQ(imported["weather"].toString(), "imported");
    EXPECT_NEAR(imported["irradiation_kWh_per_m2"].toDouble(), 1435.861, 1e-3);

    // The data file's line, at a site far away: the file's year and a warning.
    fs::copy_file(folder.path() / "two-fields.lumet", folder.path() / "wetter.lumet");
    std::ofstream(folder.path() / "wetter.lumet", std::ios::app)
        << "Wetterdatei                 = " << sample.toStdString() << "\n";
    const CliRun far = runCli({"--load", "wetter.lumet", "--json"}, folder.path());
    EXPECT_EQ(far.exitCode, 1);
    EXPECT_TRUE(far.err.contains("km vom Standort entfernt")) << far.err.toStdString();
    EXPECT_EQ(annualOf(QJsonDocument::fromJson(far.out).object())["weather"].toString(),
              "imported");

    // A malformed file: one message naming the line; the synthesized year stands in.
    std::ofstream(folder.path() / "kaputt.csv") << "Latitude (decimal degrees): 45\n"
                                                   "Longitude (decimal degrees): 8\n"
                                                   "time(UTC),T2m,G(h),Gd(h),WS10m\n"
                                                   "20180101:0000,1,0,0,-4\n";
    const CliRun bad = runCli({"--weather", "kaputt.csv", "--json"}, folder.path());
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(
        bad.err.contains("kaputt.csv kann nicht gelesen werden (Zeile 4: "
                         "Windgeschwindigkeit -4"))
        << bad.err.toStdString();
    EXPECT_EQ(bad.err.count('\n'), 1);
    EXPECT_EQ(annualOf(QJsonDocument::fromJson(bad.out).object())["weather"].toString(),
              "synthetic");
    EXPECT_EQ(runCli({"--weather"}, folder.path()).exitCode, 2);
}

// Both layouts carry every quarter hour; every energy column sums to the year's figure.
TEST_F(CliTest, HourlyCsvHasEveryQuarterHourAndTheYearsSumsInBothLayouts) {
    struct Layout {
        const char* format;  // of --csv-format; empty: the default
        char separator;
        char decimal;
    };
    for (const Layout& layout :
         {Layout{"", ',', '.'}, Layout{"en", ',', '.'}, Layout{"de", ';', ','}}) {
        SCOPED_TRACE(layout.format);
        QStringList arguments{"--hourly-csv", "jahr.csv", "--json"};
        if (*layout.format != 0) {
            arguments << "--csv-format" << layout.format;
        }
        const CliRun run = runCli(arguments, folder.path());
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QJsonObject annual =
            QJsonDocument::fromJson(run.out).object()["hourly"].toObject()["annual"].toObject();
        QFile file(QString::fromStdString((folder.path() / "jahr.csv").string()));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        // The header, the steps, and the empty rest after the last LF.
        ASSERT_EQ(lines.size(), 35040 + 2);
        EXPECT_TRUE(lines.back().isEmpty());
        const QList<QByteArray> header = lines[0].split(layout.separator);
        ASSERT_EQ(header.size(), 10);
        EXPECT_EQ(header[0], "time");
        std::vector<double> sums(header.size(), 0.0);
        for (int i = 1; i <= 35040; ++i) {
            const QList<QByteArray> fields = lines[i].split(layout.separator);
            ASSERT_EQ(fields.size(), header.size()) << i;
            for (int c = 1; c < fields.size(); ++c) {
                QByteArray number = fields[c];
                ASSERT_FALSE(number.contains(layout.decimal == '.' ? ',' : '.')) << number.data();
                bool ok = false;
                sums[c] += number.replace(layout.decimal, '.').toDouble(&ok);
                ASSERT_TRUE(ok) << lines[i].toStdString();
            }
        }
        for (int c = 1; c < header.size(); ++c) {
            const QString key = QString::fromUtf8(header[c]);
            if (key == "stateOfCharge_kWh") {
                continue;  // a level, not a flow
            }
            EXPECT_TRUE(lumetra::test::nearRelative(sums[c], annual[key].toDouble(), 1e-5))
                << key.toStdString();
        }
    }
}

TEST_F(CliTest, HourlyCsvThatCannotBeWrittenEndsWithAMessage) {
    const CliRun run = runCli({"--hourly-csv", "kein/ordner/jahr.csv"}, folder.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("CSV")) << run.err.toStdString();
    EXPECT_FALSE(run.out.isEmpty());  // the data file bytes are still written
    const CliRun missing = runCli({"--hourly-csv"}, folder.path());
    EXPECT_EQ(missing.exitCode, 2);
}

// A lower feed-in limit, or an inverter that clips besides, curtails more; whatever is
// curtailed, the year's yield is still used, stored, fed in or curtailed.
TEST_F(CliTest, FeedInLimitsCurtailAndTheYieldStillBalances) {
    struct Case {
        const char* name;
        QStringList settings;
        bool curtails;  // with this roof (its peak feed-in is 43 % of its peak power)
    };
    const Case cases[] = {
        {"no limit", {}, false},
        {"60 %", {"--set", "Einspeisegrenze=60"}, false},
        {"30 %", {"--set", "Einspeisegrenze=30"}, true},
        {"30 % and a 2 kW inverter",
         {"--set", "Einspeisegrenze=30", "--set", "Wechselrichterleistung=2"},
         true},
    };
    double curtailedBefore = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QJsonObject state = json(QStringList{"--load", "two-fields.lumet"} + c.settings);
        const QJsonObject annual = state["hourly"].toObject()["annual"].toObject();
        const double curtailed = annual["curtailed_kWh"].toDouble();
        const double yield = annual["yield_kWh"].toDouble();
        EXPECT_NEAR(yield,
                    annual["direct_kWh"].toDouble() + annual["batteryCharge_kWh"].toDouble() +
                        annual["feedIn_kWh"].toDouble() + curtailed,
                    1e-9 * yield);
        EXPECT_EQ(curtailed > 0, c.curtails);
        if (c.curtails) {
            EXPECT_GT(curtailed, curtailedBefore);
        }
        curtailedBefore = curtailed;
        EXPECT_EQ(state["evaluation"]
                      .toObject()["variants"]
                      .toObject()["withBattery"]
                      .toObject()["curtailed_kWh"]
                      .toDouble(),
                  curtailed);
    }
}

// The JSON carries the money and the variants; with the guide prices the default data set
// pays back within its 20 years.
TEST_F(CliTest, JsonCarriesMoneyAndVariantsAndTheDefaultDataSetPaysBack) {
    const QJsonObject evaluation = json({})["evaluation"].toObject();
    const QJsonObject money = evaluation["money"].toObject();
    for (const char* key : {"investment_EUR", "npv_EUR", "lcoe_EUR_per_kWh", "payback_years"}) {
        EXPECT_TRUE(money[key].isDouble()) << key;
    }
    EXPECT_GT(money["payback_years"].toDouble(), 0);
    EXPECT_LT(money["payback_years"].toDouble(), 20);
    const QJsonObject variants = evaluation["variants"].toObject();
    for (const char* name : {"withoutBattery", "withBattery", "bestBattery"}) {
        const QJsonObject variant = variants[name].toObject();
        for (const char* key :
             {"batteryCapacity_kWh", "selfSufficiency", "selfConsumptionShare", "npv_EUR"}) {
            EXPECT_TRUE(variant[key].isDouble()) << name << " " << key;
        }
        EXPECT_TRUE(variant.contains("payback_years")) << name;
    }
    EXPECT_EQ(variants["withoutBattery"].toObject()["batteryCapacity_kWh"].toDouble(), 0);
}

// --set refuses an unknown input or a value out of its range with a message naming it, and
// writes nothing.
TEST_F(CliTest, SetRefusesUnknownInputsAndValuesOutOfRange) {
    struct Case {
        const char* assignment;
        const char* inMessage;
    };
    for (const Case& c :
         {Case{"Speicher=4", "Speicher"}, Case{"Einspeisegrenze=120", "Einspeisegrenze: 120 %"},
          Case{"Lebensdauer Speicher=drei", "Lebensdauer Speicher"}}) {
        SCOPED_TRACE(c.assignment);
        const CliRun run = runCli({"--set", c.assignment, "--json"}, folder.path());
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(c.inMessage)) << run.err.toStdString();
    }
}

// Beside Görlitz, whose station gives the site its temperatures.
const QStringList kGoerlitz = {"--type", "Latitude=51.16", "--type", "Longitude=14.95"};

// Whether the three tables the hourly balance read lie in `folder` (the simulated home's
// folder is named beside them).
bool allIn(const QJsonArray& sources, const fs::path& folder) {
    int tables = 0;
    for (const QJsonValue source : sources) {
        if (source.toObject()["kind"].toString() == "household") {
            continue;
        }
        const fs::path path = source.toObject()["path"].toString().toStdString();
        if (path.parent_path() != folder.lexically_normal()) {
            return false;
        }
        ++tables;
    }
    return tables == 3 && sources.size() == 4;
}

TEST_F(CliTest, TablesInTheCurrentFolderNeverChangeTheHourlyBalance) {
    const QJsonObject shipped = json(kGoerlitz)["hourly"].toObject();
    ASSERT_TRUE(allIn(shipped["sources"].toArray(), LUMETRA_DATA_DIR));
    // Görlitz at 60 °C all year, and a household without demand.
    lumetra::test::writeTable(folder.path(), "MonthlyTemperature.csv",
                              lumetra::test::stationsAt("60", 82));
    lumetra::test::writeTable(folder.path(), "LoadProfileH25.csv",
                              lumetra::test::loadProfileOfZeros());
    const QJsonObject hourly = json(kGoerlitz)["hourly"].toObject();
    EXPECT_EQ(hourly["annual"], shipped["annual"]);
    EXPECT_EQ(hourly["sources"], shipped["sources"]);
}

TEST_F(CliTest, ADataFolderIsUsedWhereChosenAndRefusedWithItsFileAndLine) {
    const QJsonObject shipped = json(kGoerlitz)["hourly"].toObject();
    // Valid copies: the same year, and the copies named.
    const fs::path copies = folder.path() / "kopien";
    for (const char* name :
         {"MonthlyIrradiation.csv", "MonthlyTemperature.csv", "LoadProfileH25.csv"}) {
        lumetra::test::writeTable(copies, name, lumetra::test::shippedTableText(name));
    }
    const QJsonObject copied =
        json(kGoerlitz + QStringList{"--data-dir", "kopien"})["hourly"].toObject();
    EXPECT_EQ(copied["annual"], shipped["annual"]);
    EXPECT_TRUE(allIn(copied["sources"].toArray(), copies));
    // So does a data file's line, when no --data-dir is given.
    fs::copy_file(folder.path() / "two-fields.lumet", folder.path() / "ordner.lumet");
    std::ofstream(folder.path() / "ordner.lumet", std::ios::app)
        << "Datenordner                 = " << copies.string() << "\n";
    EXPECT_TRUE(
        allIn(json({"--load", "ordner.lumet"})["hourly"].toObject()["sources"].toArray(), copies));

    struct RefusedCase {
        const char* name;
        const char* table;
        std::function<void(const fs::path&)> make;
        const char* messagePart;
    };
    const RefusedCase cases[] = {
        {"a profile of zeros", "LoadProfileH25.csv",
         [](const fs::path& at) {
             lumetra::test::writeTable(at.parent_path(), "LoadProfileH25.csv",
                                       lumetra::test::loadProfileOfZeros());
         },
         ", Zeile 2: die Spalte 2 (Januar SA) enthält keine Energie"},
        {"a FIFO, never waited on", "MonthlyTemperature.csv",
         [](const fs::path& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0); },
         ": Das ist keine gewöhnliche Datei"},
    };
    for (const RefusedCase& c : cases) {
        const lumetra::test::TemporaryFolder refused;
        c.make(refused.path() / c.table);
        QStringList arguments = kGoerlitz;
        arguments << "--data-dir" << QString::fromStdString(refused.path().string()) << "--json";
        const CliRun run = runCli(arguments, folder.path());
        EXPECT_EQ(run.exitCode, 1) << c.name;
        EXPECT_TRUE(run.err.contains((refused.path() / c.table).string() + c.messagePart))
            << c.name << ": " << run.err.toStdString();
        const QJsonObject hourly = QJsonDocument::fromJson(run.out).object()["hourly"].toObject();
        EXPECT_EQ(hourly["annual"], shipped["annual"]) << c.name;
        EXPECT_TRUE(allIn(hourly["sources"].toArray(), LUMETRA_DATA_DIR)) << c.name;
    }
    EXPECT_EQ(runCli({"--data-dir"}, folder.path()).exitCode, 2);
}

// The household's load: Berlin, 4,000 kWh of household electricity and nothing else, about
// 4 kWp facing south at 35°.
const QStringList kBerlinHousehold = [] {
    QStringList arguments = {"--location", "Berlin"};
    for (const char* demand : {"HouseholdElectricity", "WaterElectricity", "HeatingElectricity",
                               "CoolingElectricity", "CarElectricity"}) {
        arguments << "--toggle" << demand << "--type"
                  << QString("%1=%2").arg(demand).arg(
                         QString(demand) == "HouseholdElectricity" ? 4000 : 0);
    }
    return arguments + QStringList{"--cell", "1,1=10.1", "--cell", "1,2=2", "--cell", "1,5=35"};
}();

// Berlin from the shipped location database, not the small one of the other tests.
class CliHouseholdTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        fs::remove(folder.path() / "SolarDatabase.csv");
    }
};

TEST_F(CliHouseholdTest,
       TheSimulatedHomeUsesLessOfTheYieldThanTheStandardProfileWithAndWithoutBattery) {
    for (const char* battery : {"0", "4"}) {
        const QStringList withBattery =
            kBerlinHousehold + QStringList{"--set", QString("Speicher Stundenbilanz=") + battery};
        const QJsonObject simulated = json(withBattery)["hourly"].toObject()["annual"].toObject();
        const QJsonObject standard =
            json(withBattery + QStringList{"--demand-profile", "standard"})["hourly"]
                .toObject()["annual"]
                .toObject();
        EXPECT_EQ(simulated["demandProfile"].toString(), "simulated");
        EXPECT_EQ(standard["demandProfile"].toString(), "standard");
        // The same year's energy, spread the way a single home uses it: peakier, so that less
        // of the midday yield is used (Weniger, Tjaden and Quaschning 2014: a single German
        // home covers about 54 % with 1 kWp and 1 kWh per MWh a year).
        EXPECT_NEAR(simulated["demand_kWh"].toDouble(), 4000, 1e-6);
        EXPECT_NEAR(standard["demand_kWh"].toDouble(), 4000, 1e-6);
        EXPECT_LT(simulated["selfSufficiency"].toDouble(),
                  standard["selfSufficiency"].toDouble() - 0.02)
            << battery;
        if (QString(battery) == "4") {
            EXPECT_NEAR(simulated["selfSufficiency"].toDouble(), 0.54, 0.05);
        }
    }
}

TEST_F(CliHouseholdTest, TheSpreadOfHomesIsOrderedAndHasARange) {
    const QJsonObject hourly =
        json(kBerlinHousehold + QStringList{"--spread", "12"})["hourly"].toObject();
    const QJsonObject spread = hourly["spread"].toObject();
    EXPECT_EQ(spread["homes"].toInt(), 12);
    for (const char* key : {"selfSufficiency", "selfConsumptionShare", "npv_EUR"}) {
        const QJsonObject p = spread[key].toObject();
        EXPECT_LT(p["p10"].toDouble(), p["p50"].toDouble()) << key;
        EXPECT_LT(p["p50"].toDouble(), p["p90"].toDouble()) << key;
    }
    EXPECT_EQ(spread["sizingBand"].toArray().size(), 21);
    // No spread for the standard profile: it is one curve, not a home.
    const CliRun standard = runCli(
        kBerlinHousehold + QStringList{"--demand-profile", "standard", "--spread", "5", "--json"},
        folder.path());
    EXPECT_EQ(standard.exitCode, 1);
    EXPECT_TRUE(standard.err.contains("Streuung")) << standard.err.toStdString();
    // Without --json there is nowhere to put it: a wrong command line, not a silent nothing.
    EXPECT_EQ(runCli({"--spread", "5"}, folder.path()).exitCode, 2);
}

// The exported year rewritten as a German meter's file: "dd.mm.yyyy hh:mm" in local time
// with European summer time (from 01:00 UTC on the last Sunday of March to 01:00 UTC on the
// last Sunday of October), so that a March night lacks the hour from 2 to 3 and an October
// night has it twice.
void writeAsLocalSummerTime(const fs::path& exported, const fs::path& meter) {
    QFile in(QString::fromStdString(exported.string()));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList header = QString::fromUtf8(in.readLine()).trimmed().split(';');
    const qsizetype demand = header.indexOf("demand_kWh");
    ASSERT_GE(demand, 0);
    const auto lastSunday = [](int year, int month) {
        const QDate last = QDate(year, month, 1).addMonths(1).addDays(-1);
        return QDateTime(last.addDays(-(last.dayOfWeek() % 7)), QTime(1, 0), Qt::UTC);
    };
    std::ofstream out(meter, std::ios::binary);
    out << "Zeitstempel;Verbrauch [kWh]\n";
    while (!in.atEnd()) {
        const QStringList cells = QString::fromUtf8(in.readLine()).trimmed().split(';');
        const QDateTime utc = QDateTime::fromString(cells[0], Qt::ISODate).toUTC();
        ASSERT_TRUE(utc.isValid()) << cells[0].toStdString();
        const int year = utc.date().year();
        const bool summer = utc >= lastSunday(year, 3) && utc < lastSunday(year, 10);
        const QDateTime local = utc.addSecs(summer ? 7200 : 3600);
        out << local.toString("dd.MM.yyyy HH:mm").toStdString() << ';'
            << cells[demand].toStdString() << '\n';
    }
}

TEST_F(CliHouseholdTest, AnExportedYearImportedAsMeasuredGivesTheSameBalance) {
    for (const char* format : {"en", "de"}) {
        const QString csv = QString("jahr-%1.csv").arg(format);
        const QJsonObject exported =
            json(kBerlinHousehold +
                 QStringList{"--hourly-csv", csv, "--csv-format", format})["hourly"]
                .toObject();
        const QJsonObject imported =
            json(kBerlinHousehold +
                 QStringList{"--demand-profile", csv, "--demand-column", "demand_kWh"})["hourly"]
                .toObject();
        const QJsonObject a = exported["annual"].toObject();
        const QJsonObject b = imported["annual"].toObject();
        EXPECT_EQ(b["demandProfile"].toString(), "measured") << format;
        // The file holds each quarter hour as the float it was; nothing else is lost.
        for (const char* key : {"demand_kWh", "selfSufficiency", "selfConsumptionShare",
                                "purchase_kWh", "feedIn_kWh"}) {
            EXPECT_TRUE(lumetra::test::nearRelative(b[key].toDouble(), a[key].toDouble(), 1e-5))
                << format << " " << key << ": " << b[key].toDouble() << " vs " << a[key].toDouble();
        }
        const QJsonArray sources = imported["sources"].toArray();
        ASSERT_FALSE(sources.isEmpty());
        EXPECT_EQ(sources.last().toObject()["kind"].toString(), "measuredLoad");
        EXPECT_EQ(sources.last().toObject()["path"].toString(),
                  QString::fromStdString((folder.path() / csv.toStdString()).string()));
    }
}

TEST_F(CliHouseholdTest, AGermanMeterYearInLocalSummerTimeGivesTheSameBalance) {
    const QJsonObject exported =
        json(kBerlinHousehold +
             QStringList{"--hourly-csv", "jahr.csv", "--csv-format", "de"})["hourly"]
            .toObject()["annual"]
            .toObject();
    writeAsLocalSummerTime(folder.path() / "jahr.csv", folder.path() / "zaehler.csv");
    const QJsonObject imported =
        json(kBerlinHousehold + QStringList{"--demand-profile", "zaehler.csv"})["hourly"]
            .toObject()["annual"]
            .toObject();
    for (const char* key : {"demand_kWh", "selfSufficiency", "purchase_kWh", "feedIn_kWh"}) {
        EXPECT_TRUE(
            lumetra::test::nearRelative(imported[key].toDouble(), exported[key].toDouble(), 1e-5))
            << key << ": " << imported[key].toDouble() << " vs " << exported[key].toDouble();
    }
}

TEST_F(CliHouseholdTest, AMissingMeasuredFileIsNamedAndTheSimulatedHomeStandsIn) {
    const QJsonObject simulated = json(kBerlinHousehold)["hourly"].toObject();
    const CliRun run = runCli(
        kBerlinHousehold + QStringList{"--demand-profile", "fehlt.csv", "--json"}, folder.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("fehlt.csv")) << run.err.toStdString();
    const QJsonObject hourly = QJsonDocument::fromJson(run.out).object()["hourly"].toObject();
    EXPECT_EQ(hourly["annual"], simulated["annual"]);
    EXPECT_EQ(hourly["sources"], simulated["sources"]);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

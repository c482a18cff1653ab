// SPDX-License-Identifier: GPL-3.0-or-later
// lumetra-cli --report and the Auswertung inputs of a data file, through the real binary; the
// report's file meets the same hostile targets as the other outputs.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "test_support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program in `folder`; `childSetup` runs in the child before the program starts.
ProgramRun run(const QString& program, const QStringList& arguments, const fs::path& folder,
               const std::function<void()>& childSetup = {},
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(folder.string()));
    if (childSetup) {
        process.setChildProcessModifier(childSetup);
    }
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
    ProgramRun cli(
        const QStringList& arguments, const std::function<void()>& childSetup = {},
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
        return run(QStringLiteral(LUMETRA_CLI_PATH), arguments, folder.path(), childSetup,
                   environment);
    }
    // The PDF's text, or nothing when poppler-utils are missing; `expectedPages` 0 takes any.
    std::optional<QString> pdfText(const fs::path& pdf, int expectedPages) {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            return std::nullopt;
        }
        const QString path = QString::fromStdString(pdf.string());
        const ProgramRun info = run(QStringLiteral("pdfinfo"), {path}, folder.path());
        EXPECT_TRUE(expectedPages == 0 || info.out.contains(QByteArray("Pages:           ") +
                                                            QByteArray::number(expectedPages)))
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
    const auto text = pdfText(folder.path() / "bericht.pdf", 0);
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
    const auto text = pdfText(folder.path() / "bericht.pdf", 0);
    if (!text) {
        GTEST_SKIP() << "poppler-utils are not installed";
    }
    EXPECT_TRUE(text->contains(QStringLiteral("25 Jahre")));
    EXPECT_TRUE(text->contains(QStringLiteral("Kapitalwert nach 25 Jahren")));
}

// A data file with the Auswertung's own battery: the JSON, the CSV and the report all simulate
// that battery and report the same figures.
TEST_F(CliReportTest, EveryOutputUsesTheAuswertungsOwnBattery) {
    {
        std::ofstream out(folder.path() / "two-fields.lumet", std::ios::app | std::ios::binary);
        out << "Speicher Stundenbilanz      =           4.000000 kWh     \n";
    }
    const ProgramRun result = cli({"--load", "two-fields.lumet", "--json", "--hourly-csv",
                                   "jahr.csv", "--report", "bericht.pdf"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonObject state = QJsonDocument::fromJson(result.out).object();
    const QJsonObject annual = state["hourly"].toObject()["annual"].toObject();
    EXPECT_EQ(annual["batteryCapacity_kWh"].toDouble(), 4);
    const QJsonObject withBattery =
        state["evaluation"].toObject()["variants"].toObject()["withBattery"].toObject();
    EXPECT_EQ(withBattery["batteryCapacity_kWh"].toDouble(), 4);
    EXPECT_EQ(withBattery["selfSufficiency"].toDouble(), annual["selfSufficiency"].toDouble());

    // The CSV's battery fills up to its 4 kWh and never beyond.
    std::ifstream csv(folder.path() / "jahr.csv");
    std::string line;
    ASSERT_TRUE(std::getline(csv, line));
    const QList<QByteArray> header = QByteArray::fromStdString(line).split(',');
    const qsizetype stored = header.indexOf("stateOfCharge_kWh");
    ASSERT_GE(stored, 0);
    double highest = 0;
    while (std::getline(csv, line)) {
        highest = std::max(highest, QByteArray::fromStdString(line).split(',')[stored].toDouble());
    }
    EXPECT_GT(highest, 3.9);
    EXPECT_LE(highest, 4 + 1e-6);

    const auto text = pdfText(folder.path() / "bericht.pdf", 0);
    if (!text) {
        GTEST_SKIP() << "poppler-utils are not installed";
    }
    const QString percent =
        QString::number(qRound(annual["selfSufficiency"].toDouble() * 100)) + QStringLiteral(" %");
    EXPECT_TRUE(text->contains(QStringLiteral("Mit Speicher (4,0 kWh)"))) << text->toStdString();
    // The key figures' row: the hourly balance first.
    EXPECT_TRUE(text->contains(QRegularExpression(QStringLiteral("Autarkiegrad\\s+") + percent)))
        << percent.toStdString();
}

// With --spread the report shows the range over simulated homes, without it nothing of it.
TEST_F(CliReportTest, TheSpreadOfHomesReachesTheReportOnlyWhenAskedFor) {
    for (const bool withSpread : {true, false}) {
        QStringList arguments = {"--load", "two-fields.lumet", "--report", "bericht.pdf"};
        if (withSpread) {
            arguments << "--spread"
                      << "4";
        }
        const ProgramRun result = cli(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const auto text = pdfText(folder.path() / "bericht.pdf", 0);
        if (!text) {
            GTEST_SKIP() << "poppler-utils are not installed";
        }
        EXPECT_EQ(text->contains(QStringLiteral("Streuung über simulierte Haushalte")), withSpread);
        EXPECT_EQ(text->contains(QStringLiteral("4 simulierte Haushalte")), withSpread);
    }
}

// The first page names the place chosen, the day and the verdict on each variant, and every
// page its number.
TEST_F(CliReportTest, TheFirstPageNamesThePlaceTheDateAndTheVerdict) {
    fs::copy_file(fs::path(LUMETRA_GOLDEN_DIR) / "SolarDatabase.csv",
                  folder.path() / "SolarDatabase.csv");
    const ProgramRun result = cli({"--location", "Linz", "--report", "bericht.pdf"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const auto text = pdfText(folder.path() / "bericht.pdf", 0);
    if (!text) {
        GTEST_SKIP() << "poppler-utils are not installed";
    }
    const QString firstPage = text->left(text->indexOf(QStringLiteral("Seite 1 von")));
    ASSERT_FALSE(firstPage.isEmpty()) << text->toStdString();
    for (const char* expected :
         {"Standort: Linz", "Erstellt am", "Anlage: ", "Ergebnis",
          "Ohne Speicher: amortisiert sich nach", "Kapitalwert nach 20 Jahren"}) {
        EXPECT_TRUE(firstPage.contains(QString::fromUtf8(expected))) << expected;
    }
    EXPECT_TRUE(firstPage.contains(QRegularExpression(
        QStringLiteral("Erstellt am \\d{1,2}\\. (Januar|Februar|März|April|Mai|Juni|Juli|August|"
                       "September|Oktober|November|Dezember) \\d{4}"))));
    // Without a battery there is no state of charge to chart.
    EXPECT_FALSE(text->contains(QStringLiteral("Ladezustand")));
}

// Qt's notes about its surroundings (here: no runtime folder) are not the program's messages.
TEST_F(CliReportTest, WritesNothingToStandardErrorWhenAllGoesWell) {
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_RUNTIME_DIR", "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        bare.remove(QString::fromLatin1(name));
    }
    const ProgramRun result =
        cli({"--load", "two-fields.lumet", "--report", "bericht.pdf"}, {}, bare);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err.toStdString(), "");
    EXPECT_TRUE(fs::exists(folder.path() / "bericht.pdf"));
}

TEST_F(CliReportTest, AReportThatCannotBeWrittenIsAFailure) {
    const ProgramRun result = cli({"--report", "kein/ordner/bericht.pdf"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(
        "lumetra-cli: kein/ordner/bericht.pdf: Der Bericht konnte nicht geschrieben werden\n"))
        << result.err.toStdString();
    const ProgramRun missing = cli({"--report"});
    EXPECT_EQ(missing.exitCode, 2);
}

// --- Every output is written as the data file is ---

// What a folder holds, entry by entry: kind, owner, permissions and the link's text or the
// regular file's bytes (nothing else is opened, so a FIFO never blocks).
struct Entry {
    std::string name;
    mode_t mode = 0;
    uid_t owner = 0;
    std::string text;
    bool operator==(const Entry&) const = default;
};

std::map<std::string, Entry> listing(const fs::path& folder) {
    std::map<std::string, Entry> entries;
    for (const fs::directory_entry& item : fs::directory_iterator(folder)) {
        struct stat status {};
        if (::lstat(item.path().c_str(), &status) != 0) {
            continue;
        }
        Entry entry{item.path().filename().string(), status.st_mode, status.st_uid, {}};
        if (S_ISLNK(status.st_mode)) {
            entry.text = fs::read_symlink(item.path()).string();
        } else if (S_ISREG(status.st_mode)) {
            entry.text = fileText(item.path());
        }
        entries.emplace(entry.name, entry);
    }
    return entries;
}

struct Output {
    const char* name;
    const char* option;
    const char* extension;
    const char* failure;  // the start of the message when it cannot be written
    QStringList more;     // further arguments: the output at a size larger than a nearly full disk
};

constexpr uid_t kNobody = 65534;
constexpr std::uintmax_t kWriteLimit = 2048;  // smaller than any output

// Another user's link or file, when the test runs as root; false otherwise.
bool giveToNobody(const fs::path& path) {
    return ::geteuid() == 0 && ::lchown(path.c_str(), kNobody, kNobody) == 0;
}

// A tmpfs of 16 KiB, in a mount namespace of this test's own, so that nothing outside sees it
// and it goes with the test process.
class NearlyFullDisk {
  public:
    explicit NearlyFullDisk(const fs::path& mountPoint) : mountPoint_(mountPoint) {
        fs::create_directory(mountPoint);
        mounted_ = ::unshare(CLONE_NEWNS) == 0 &&
                   ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                   ::mount("lumetra-test", mountPoint.c_str(), "tmpfs", 0, "size=16k") == 0;
    }
    ~NearlyFullDisk() {
        if (mounted_) {
            ::umount2(mountPoint_.c_str(), MNT_DETACH);
        }
    }
    bool mounted() const { return mounted_; }

  private:
    fs::path mountPoint_;
    bool mounted_ = false;
};

// A target made for a run; `keep` holds what must last as long as the target (a mount).
struct MadeTarget {
    fs::path path;
    std::shared_ptr<void> keep;
};

struct HostileTarget {
    const char* name;
    // Makes the target (a file named "ziel" with the output's extension, or beside it what the
    // case needs) in `folder`; an empty path when it cannot be made here.
    std::function<MadeTarget(const fs::path& folder, const std::string& extension)> make;
    bool written;  // exit 0 and the output written; otherwise exit 1 and the folder unchanged
    bool fileSizeLimit = false;
};

const HostileTarget kHostileTargets[] = {
    {"Fifo",
     [](const fs::path& folder, const std::string& extension) -> MadeTarget {
         const fs::path target = folder / ("ziel." + extension);
         return {::mkfifo(target.c_str(), 0600) == 0 ? target : fs::path(), {}};
     },
     false},
    {"DeviceNode",
     [](const fs::path& folder, const std::string& extension) -> MadeTarget {
         // The device numbers of /dev/null.
         const fs::path target = folder / ("ziel." + extension);
         const bool made = ::mknod(target.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
         return {made ? target : fs::path(), {}};
     },
     false},
    {"DanglingLinkInAStickyFolder",
     [](const fs::path& folder, const std::string& extension) -> MadeTarget {
         const fs::path sticky = folder / "tmp";
         fs::create_directory(sticky);
         fs::permissions(sticky, fs::perms::all | fs::perms::sticky_bit);
         const fs::path target = sticky / ("ziel." + extension);
         fs::create_symlink("dorthin." + extension, target);
         giveToNobody(target);
         return {target, {}};
     },
     false},
    {"LinkLoop",
     [](const fs::path& folder, const std::string& extension) -> MadeTarget {
         const fs::path target = folder / ("ziel." + extension);
         fs::create_symlink("schleife", target);
         fs::create_symlink("ziel." + extension, folder / "schleife");
         return {target, {}};
     },
     false},
    {"AnotherUsersFile",
     [](const fs::path& folder, const std::string& extension) -> MadeTarget {
         const fs::path target = folder / ("ziel." + extension);
         std::ofstream(target) << "alt\n";
         fs::permissions(target,
                         fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
         return {giveToNobody(target) ? target : fs::path(), {}};
     },
     true},
    {"ReplacingANameOf251Characters",
     [](const fs::path& folder, const std::string& extension) -> MadeTarget {
         const fs::path target =
             folder / (std::string(250 - extension.size(), 'z') + "." + extension);
         std::ofstream(target) << "alt\n";
         return {target, {}};
     },
     true},
    {"FileSizeLimit",
     [](const fs::path& folder, const std::string& extension) -> MadeTarget {
         const fs::path target = folder / ("ziel." + extension);
         std::ofstream(target) << "alt\n";
         return {target, {}};
     },
     false, true},
    {"NearlyFullDisk",
     [](const fs::path& folder, const std::string& extension) -> MadeTarget {
         auto disk = std::make_shared<NearlyFullDisk>(folder / "voll");
         if (!disk->mounted()) {
             return {};
         }
         const fs::path target = folder / "voll" / ("ziel." + extension);
         std::ofstream(target) << "alt\n";
         return {target, disk};
     },
     false},
};

class HostileOutputTest : public CliReportTest,
                          public ::testing::WithParamInterface<std::tuple<Output, HostileTarget>> {
};

// The report, the CSV and the chart meet every hostile or unlucky target alike: what must not
// be replaced stays as it was, with exit code 1 and a message, and no file is left behind.
TEST_P(HostileOutputTest, GivesEveryOutputTheSameOutcome) {
    const auto& [output, hostile] = GetParam();
    const MadeTarget made = hostile.make(folder.path(), output.extension);
    const fs::path& target = made.path;
    if (target.empty()) {
        GTEST_SKIP() << "this target cannot be made here (not root?)";
    }
    const auto before = listing(target.parent_path());
    const std::function<void()> limit = [] {
        const struct rlimit fileSize { kWriteLimit, kWriteLimit };
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
        ::signal(SIGXFSZ, SIG_IGN);
    };
    const ProgramRun result =
        cli(output.more + QStringList{QString::fromUtf8(output.option),
                                      QString::fromStdString(target.string())},
            hostile.fileSizeLimit ? limit : std::function<void()>());
    const auto after = listing(target.parent_path());
    if (!hostile.written) {
        EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(output.failure)) << result.err.toStdString();
        EXPECT_TRUE(after == before) << "the folder changed";
        return;
    }
    // The old file "alt" is replaced by a regular file with its owner and mode, and nothing
    // else is left in the folder.
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    ASSERT_EQ(after.size(), before.size()) << "a file was left behind";
    const Entry& old = before.at(target.filename().string());
    const Entry& written = after.at(target.filename().string());
    EXPECT_TRUE(S_ISREG(written.mode) && written.text.size() > 1000);
    EXPECT_EQ(written.owner, old.owner);
    EXPECT_EQ(written.mode, old.mode);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, HostileOutputTest,
    ::testing::Combine(
        ::testing::Values(
            Output{"Report", "--report", "pdf", "Der Bericht konnte nicht geschrieben werden", {}},
            Output{"HourlyCsv",
                   "--hourly-csv",
                   "csv",
                   "Die CSV-Datei konnte nicht geschrieben werden",
                   {}},
            Output{"Chart",
                   "--chart",
                   "png",
                   "Das Diagramm konnte nicht geschrieben werden",
                   {"--chart-size", "3000x2000"}}),
        ::testing::ValuesIn(kHostileTargets)),
    [](const auto& testCase) {
        return std::string(std::get<0>(testCase.param).name) + "_" +
               std::get<1>(testCase.param).name;
    });

// The report names every file the hourly balance read: here a temperature table of a chosen
// folder beside the shipped irradiation table.
TEST_F(CliReportTest, NamesTheTablesTheHourlyBalanceRead) {
    const fs::path own = folder.path() / "daten" / "MonthlyTemperature.csv";
    fs::create_directories(own.parent_path());
    fs::copy_file(fs::path(LUMETRA_DATA_DIR) / "MonthlyTemperature.csv", own);
    const ProgramRun result = cli({"--data-dir", "daten", "--report", "bericht.pdf"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const auto text = pdfText(folder.path() / "bericht.pdf", 0);
    if (!text) {
        GTEST_SKIP() << "poppler-utils are not installed";
    }
    // A long path may go on over the next line: compared without blanks and line ends.
    const auto bare = [](QString line) {
        return line.remove(QRegularExpression(QStringLiteral("\\s")));
    };
    const QString page = bare(*text);
    EXPECT_TRUE(page.contains(QStringLiteral("DatenquellenderStundenbilanz")));
    for (const std::string& source :
         {"Lufttemperatur(Monatsmittel):" + own.string(),
          "Globalstrahlung(Monatssummen):" +
              (fs::path(LUMETRA_DATA_DIR) / "MonthlyIrradiation.csv").string()}) {
        EXPECT_TRUE(page.contains(QString::fromStdString(source))) << source;
    }
}

// --- Reading a data file once ---

// A data file refused as too large changes nothing: not the data set, and not the Auswertung
// inputs, which the file loaded before set.
TEST_F(CliReportTest, ARefusedDataFileKeepsTheAuswertungInputsOfTheFileBefore) {
    std::ofstream(folder.path() / "two-fields.lumet", std::ios::app | std::ios::binary)
        << "Kalkulationszins            =           5.000000 %/Jahr  \n";
    const fs::path huge = folder.path() / "riesig.lumet";
    std::ofstream(huge, std::ios::binary) << "Betrachtungsdauer = 44\n";
    fs::resize_file(huge, 300 * 1024 * 1024);  // sparse: no room on the disk
    const ProgramRun result =
        cli({"--load", "two-fields.lumet", "--load", "riesig.lumet", "--save", "kopie.lumet"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("falsche Format")) << result.err.toStdString();
    const std::string copy = fileText(folder.path() / "kopie.lumet");
    EXPECT_NE(copy.find("Kalkulationszins            =           5.000000"), std::string::npos)
        << copy;
    EXPECT_EQ(copy.find("Betrachtungsdauer"), std::string::npos) << copy;
}

// --- Every row and every key figure in the report ---

// 10,000 module fields, the most a table holds: the report lists each of them, its table
// going on over many pages, and the key figures after them; the table takes no further field.
TEST_F(CliReportTest, ATableOfTenThousandFieldsIsReportedWholeAndTakesNoMore) {
    constexpr int kFields = 10000;
    {
        std::ofstream out(folder.path() / "gross.lumet", std::ios::binary);
        for (int number = 1; number <= kFields; ++number) {
            out << '[' << number << "] Modulfeldbreite = 1.0 m\n"
                << '[' << number << "] Modulwinkel = 30 \xB0\n";
        }
    }
    const ProgramRun full = cli(
        {"--load", "gross.lumet", "--cell", QString::number(kFields + 1) + QStringLiteral(",1=5")});
    EXPECT_EQ(full.exitCode, 2);
    EXPECT_TRUE(full.err.contains("10.000 Modulfelder")) << full.err.toStdString();

    const ProgramRun result = cli({"--load", "gross.lumet", "--report", "bericht.pdf"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const auto text = pdfText(folder.path() / "bericht.pdf", 0);
    if (!text) {
        GTEST_SKIP() << "poppler-utils are not installed";
    }
    // Every field once, in order: a row begins with its number and the width "1,00".
    static const QRegularExpression row(QStringLiteral("^\\s*(\\d+)\\s+1,00\\s"),
                                        QRegularExpression::MultilineOption);
    int listed = 0;
    for (auto match = row.globalMatch(*text); match.hasNext(); ++listed) {
        const int number = match.next().captured(1).toInt();
        if (number != listed + 1) {
            ADD_FAILURE() << "row " << listed + 1 << " is missing or repeated, found " << number;
            break;
        }
    }
    EXPECT_EQ(listed, kFields);
    // The table's heading and header row stand over the rest of it on every page.
    const auto continued = text->count(QStringLiteral("Modulfelder (Fortsetzung)"));
    EXPECT_GT(continued, kFields / 100);
    EXPECT_EQ(text->count(QStringLiteral("Ausrichtung (°)")), continued + 1);
    const qsizetype keyFigures = text->indexOf(QStringLiteral("\nKennzahlen"));
    ASSERT_GE(keyFigures, 0);
    EXPECT_GT(keyFigures, text->indexOf(QStringLiteral("\n") + QString::number(kFields) + ' '));
    // The first and the last key figures; the last are what a page without room lost.
    for (const char* figure :
         {"Spezifischer Ertrag", "Autarkiegrad", "Speicherzyklen", "Ersparnis und Vergütung"}) {
        EXPECT_GE(text->indexOf(QString::fromUtf8(figure), keyFigures), 0) << figure;
    }
}

}  // namespace

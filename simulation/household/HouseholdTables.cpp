// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/household/HouseholdTables.h"

#include <cmath>

#include "persistence/FileAccess.h"
#include "simulation/TextFields.h"

namespace lumetra::simulation {

namespace {

// The tables give probabilities with five decimals, so a line sums to 1 within a few 1e-5.
constexpr double kSumTolerance = 1e-3;
constexpr std::size_t kApplianceFields = 13;
constexpr double kMaxPower_W = 100'000;  // far above any household appliance or bulb

constexpr std::array<const char*, 2> kDayKindSuffix = {"_wd", "_we"};

std::string tableName(std::string_view stem, DayKind kind) {
    return "household/" + std::string(stem) + kDayKindSuffix[static_cast<int>(kind)] + ".csv";
}

std::string transitionTableName(int residents, DayKind kind) {
    return tableName("tpm" + std::to_string(residents), kind);
}

const std::string kApplianceTable = "household/Appliances.csv";
const std::string kLightBulbTable = "household/LightBulbs.csv";

// Collects the first complaint about a table, with the file and line it concerns.
class TableReader {
  public:
    TableReader(std::string file, std::string* error) : file_(std::move(file)), error_(error) {}

    bool fail(int line, std::string_view what) {
        if (error_ != nullptr) {
            *error_ = file_ + ", Zeile " + std::to_string(line) + ": " + std::string(what);
        }
        return false;
    }
    bool failFile(std::string_view what) {
        if (error_ != nullptr) {
            *error_ = file_ + ": " + std::string(what);
        }
        return false;
    }

    // The numbers of a ';'-separated line, exactly `count` of them, each finite.
    bool numbers(int line, std::string_view text, std::size_t count, std::vector<double>& out) {
        splitFields(text, ';', fields_);
        if (fields_.size() != count || !parseNumbers(fields_, out)) {
            return fail(line, "erwartet " + std::to_string(count) + " Zahlen, getrennt durch ';'");
        }
        return true;
    }

    bool probabilities(int line, std::span<const double> values) {
        for (double p : values) {
            if (!(p >= 0 && p <= 1)) {
                return fail(line, "Wahrscheinlichkeit außerhalb 0..1");
            }
        }
        return true;
    }

  private:
    std::string file_;
    std::string* error_;
    std::vector<std::string_view> fields_;
};

// The non-empty lines of a table with their line numbers (1-based).
std::vector<std::pair<int, std::string_view>> contentLines(std::string_view bytes) {
    std::vector<std::pair<int, std::string_view>> lines;
    int number = 0;
    for (std::string_view line : TextLines(bytes)) {
        ++number;
        if (line.find_first_not_of(" \t") != std::string_view::npos) {
            lines.emplace_back(number, line);
        }
    }
    return lines;
}

bool wholeNumberIs(double value, int expected) {
    return value == static_cast<double>(expected);
}

// A table whose lines are keyed by two whole numbers: the outer one (from `outerFirst`) changes
// every `innerCount` lines, the inner one counts 0..innerCount-1; each key is followed by
// `probabilities` probabilities, handed to `use(outer, inner, probabilities)` (0-based outer).
struct KeyedTable {
    int outerCount = 0;
    int outerFirst = 0;
    int innerCount = 0;
    std::size_t probabilities = 0;
    std::string_view lineCountMessage;
    std::string (*keyMessage)(int outer, int inner) = nullptr;
};

template <class Use>
bool readKeyedTable(std::string_view bytes, TableReader& reader, const KeyedTable& table,
                    const Use& use) {
    const auto lines = contentLines(bytes);
    const int lineCount = table.outerCount * table.innerCount;
    if (static_cast<int>(lines.size()) != lineCount) {
        return reader.failFile(table.lineCountMessage);
    }
    std::vector<double> values;
    for (int k = 0; k < lineCount; ++k) {
        const auto [line, text] = lines[static_cast<std::size_t>(k)];
        const int outer = k / table.innerCount;
        const int inner = k % table.innerCount;
        if (!reader.numbers(line, text, 2 + table.probabilities, values)) {
            return false;
        }
        if (!wholeNumberIs(values[0], outer + table.outerFirst) ||
            !wholeNumberIs(values[1], inner)) {
            return reader.fail(line, table.keyMessage(outer + table.outerFirst, inner));
        }
        const std::span<const double> probabilities(values.data() + 2, table.probabilities);
        if (!reader.probabilities(line, probabilities) || !use(line, outer, inner, probabilities)) {
            return false;
        }
    }
    return true;
}

bool readTransitions(std::string_view bytes, TableReader& reader,
                     HouseholdTables::TransitionRows& rows) {
    constexpr KeyedTable kTable{kPeriodsPerDay,
                                1,
                                kOccupancyStates,
                                kOccupancyStates,
                                "erwartet 1008 Zeilen (144 Perioden mal 7 Zustände)",
                                [](int period, int state) {
                                    return "erwartet Periode " + std::to_string(period) +
                                           " und Zustand " + std::to_string(state);
                                }};
    return readKeyedTable(
        bytes, reader, kTable, [&](int line, int period, int state, std::span<const double> next) {
            double sum = 0;
            for (double p : next) {
                sum += p;
            }
            if (sum != 0 && std::fabs(sum - 1) > kSumTolerance) {
                return reader.fail(line, "die Wahrscheinlichkeiten ergeben weder 1 noch 0");
            }
            std::copy(next.begin(), next.end(), rows[period][state].begin());
            return true;
        });
}

bool readStartStates(std::string_view bytes, TableReader& reader,
                     std::array<std::array<double, kOccupancyStates>, kStartColumns>& start) {
    const auto lines = contentLines(bytes);
    if (lines.size() != kOccupancyStates) {
        return reader.failFile("erwartet 7 Zeilen (Zustände 0 bis 6)");
    }
    std::vector<double> values;
    for (int state = 0; state < kOccupancyStates; ++state) {
        const auto [line, text] = lines[static_cast<std::size_t>(state)];
        if (!reader.numbers(line, text, 1 + kStartColumns, values)) {
            return false;
        }
        if (!wholeNumberIs(values[0], state)) {
            return reader.fail(line, "erwartet Zustand " + std::to_string(state));
        }
        if (!reader.probabilities(line, std::span<const double>(values).subspan(1))) {
            return false;
        }
        for (int residents = 0; residents < kStartColumns; ++residents) {
            start[residents][state] = values[static_cast<std::size_t>(1 + residents)];
        }
    }
    for (int residents = 0; residents < kStartColumns; ++residents) {
        double sum = 0;
        for (double p : start[residents]) {
            sum += p;
        }
        if (std::fabs(sum - 1) > kSumTolerance) {
            return reader.failFile("die Spalte für " + std::to_string(residents + 1) +
                                   " Bewohner ergibt nicht 1");
        }
    }
    return true;
}

bool readActivities(std::string_view bytes, TableReader& reader,
                    std::array<HouseholdTables::ActivityRows, kActivityTableOccupants>& rows) {
    constexpr KeyedTable kTable{kActivityTableOccupants,
                                0,
                                kActivityTableCodes,
                                kPeriodsPerDay,
                                "erwartet 36 Zeilen (0 bis 5 Aktive mal 6 Tätigkeiten)",
                                [](int active, int code) {
                                    return "erwartet " + std::to_string(active) +
                                           " Aktive und Tätigkeit " + std::to_string(code);
                                }};
    return readKeyedTable(bytes, reader, kTable,
                          [&](int, int active, int code, std::span<const double> periods) {
                              std::copy(periods.begin(), periods.end(), rows[active][code].begin());
                              return true;
                          });
}

bool isFlag(double value) {
    return value == 0 || value == 1;
}

bool readAppliances(std::string_view bytes, TableReader& reader,
                    std::vector<ApplianceType>& appliances) {
    const auto lines = contentLines(bytes);
    if (lines.size() != 1 + kApplianceCount) {
        return reader.failFile("erwartet eine Kopfzeile und 33 Geräte");
    }
    std::vector<std::string_view> fields;
    std::vector<double> values;
    std::string category;
    for (std::size_t k = 1; k < lines.size(); ++k) {
        const auto [line, text] = lines[k];
        splitFields(text, ';', fields);
        if (fields.size() != kApplianceFields || fields[1].empty() ||
            !parseNumbers(std::span<const std::string_view>(fields).subspan(2), values)) {
            return reader.fail(line, "erwartet Kategorie, Name und 11 Zahlen, getrennt durch ';'");
        }
        if (!fields[0].empty()) {
            category = std::string(fields[0]);
        }
        ApplianceType type;
        type.category = category;
        type.name = std::string(fields[1]);
        const double profile = values[8];
        if (!isFlag(values[0]) || !isFlag(values[7]) || !(profile >= 0 && profile <= 8) ||
            profile != std::floor(profile)) {
            return reader.fail(line,
                               "Kennzeichen nicht 0 oder 1, oder Aktivitätsprofil nicht 0 bis 8");
        }
        for (std::size_t c = 2; c <= 6; ++c) {
            if (!(values[c] >= 0)) {
                return reader.fail(line, "negative Zahl");
            }
        }
        if (values[4] > kMaxPower_W || values[5] > kMaxPower_W) {
            return reader.fail(line, "Leistung über 100 kW");
        }
        if (!reader.probabilities(line, {&values[1], 1}) ||
            !reader.probabilities(line, {&values[9], 1})) {
            return false;
        }
        type.typical = values[0] == 1;
        type.ownershipShare = values[1];
        type.cyclesPerYear = values[2];
        type.meanCycleLength_min = values[3];
        type.meanCyclePower_W = values[4];
        type.standbyPower_W = values[5];
        type.restartDelay_min = values[6];
        type.occupancyDependent = values[7] == 1;
        type.profile = static_cast<ActivityProfile>(static_cast<int>(profile));
        type.activityProbability = values[9];
        // The start probability is divided by it.
        if (type.activityProbability <= 0 && type.cyclesPerYear > 0) {
            return reader.fail(line, "Aktivitätswahrscheinlichkeit 0");
        }
        appliances.push_back(std::move(type));
    }
    return true;
}

bool readLightBulbs(std::string_view bytes, TableReader& reader,
                    std::vector<std::vector<double>>& configurations) {
    const auto lines = contentLines(bytes);
    if (lines.size() != kLightBulbConfigurations) {
        return reader.failFile("erwartet 100 Zeilen");
    }
    std::vector<std::string_view> fields;
    std::vector<double> ratings;
    for (const auto& [line, text] : lines) {
        splitFields(text, ';', fields);
        while (!fields.empty() && fields.back().empty()) {
            fields.pop_back();
        }
        if (fields.empty() || !parseNumbers(fields, ratings)) {
            return reader.fail(line, "erwartet die Leistungen der Lampen in W, getrennt durch ';'");
        }
        for (double watts : ratings) {
            if (!(watts > 0 && watts <= kMaxPower_W)) {
                return reader.fail(line, "Leistung einer Lampe nicht über 0 W oder über 100 kW");
            }
        }
        configurations.push_back(ratings);
    }
    return true;
}

}  // namespace

std::vector<std::string> householdTableFileNames() {
    std::vector<std::string> names = {kApplianceTable, kLightBulbTable};
    for (DayKind kind : {DayKind::WorkingDay, DayKind::WeekendOrHoliday}) {
        names.push_back(tableName("ActiveAppliances", kind));
        names.push_back(tableName("occ_start_states", kind));
        for (int residents = 1; residents <= kLargestHouseholdSize; ++residents) {
            names.push_back(transitionTableName(residents, kind));
        }
    }
    return names;
}

std::shared_ptr<const HouseholdTables> readHouseholdTables(const HouseholdTableSource& readFile,
                                                           std::string* error) {
    return readHouseholdTables(
        readFile, [](std::string_view name) { return std::string(name); }, error);
}

std::shared_ptr<const HouseholdTables> readHouseholdTables(const HouseholdTableSource& readFile,
                                                           const HouseholdTableNaming& displayName,
                                                           std::string* error) {
    auto tables = std::make_shared<HouseholdTables>();
    // Reads one table and hands its bytes to `parse`; false when either fails.
    const auto read = [&](const std::string& name, const auto& parse) {
        const std::optional<std::string> bytes = readFile(name);
        TableReader reader(displayName(name), error);
        if (!bytes) {
            return reader.failFile("Die Datei konnte nicht gelesen werden");
        }
        return parse(*bytes, reader);
    };
    bool ok = read(kApplianceTable, [&](std::string_view bytes, TableReader& reader) {
        return readAppliances(bytes, reader, tables->appliances);
    });
    ok = ok && read(kLightBulbTable, [&](std::string_view bytes, TableReader& reader) {
             return readLightBulbs(bytes, reader, tables->lightBulbs_W);
         });
    for (DayKind kind : {DayKind::WorkingDay, DayKind::WeekendOrHoliday}) {
        const int k = static_cast<int>(kind);
        ok = ok && read(tableName("ActiveAppliances", kind),
                        [&](std::string_view bytes, TableReader& reader) {
                            return readActivities(bytes, reader, tables->activity[k]);
                        });
        ok = ok && read(tableName("occ_start_states", kind),
                        [&](std::string_view bytes, TableReader& reader) {
                            return readStartStates(bytes, reader, tables->start[k]);
                        });
        for (int residents = 1; residents <= kLargestHouseholdSize; ++residents) {
            ok = ok && read(transitionTableName(residents, kind), [&](std::string_view bytes,
                                                                      TableReader& reader) {
                     return readTransitions(bytes, reader, tables->transition[residents - 1][k]);
                 });
        }
    }
    if (!ok) {
        return nullptr;
    }
    return tables;
}

std::shared_ptr<const HouseholdTables> loadHouseholdTables(const lumetra::DataSearch& search,
                                                           std::string* error) {
    HouseholdTablesLoad load = loadHouseholdTables(TableSearch{search, {}});
    if (error != nullptr) {
        *error = load.error;
    }
    return load.tables;
}

HouseholdTablesLoad loadHouseholdTables(const TableSearch& search) {
    std::vector<TableName> names;
    for (std::string& name : householdTableFileNames()) {
        names.push_back({std::move(name), kHouseholdSource});
    }
    return loadTables<HouseholdTables>(search, names,
                                       [](std::span<const TableFile> files, std::string* error) {
                                           return readHouseholdTables(files, error);
                                       });
}

std::shared_ptr<const HouseholdTables> readHouseholdTables(std::span<const TableFile> files,
                                                           std::string* error) {
    const auto fileOf = [files](std::string_view name) -> const TableFile* {
        for (const TableFile& file : files) {
            if (file.table.name == name) {
                return &file;
            }
        }
        return nullptr;
    };
    return readHouseholdTables(
        [&](std::string_view name) -> std::optional<std::string> {
            const TableFile* file = fileOf(name);
            return file != nullptr ? std::optional<std::string>(file->bytes) : std::nullopt;
        },
        [&](std::string_view name) {
            const TableFile* file = fileOf(name);
            return file != nullptr ? lumetra::utf8Path(file->path) : std::string(name);
        },
        error);
}

}  // namespace lumetra::simulation

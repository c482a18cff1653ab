// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/measured/MeasuredLoad.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "simulation/HourlyCsv.h"
#include "simulation/SimulationSupport.h"
#include "simulation/calendar/ReferenceCalendar.h"
#include "simulation/measured/MeasuredSupport.h"

namespace lumetra::simulation {
namespace {

using test::MeasuredFile;
using Clock = MeasuredFile::Clock;

constexpr MeasuredLoadTarget kReference{kReferenceYear, 60};  // 2025, UTC+1

// Varies with the time of day and the day, so that a shifted or misplaced step shows.
double energyAt(std::int64_t standardMinute) {
    return 0.1 + 0.001 * static_cast<double>(standardMinute / 15 % 96) +
           0.01 * static_cast<double>(dayOfMinute(standardMinute) % 7);
}

std::optional<MeasuredLoad> read(const std::string& text, MeasuredLoadOptions options = {},
                                 std::string* error = nullptr) {
    std::string ignored;
    return readMeasuredLoad(text, kReference, options, error != nullptr ? error : &ignored);
}

// The line of `text` that begins with `start` replaced by `line`, or `count` lines from there cut.
void replaceLine(std::string& text, const std::string& start, const std::string& line) {
    const std::size_t begin = text.find("\n" + start) + 1;
    text.replace(begin, text.find('\n', begin) - begin, line);
}
void cutLines(std::string& text, const std::string& start, int count) {
    const std::size_t begin = text.find("\n" + start) + 1;
    std::size_t end = begin;
    for (int k = 0; k < count; ++k) {
        end = text.find('\n', end) + 1;
    }
    text.erase(begin, end - begin);
}

struct LayoutCase {
    const char* name;
    bool german;
    Clock clock;
    int step;
    MeasuredUnit unit;
    const char* header;
    MeasuredTimeBasis requested;
    MeasuredTimeBasis detected;
};

class MeasuredLayouts : public ::testing::TestWithParam<LayoutCase> {};

// Each file holds the same year of 2025, so the quarter hours come back as they were written.
TEST_P(MeasuredLayouts, GiveTheYearInStandardTime) {
    const LayoutCase& c = GetParam();
    MeasuredFile file;
    file.german = c.german;
    file.clock = c.clock;
    file.stepMinutes = c.step;
    file.unit = c.unit;
    file.header = c.header;
    file.energy = [&](std::int64_t m) { return energyAt(m) * c.step / 15; };
    MeasuredLoadOptions options;
    options.timeBasis = c.requested;
    std::string error;
    const auto load = read(file.text(), options, &error);
    ASSERT_TRUE(load) << error;
    EXPECT_EQ(load->unit, c.unit);
    EXPECT_EQ(load->stepMinutes, c.step);
    EXPECT_EQ(load->timeBasis, c.detected);
    EXPECT_TRUE(load->filledGaps.empty());
    ASSERT_EQ(load->quarterHours_kWh.size(), 35'040u);
    // A step longer than a quarter hour is spread evenly over its quarter hours.
    const std::int64_t start = daysFromCivil({2025, 1, 1}) * 1440;
    for (std::int64_t q = 0; q < 35'040; ++q) {
        const std::int64_t stepStart = q * 15 / c.step * c.step;
        ASSERT_NEAR(load->quarterHours_kWh[static_cast<std::size_t>(q)],
                    energyAt(start + stepStart), 1e-9)
            << "quarter hour " << q;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, MeasuredLayouts,
    ::testing::Values(
        LayoutCase{"German15MinKWhSummerTime", true, Clock::SummerTime2025, 15, MeasuredUnit::kWh,
                   "Zeit;Verbrauch [kWh]", MeasuredTimeBasis::Detect,
                   MeasuredTimeBasis::LocalWithSummerTime},
        LayoutCase{"German60MinWattsUtcAsTold", true, Clock::Utc, 60, MeasuredUnit::W,
                   "Zeitstempel;Leistung (W)", MeasuredTimeBasis::Utc, MeasuredTimeBasis::Utc},
        LayoutCase{"German1MinKilowattsStandardTime", true, Clock::Standard, 1, MeasuredUnit::kW,
                   "Datum/Zeit;P in kW", MeasuredTimeBasis::Detect,
                   MeasuredTimeBasis::LocalStandardTime},
        LayoutCase{"Iso5MinWhWithOffsets", false, Clock::Offsets2025, 5, MeasuredUnit::Wh,
                   "time,energy_Wh", MeasuredTimeBasis::Detect, MeasuredTimeBasis::StampOffsets},
        LayoutCase{"IsoHourlyKWhSummerTimeAsTold", false, Clock::SummerTime2025, 60,
                   MeasuredUnit::kWh, "timestamp,consumption kWh",
                   MeasuredTimeBasis::LocalWithSummerTime, MeasuredTimeBasis::LocalWithSummerTime}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(MeasuredLoadTest, ShortGapsAreFilledAndReported) {
    MeasuredFile file;
    file.energy = energyAt;
    std::string text = file.text();
    // 5 March 10:00-11:59 (two hours) and the empty value of 1 June 12:00.
    cutLines(text, "05.03.2025 10:00", 8);
    replaceLine(text, "01.06.2025 12:00", "01.06.2025 12:00;");
    std::string error;
    const auto load = read(text, {}, &error);
    ASSERT_TRUE(load) << error;
    ASSERT_EQ(load->filledGaps.size(), 2u);
    EXPECT_EQ(load->filledGaps[0].firstMissing, "05.03.2025 10:00");
    EXPECT_EQ(load->filledGaps[0].minutes, 120);
    EXPECT_EQ(load->filledGaps[1].firstMissing, "01.06.2025 12:00");
    EXPECT_EQ(load->filledGaps[1].minutes, 15);
    // Linear between the neighbours.
    const std::size_t q = (kMonthStartDay[2] + 4) * 96 + 40;  // 5 March 10:00
    const double before = load->quarterHours_kWh[q - 1];
    const double after = load->quarterHours_kWh[q + 8];
    EXPECT_NEAR(load->quarterHours_kWh[q + 3], before + (after - before) * 4 / 9, 1e-12);
}

// A meter that writes the repeated autumn hour only once leaves an hour out: it is filled.
TEST(MeasuredLoadTest, AutumnHourWrittenOnceIsFilled) {
    MeasuredFile file;
    file.clock = Clock::SummerTime2025;
    file.energy = energyAt;
    std::string text = file.text();
    const std::size_t second = text.find("26.10.2025 02:00", text.find("26.10.2025 02:45"));
    text.erase(second, text.find("26.10.2025 03:00") - second);
    std::string error;
    const auto load = read(text, {}, &error);
    ASSERT_TRUE(load) << error;
    EXPECT_EQ(load->timeBasis, MeasuredTimeBasis::LocalWithSummerTime);
    ASSERT_EQ(load->filledGaps.size(), 1u);
    EXPECT_EQ(load->filledGaps[0].firstMissing, "26.10.2025 02:00");
    EXPECT_EQ(load->filledGaps[0].minutes, 60);
}

// Some portals write the newest time first, also across the clock changes.
TEST(MeasuredLoadTest, NewestFirstReadsAsOldestFirst) {
    MeasuredFile file;
    file.clock = Clock::SummerTime2025;
    file.energy = energyAt;
    const std::string text = file.text();
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        lines.emplace_back(text.substr(at, end - at + 1));
        at = end + 1;
    }
    std::reverse(lines.begin() + 1, lines.end());
    std::string reversed;
    for (const std::string& line : lines) {
        reversed += line;
    }
    std::string error;
    const auto forward = read(text, {}, &error);
    const auto backward = read(reversed, {}, &error);
    ASSERT_TRUE(forward && backward) << error;
    EXPECT_EQ(backward->timeBasis, MeasuredTimeBasis::LocalWithSummerTime);
    EXPECT_EQ(backward->quarterHours_kWh, forward->quarterHours_kWh);
}

struct RefusalCase {
    const char* name;
    const char* find;     // the line to change (its start)
    const char* replace;  // the whole new line; empty: cut 9 lines from there
    const char* column;
    const char* expected;  // part of the message
    MeasuredTimeBasis basis = MeasuredTimeBasis::Detect;
};

class MeasuredRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(MeasuredRefusals, OneMessageNamingWhere) {
    const RefusalCase& c = GetParam();
    MeasuredFile file;
    file.header = "Zeit;Verbrauch [kWh];Einspeisung [kWh]";
    file.extraColumns = ";0";
    std::string text = file.text();
    if (*c.replace == '\0') {
        cutLines(text, c.find, 9);
    } else {
        replaceLine(text, c.find, c.replace);
    }
    MeasuredLoadOptions options;
    options.column = c.column;
    options.timeBasis = c.basis;
    std::string error;
    EXPECT_FALSE(read(text, options, &error));
    EXPECT_NE(error.find(c.expected), std::string::npos) << error;
}

// Line 2 is 01.01.2025 00:00; 05.01.2025 00:00 is line 2 + 4 x 96 = 386.
INSTANTIATE_TEST_SUITE_P(
    Files, MeasuredRefusals,
    ::testing::Values(
        RefusalCase{"DecimalPointInGermanLayout", "05.01.2025 00:00", "05.01.2025 00:00;0.25;0",
                    "2", "Zeile 386: „0.25“ ist keine Zahl"},
        RefusalCase{"Negative", "05.01.2025 00:00", "05.01.2025 00:00;-1;0", "2",
                    "Zeile 386: negativer Wert"},
        RefusalCase{"NoTime", "05.01.2025 00:00", "Summe;1234;0", "2", "Zeile 386: keine Zeit"},
        RefusalCase{"TwiceTheSameTime", "05.01.2025 00:00", "04.01.2025 23:45;1;0", "2",
                    "Zeile 386: die Zeit 04.01.2025 23:45 kommt doppelt vor (wie in Zeile 385)"},
        RefusalCase{"OffTheGrid", "05.01.2025 00:00", "05.01.2025 00:07;1;0", "2",
                    "Zeile 386: die Zeit 05.01.2025 00:07 liegt nicht im Raster von 15 Minuten"},
        RefusalCase{"MoreThanAYear", "31.12.2025 23:45", "01.01.2026 00:00;1;0", "2",
                    "liegt ein Jahr oder mehr nach der ersten (01.01.2025 00:00)"},
        RefusalCase{"GapOfMoreThanTwoHours", "05.01.2025 00:00", "", "2",
                    "Es fehlen Werte ab 05.01.2025 00:00 (nach Zeile 385)"},
        RefusalCase{"SkippedSpringHourAsSummerTime", "30.03.2025 02:00", "30.03.2025 02:00;1;0",
                    "2", "Zeile 8458: die Zeit 30.03.2025 02:00 gibt es wegen der Umstellung",
                    MeasuredTimeBasis::LocalWithSummerTime},
        RefusalCase{"SecondsOffTheMinute", "05.01.2025 00:00", "05.01.2025 00:00:30;1;0", "2",
                    "Zeile 386: die Zeit „05.01.2025 00:00:30“ liegt nicht auf einer vollen"},
        RefusalCase{"SeveralValueColumnsNoneChosen", "05.01.2025 00:00", "05.01.2025 00:00;1;0", "",
                    "mehrere Wertespalten; bitte eine wählen: 2 „Verbrauch [kWh]“, 3 "},
        RefusalCase{"UnknownColumn", "05.01.2025 00:00", "05.01.2025 00:00;1;0", "Bezug",
                    "Die Spalte „Bezug“ gibt es nicht"},
        RefusalCase{"TimeColumnChosen", "05.01.2025 00:00", "05.01.2025 00:00;1;0", "1",
                    "Spalte 1 enthält die Zeit"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(MeasuredLoadTest, ColumnWithoutUnitNeedsOne) {
    MeasuredFile file;
    file.header = "Zeit;Zähler";
    std::string error;
    EXPECT_FALSE(read(file.text(), {}, &error));
    EXPECT_NE(error.find("Einheit der Spalte „Zähler“"), std::string::npos) << error;
    MeasuredLoadOptions options;
    options.unit = MeasuredUnit::Wh;
    const auto load = read(file.text(), options);
    ASSERT_TRUE(load);
    EXPECT_NEAR(load->annual_kWh, 0.25e-3 * 35'040, 1e-9);
}

// Years that begin on any day: each day of 2025 must take a measured day of its weekday, at
// most three days from its date (further only at the ends of the measured span), never 29
// February, and keep the time of day.
TEST(MeasuredLoadTest, AnyYearMapsOntoTheReferenceYearByWeekday) {
    for (const CivilDate first : {CivilDate{2025, 1, 1}, CivilDate{2024, 1, 1},
                                  CivilDate{2023, 3, 1}, CivilDate{2022, 7, 15}}) {
        MeasuredFile file;
        file.firstDay = daysFromCivil(first);
        file.days = isLeapYear(first.year + (first.month > 2 ? 1 : 0)) ? 366 : 365;
        // The step's day since 1970 and its quarter hour of the day, in one number.
        file.energy = [](std::int64_t m) {
            return static_cast<double>(dayOfMinute(m)) + static_cast<double>(m % 1440 / 15) / 100;
        };
        std::string error;
        const auto load = read(file.text(), {}, &error);
        ASSERT_TRUE(load) << error;
        EXPECT_EQ(load->leapDayDropped, file.days == 366) << first.year;
        const std::int64_t referenceStart = daysFromCivil({2025, 1, 1});
        for (int day = 0; day < 365; ++day) {
            for (int q : {0, 57, 95}) {
                const double value = load->quarterHours_kWh[static_cast<std::size_t>(day * 96 + q)];
                const auto measuredDay = static_cast<std::int64_t>(std::floor(value));
                ASSERT_NEAR(value - static_cast<double>(measuredDay), q / 100.0, 1e-6);
                EXPECT_EQ(weekdayOfDays(measuredDay), weekdayOfDays(referenceStart + day));
                const CivilDate date = civilFromDays(measuredDay);
                EXPECT_FALSE(date.month == 2 && date.day == 29);
                const CivilDate reference = civilFromDays(referenceStart + day);
                std::int64_t fromSameDate = 1000;
                for (int year = date.year - 1; year <= date.year + 1; ++year) {
                    const std::int64_t sameDate =
                        daysFromCivil({year, reference.month, reference.day});
                    fromSameDate = std::min(fromSameDate, std::abs(measuredDay - sameDate));
                }
                // Further where the nearest lies beyond the span or on 29 February.
                const std::int64_t leapDay = daysFromCivil({2024, 2, 29});
                const bool nearAnEdge = std::abs(measuredDay - file.firstDay) < 10 ||
                                        std::abs(measuredDay - file.firstDay - file.days) < 10 ||
                                        std::abs(measuredDay - leapDay) < 10;
                EXPECT_LE(fromSameDate, nearAnEdge ? 10 : 3)
                    << first.year << " reference day " << day;
            }
        }
    }
}

// The quarter hours of `lumetra-cli --hourly-csv`, read back by their column, are the balance's;
// so are those of the same year exported in German layout on the clock with summer time.
TEST(MeasuredLoadTest, HourlyCsvReadsBackAsTheBalancesDemand) {
    HourlyBalance balance(test::shippedClimate());
    const HourlyResult& result = balance.run(test::berlinHousehold());
    const std::vector<float>& demand = result.steps.demand;
    const std::string csv = hourlyCsv(result);

    std::string error;
    const auto columns = measuredLoadColumns(csv, &error);
    ASSERT_TRUE(columns) << error;
    ASSERT_EQ(columns->size(), 10u);
    EXPECT_EQ((*columns)[2].name, "demand_kWh");
    EXPECT_EQ((*columns)[2].unit, MeasuredUnit::kWh);

    MeasuredFile german;
    german.clock = Clock::SummerTime2025;
    const std::int64_t start = daysFromCivil({2025, 1, 1}) * 1440;
    german.energy = [&](std::int64_t m) {
        return demand[static_cast<std::size_t>((m - start) / 15)];
    };
    for (const auto& [text, column] :
         {std::pair{csv, "demand_kWh"}, std::pair{csv, "3"}, std::pair{german.text(), ""}}) {
        MeasuredLoadOptions options;
        options.column = column;
        const auto load = read(text, options, &error);
        ASSERT_TRUE(load) << error;
        for (std::size_t q = 0; q < demand.size(); ++q) {
            ASSERT_EQ(static_cast<float>(load->quarterHours_kWh[q]), demand[q]) << q;
        }
    }
}

}  // namespace
}  // namespace lumetra::simulation

// norvalis-cli's logbook and options additions, run in-process: "dose --json" gains pen_dose
// and above_max only with the settings, "log" prints the logbook as text, JSON or CSV.

#include "logbook/log_csv.h"
#include "logbook/log_location.h"
#include "logbook/log_store.h"
#include "tests/cli_log/cli_log_fixture.h"
#include "tests/core/named_cases.h"
#include "tests/support/zone_scope.h"

#include <QFile>
#include <gtest/gtest.h>

namespace norvalis::cli {
namespace {

using norvalis::testing::operator<<; // names the cases in the test lists

// options: the [Options] section ("" for none); json: the part after weighting_caption.
struct DoseJsonCase {
    std::string name, options, carbs, tail;
};

class DoseJsonTest : public CliTest, public ::testing::WithParamInterface<DoseJsonCase> {};

TEST_P(DoseJsonTest, AddsTheFieldsOnlyWithTheSettings) {
    const DoseJsonCase &c = GetParam();
    const std::string settings = WriteSettings(c.options);
    const CliRun run = RunCli({"--settings", settings, "dose", "Breakfast", "--blood-sugar", "0",
                               "--carbs", c.carbs, "--json"});
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    const std::string caption = "\"weighting_caption\":\"Weighting if over ? grams\"";
    const std::size_t at = run.out.find(caption);
    ASSERT_NE(at, std::string::npos) << run.out;
    EXPECT_EQ(run.out.substr(at + caption.size()), c.tail);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DoseJsonTest,
    ::testing::Values(DoseJsonCase{"no_options", "", "112.5", "}\n"},
                      DoseJsonCase{"max_not_exceeded", "[Options]\nMaxDose=20\n", "200",
                                   ",\"above_max\":false}\n"},
                      DoseJsonCase{"both_tie_down_and_above",
                                   "[Options]\nPenStep=0.5\nMaxDose=20\n", "212.5",
                                   ",\"pen_dose\":\"21\",\"above_max\":true}\n"}),
    norvalis::testing::CaseName());

TEST_F(CliTest, OptionsIsNeitherListedNorLoadedAsAPeriod) {
    const std::string settings = WriteSettings("[Options]\nPenStep=0.5\n");
    const CliRun periods = RunCli({"--settings", settings, "periods"});
    EXPECT_EQ(periods.out, "Breakfast\n");
    const CliRun tables = RunCli({"--settings", settings, "tables", "options"});
    EXPECT_EQ(tables.status, kExitFindings);
    EXPECT_NE(tables.err.find("[Options] holds the settings"), std::string::npos);
}

TEST_F(CliTest, DoseTextShowsTheExtraLines) {
    const std::string settings = WriteSettings("[Options]\nPenStep=0.5\nMaxDose=20\n");
    const CliRun run = RunCli(
        {"--settings", settings, "dose", "Breakfast", "--blood-sugar", "0", "--carbs", "212.5"});
    EXPECT_NE(run.out.find("Total: 21.25\nPen dose: 21\n"
                           "Above your maximum of 20 units \xE2\x80\x94 check the numbers\n"),
              std::string::npos)
        << run.out;
}

class LogTest : public CliTest {
protected:
    void Record(const QString &when, double taken, const QString &note = {}) {
        logbook::LogStore store(logbook::defaultLogPath());
        const QDateTime at = QDateTime::fromString(when, Qt::ISODate);
        logbook::LogEntry entry{0,     logbook::EntryKind::Rapid,
                                at,    "Breakfast",
                                "190", 190,
                                "75",  75,
                                "",    "",
                                "",    "9.5",
                                taken, note};
        ASSERT_TRUE(store.add(entry).ok);
        entries_.prepend(entry);
    }
    QList<logbook::LogEntry> entries_; // newest first, as recorded here in time order
};

TEST_F(LogTest, NoLogbookIsAnEmptyOneAndIsNotCreated) {
    const CliRun run = RunCli({"log", "--json"});
    EXPECT_EQ(run.status, kExitSuccess);
    EXPECT_EQ(run.out, "[]\n");
    EXPECT_NE(run.err.find("no logbook yet"), std::string::npos);
    EXPECT_FALSE(QFile::exists(logbook::defaultLogPath()));
}

TEST_F(LogTest, PrintsTextJsonAndCsv) {
    Record("2026-03-28T08:00:00+01:00", 5);
    Record("2026-03-30T08:00:00+02:00", 6.5, "walk, \"big\"\nlunch");
    const CliRun text = RunCli({"log"});
    EXPECT_EQ(text.out,
              "2026-03-30 08:00 UTC+02:00  Breakfast  blood sugar 190  carbohydrate 75  total 9.5"
              "  taken 6.5  note: walk, \"big\" lunch\n"
              "2026-03-28 08:00 UTC+01:00  Breakfast  blood sugar 190  carbohydrate 75  total 9.5"
              "  taken 5\n");
    const CliRun json = RunCli({"log", "--json"});
    EXPECT_NE(json.out.find("{\"time\":\"2026-03-30T08:00:00+02:00\",\"period\":\"Breakfast\","
                            "\"blood_sugar_text\":\"190\",\"blood_sugar\":190,"),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find(
                  "\"taken\":6.5,\"note\":\"walk, \\\"big\\\"\\u000alunch\",\"kind\":\"rapid\"}"),
              std::string::npos);
    const CliRun csv = RunCli({"log", "--csv"});
    EXPECT_EQ(csv.out, logbook::entriesToCsv(entries_).toStdString());
}

// Two entries a minute either side of local midnight, recorded in UTC, read in a zone.
struct LocalDayCase {
    std::string name;
    QByteArray zone;
    QString before, after; // the instants
    std::string since;
    std::string shown; // the line's start for the entry kept
    friend void PrintTo(const LocalDayCase &c, std::ostream *out) { *out << c.name; }
};

class LocalDayTest : public LogTest, public ::testing::WithParamInterface<LocalDayCase> {};

TEST_P(LocalDayTest, SinceCountsLocalDaysAndTextShowsLocalTimeWithItsZone) {
    const LocalDayCase &c = GetParam();
    const ZoneScope inZone(c.zone);
    Record(c.before, 1);
    Record(c.after, 2);
    const CliRun run = RunCli({"log", "--since", c.since});
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(run.out,
              c.shown + "  Breakfast  blood sugar 190  carbohydrate 75  total 9.5  taken 2\n");
}

INSTANTIATE_TEST_SUITE_P(
    Zones, LocalDayTest,
    ::testing::Values(
        LocalDayCase{"new_york_evening_is_the_day_before", "America/New_York",
                     "2026-05-02T03:59:00Z", "2026-05-02T04:01:00Z", "2026-05-02",
                     "2026-05-02 00:01 UTC-04:00"},
        LocalDayCase{"kolkata_half_hour_zone", "Asia/Kolkata", "2026-05-01T18:29:00Z",
                     "2026-05-01T18:31:00Z", "2026-05-02", "2026-05-02 00:01 UTC+05:30"},
        LocalDayCase{"berlin_day_of_the_spring_change", "Europe/Berlin", "2026-03-28T22:59:00Z",
                     "2026-03-28T23:01:00Z", "2026-03-29", "2026-03-29 00:01 UTC+01:00"},
        LocalDayCase{"berlin_day_after_the_autumn_change", "Europe/Berlin", "2026-10-25T22:59:00Z",
                     "2026-10-25T23:01:00Z", "2026-10-26", "2026-10-26 00:01 UTC+01:00"}),
    norvalis::testing::CaseName());

struct UsageCase {
    std::string name;
    std::vector<std::string_view> arguments;
    int status;
    bool garbageLogbook = false; // the logbook file holds something else
};

class LogUsageTest : public CliTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(LogUsageTest, RefusesWrongUsage) {
    if (GetParam().garbageLogbook) {
        QFile file(logbook::defaultLogPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
    }
    const CliRun run = RunCli(GetParam().arguments);
    EXPECT_EQ(run.status, GetParam().status) << run.err;
    EXPECT_FALSE(run.err.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, LogUsageTest,
    ::testing::Values(UsageCase{"not_a_date", {"log", "--since", "yesterday"}, kExitUsage},
                      UsageCase{"impossible_date", {"log", "--since", "2026-02-30"}, kExitUsage},
                      UsageCase{"json_and_csv", {"log", "--json", "--csv"}, kExitUsage},
                      UsageCase{"csv_elsewhere", {"periods", "--csv"}, kExitUsage},
                      UsageCase{"since_elsewhere", {"check", "--since", "2026-01-01"}, kExitUsage},
                      UsageCase{"unreadable_logbook", {"log"}, kExitFindings, true}),
    norvalis::testing::CaseName());

} // namespace
} // namespace norvalis::cli

// norvalis-cli log add, log import and active, run in-process under TZ=Europe/Berlin: what is
// stored, what is refused (nothing stored, exit 1; usage mistakes exit 2), the import's round
// trip and duplicate rule, and active insulin by the settings file's curve.

#include "logbook/log_csv.h"
#include "logbook/log_store.h"
#include "tests/cli_log/cli_log_fixture.h"
#include "tests/core/named_cases.h"

namespace norvalis::cli {
namespace {

using norvalis::testing::operator<<;

const char *const kTables = "BS_1=150,1\nBS_2=250,2\n";

class LogAddTest : public CliTest {
protected:
    std::string settings_ = WriteSettings(kTables);

    QList<logbook::LogEntry> Stored() {
        QList<logbook::LogEntry> entries;
        if (QFile::exists(logbook::defaultLogPath())) {
            logbook::LogStore store(logbook::defaultLogPath());
            EXPECT_TRUE(store.entries(entries).ok);
        }
        return entries;
    }

    CliRun Add(std::vector<std::string_view> arguments) {
        arguments.insert(arguments.begin(), {"--settings", settings_, "log", "add"});
        return RunCli(arguments);
    }
};

struct RefusalCase {
    std::string name;
    std::vector<std::string_view> arguments; // after "log add"
    int status;
    std::string message;
};

class LogAddRefusalTest : public LogAddTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(LogAddRefusalTest, StoresNothing) {
    const RefusalCase &c = GetParam();
    const CliRun run = Add(c.arguments);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(Stored().isEmpty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Inputs, LogAddRefusalTest, ::testing::Values(
    RefusalCase{"taken_negative", {"--taken", "-0.5"}, kExitFindings, "--taken \"-0.5\" is below 0"},
    RefusalCase{"taken_empty_for_rapid", {"--taken", ""}, kExitFindings, "--taken \"\" is empty"},
    RefusalCase{"taken_empty_for_long", {"--kind", "long", "--taken", " "}, kExitFindings, "is empty"},
    RefusalCase{"taken_beyond_a_million", {"--taken", "1000001"}, kExitFindings, "is above 1000000 units"},
    RefusalCase{"taken_unreadable", {"--taken", "six"}, kExitFindings, "does not start with a number"},
    RefusalCase{"taken_beyond_the_number_range", {"--taken", "1e999"}, kExitFindings, "is too large a number"},
    RefusalCase{"time_more_than_a_day_ahead", {"--taken", "1", "--at", "2999-01-01T08:00"}, kExitFindings, "more than a day ahead"},
    RefusalCase{"time_not_iso", {"--taken", "1", "--at", "01.12.2026 08:30"}, kExitFindings, "--at wants an ISO 8601 date and time"},
    RefusalCase{"unknown_kind", {"--kind", "basal", "--taken", "1"}, kExitFindings, "unknown kind \"basal\""},
    RefusalCase{"period_not_listed", {"--taken", "1", "--period", "Lunch"}, kExitFindings, "lists no period \"Lunch\""},
    RefusalCase{"options_section_is_no_period", {"--taken", "1", "--period", "Options"}, kExitFindings, "lists no period \"Options\""},
    RefusalCase{"taken_missing_for_rapid", {"--period", "Breakfast"}, kExitUsage, "needs --taken UNITS"},
    RefusalCase{"taken_missing_for_long", {"--kind", "long"}, kExitUsage, "needs --taken UNITS for a long dose"},
    RefusalCase{"taken_given_for_reading", {"--kind", "reading", "--taken", "0", "--blood-sugar", "65"}, kExitUsage, "leave out --taken"},
    RefusalCase{"reading_without_reading", {"--kind", "reading"}, kExitUsage, "needs --blood-sugar"},
    RefusalCase{"period_for_long", {"--kind", "long", "--taken", "14", "--period", "Breakfast"}, kExitUsage, "leave out --period"}),
    norvalis::testing::CaseName());
// clang-format on

TEST_F(LogAddTest, UsageMistakesOfTheParser) {
    for (const std::vector<std::string_view> &arguments :
         {std::vector<std::string_view>{"log", "add", "--json", "--taken", "1"},
          {"log", "import"},
          {"log", "import", "a.csv", "b.csv"},
          {"log", "--taken", "1"},
          {"active", "--kind", "rapid"},
          {"periods", "--at", "2026-12-01T08:00"}}) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, kExitUsage) << arguments[1];
    }
    EXPECT_TRUE(Stored().isEmpty());
}

// A rapid dose with a period stores the figures "dose" shows for the same texts.
TEST_F(LogAddTest, RapidDoseStoresTheFiguresOfDose) {
    const CliRun dose = RunCli({"--settings", settings_, "dose", "Breakfast", "--blood-sugar",
                                "190 mg", "--carbs", "75", "--json"});
    EXPECT_NE(dose.out.find("\"correction_dose\":\"1\",\"weighting_dose\":\"\",\"carb_dose\":"
                            "\"7.5\",\"total_dose\":\"8.5\""),
              std::string::npos)
        << dose.out;
    const CliRun run =
        Add({"--taken", "9.5 units", "--period", "Breakfast", "--blood-sugar", "190 mg", "--carbs",
             "75", "--at", "2026-12-01T08:30+03:00", "--note", "at the hotel"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    const QList<logbook::LogEntry> stored = Stored();
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(run.out, std::to_string(stored[0].id) + "\n");
    const logbook::LogEntry &e = stored[0];
    EXPECT_EQ(e.kind, logbook::EntryKind::Rapid);
    EXPECT_EQ(logbook::offsetTimeText(e.takenAt), "2026-12-01T08:30:00+03:00");
    EXPECT_EQ(e.period, "Breakfast");
    EXPECT_EQ(e.bloodSugarText, "190 mg");
    EXPECT_EQ(e.bloodSugar, 190);
    EXPECT_EQ(e.correctionDose, "1");
    EXPECT_EQ(e.carbDose, "7.5");
    EXPECT_EQ(e.weightingDose, "");
    EXPECT_EQ(e.totalDose, "8.5");
    EXPECT_EQ(e.taken, 9.5);
    EXPECT_EQ(e.note, "at the hotel");
}

// A long-acting dose and a reading store no figures; a reading stores no insulin. Without
// --at the entry is for now, in local time.
TEST_F(LogAddTest, LongDoseAndReadingStoreNoFigures) {
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    ASSERT_EQ(Add({"--kind", "long", "--taken", "14", "--blood-sugar", "120"}).status,
              kExitSuccess);
    ASSERT_EQ(
        Add({"--kind", "reading", "--blood-sugar", "65", "--period", "Breakfast", "--carbs", "15"})
            .status,
        kExitSuccess);
    const QList<logbook::LogEntry> stored = Stored();
    ASSERT_EQ(stored.size(), 2);
    for (const logbook::LogEntry &e : stored) {
        EXPECT_GE(e.takenAt, before);
        EXPECT_LE(e.takenAt, QDateTime::currentDateTime());
        EXPECT_EQ(e.totalDose, "");
        EXPECT_EQ(e.carbDose, "");
    }
    const auto &reading = stored[0].kind == logbook::EntryKind::Reading ? stored[0] : stored[1];
    const auto &basal = stored[0].kind == logbook::EntryKind::Long ? stored[0] : stored[1];
    EXPECT_EQ(reading.taken, 0);
    EXPECT_EQ(reading.period, "Breakfast");
    EXPECT_EQ(reading.carbText, "15");
    EXPECT_EQ(basal.taken, 14);
    EXPECT_EQ(basal.period, "");
}

// A logbook that cannot take the entry: said with the file and the reason, exit 1.
TEST_F(LogAddTest, UnusableLogbookIsReported) {
    {
        QFile file(logbook::defaultLogPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
    }
    const CliRun corrupt = Add({"--taken", "1"});
    EXPECT_EQ(corrupt.status, kExitFindings);
    EXPECT_NE(corrupt.err.find("the entry was not recorded"), std::string::npos) << corrupt.err;
    EXPECT_NE(corrupt.err.find("File: "), std::string::npos);
    EXPECT_EQ(corrupt.out, "");
}

class LogImportCliTest : public LogAddTest {
protected:
    std::string WriteFile(const char *name, const QByteArray &bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path.toStdString();
    }
};

// log --csv, import into an empty logbook, log --csv: the same text; a second import adds
// nothing.
TEST_F(LogImportCliTest, RoundTripThroughTheCommandLine) {
    ASSERT_EQ(Add({"--taken", "6.5", "--period", "Breakfast", "--blood-sugar", "190", "--carbs",
                   "75", "--note", "=1+1, \"x\"", "--at", "2026-12-01T08:30"})
                  .status,
              kExitSuccess);
    ASSERT_EQ(Add({"--kind", "long", "--taken", "14", "--at", "2026-12-01T22:00+01:00"}).status,
              kExitSuccess);
    ASSERT_EQ(Add({"--kind", "reading", "--blood-sugar", "65", "--at", "2026-07-01T23:00"}).status,
              kExitSuccess);
    const CliRun exported = RunCli({"log", "--csv"});
    const std::string csv = WriteFile("export.csv", QByteArray::fromStdString(exported.out));

    logbook::setLogPathOverride(dir_.filePath("restored/Norvalis-log.sqlite"));
    const CliRun first = RunCli({"log", "import", csv});
    EXPECT_EQ(first.status, kExitSuccess) << first.err;
    EXPECT_EQ(first.out, "Added 3 entries, skipped 0 already in the logbook.\n");
    EXPECT_EQ(RunCli({"log", "--csv"}).out, exported.out);
    const CliRun second = RunCli({"log", "import", csv});
    EXPECT_EQ(second.out, "Added 0 entries, skipped 3 already in the logbook.\n");
    EXPECT_EQ(RunCli({"log", "--csv"}).out, exported.out);
}

// A malformed row refuses the file: the row and the reason, exit 1, nothing stored.
TEST_F(LogImportCliTest, MalformedRowStoresNothing) {
    ASSERT_EQ(Add({"--taken", "4", "--at", "2026-12-01T08:00"}).status, kExitSuccess);
    QByteArray csv = QByteArray::fromStdString(RunCli({"log", "--csv"}).out);
    csv += "2026-12-01T12:00:00+01:00,,,0,,0,,,,,3,,rapid\r\n"
           "2026-12-01T13:00:00+01:00,,,0,,0,,,,,3,,sometimes\r\n";
    logbook::setLogPathOverride(dir_.filePath("other.sqlite"));
    const CliRun run = RunCli({"log", "import", WriteFile("bad.csv", csv)});
    EXPECT_EQ(run.status, kExitFindings);
    EXPECT_NE(run.err.find("nothing was stored: row 4: unknown kind \"sometimes\""),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(Stored().isEmpty());
    const CliRun missing = RunCli({"log", "import", dir_.filePath("none.csv").toStdString()});
    EXPECT_EQ(missing.status, kExitFindings);
    EXPECT_NE(missing.err.find("could not be read"), std::string::npos);
}

struct ActiveCase {
    std::string name;
    std::string options; // lines of [Options]
    std::string json;
};

class ActiveTest : public LogAddTest, public ::testing::WithParamInterface<ActiveCase> {};

// 4 units 70 min before 2026-12-01T12:00 and 2 units 130 min before; a long-acting dose and a
// reading add nothing, nor does a dose recorded after the time asked about.
TEST_P(ActiveTest, ByTheCurveOfTheSettings) {
    settings_ = WriteSettings(std::string(kTables) + "[Options]\n" + GetParam().options);
    for (const std::vector<std::string_view> &entry :
         {std::vector<std::string_view>{"--taken", "4", "--at", "2026-12-01T10:50"},
          {"--taken", "2", "--at", "2026-12-01T09:50"},
          {"--kind", "long", "--taken", "20", "--at", "2026-12-01T11:00"},
          {"--kind", "reading", "--blood-sugar", "90", "--at", "2026-12-01T11:30"},
          {"--taken", "8", "--at", "2026-12-01T12:01"}}) {
        ASSERT_EQ(Add(entry).status, kExitSuccess);
    }
    const CliRun run =
        RunCli({"--settings", settings_, "active", "--at", "2026-12-01T12:00", "--json"});
    EXPECT_EQ(run.status, kExitSuccess) << run.err;
    EXPECT_EQ(run.out, GetParam().json + "\n");
}

// Worked out apart from the code: rapid over 6 hours 4 × 0.7792959814 + 2 × 0.4497523127 =
// 4.0166885510; ultra-rapid over 5 hours 4 × 0.6679385667 + 2 × 0.2882542500 = 3.2482627667.
INSTANTIATE_TEST_SUITE_P(
    Curves, ActiveTest,
    ::testing::Values(ActiveCase{"rapid_six_hours_by_default", "",
                                 R"({"active_insulin":4.02,"doses":2,"curve":"rapid","hours":6})"},
                      ActiveCase{"ignored_hours_fall_back_to_six", "InsulinHours=9\n",
                                 R"({"active_insulin":4.02,"doses":2,"curve":"rapid","hours":6})"},
                      ActiveCase{
                          "ultra_rapid_five_hours", "InsulinCurve=ultra-rapid\nInsulinHours=5\n",
                          R"({"active_insulin":3.25,"doses":2,"curve":"ultra-rapid","hours":5})"}),
    norvalis::testing::CaseName());

TEST_F(LogAddTest, ActiveWithoutLogbookIsNothingAndCreatesNone) {
    const CliRun run = RunCli({"--settings", settings_, "active"});
    EXPECT_EQ(run.status, kExitSuccess);
    EXPECT_EQ(run.out, "Active insulin: 0 units from 0 doses (rapid curve, 6 hours)\n"
                       "Information only: it is not taken off any dose.\n");
    EXPECT_FALSE(QFile::exists(logbook::defaultLogPath()));
    EXPECT_EQ(RunCli({"active", "--at", "noon"}).status, kExitFindings);
}

} // namespace
} // namespace norvalis::cli

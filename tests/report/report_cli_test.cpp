// norvalis-cli report run as a program on a logbook made here with hand-worked figures; its
// PDF read back with poppler's pdftotext and pdfinfo.
#include "logbook/log_location.h"
#include "logbook/log_store.h"
#include "tests/core/named_cases.h"
#include "tests/core/scratch_directory.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimeZone>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

using norvalis::testing::operator<<;
using norvalis::testing::ReadFile;
using norvalis::testing::ScratchDirectory;
using norvalis::testing::WriteFile;

const std::string kSettings = "[Period]\nP_1=Breakfast\nP_2=Lunch\n"
                              "[Breakfast]\nCD_1=10\nBS_1=140,1\nBS_2=180,2\nCW_1=60,1\n"
                              "[Lunch]\nCD_1=12\nBS_1=150,1.5\n[Options]\nPenStep=0.5\n";

struct Recorded {
    const char *at; // local time in Europe/Berlin
    logbook::EntryKind kind;
    const char *period;
    double bloodSugar;
    double carbs;
    const char *correction;
    const char *carbDose;
    const char *weighting;
    double taken;
    const char *note;
};

// 1-2 November 2026: readings 54, 180, 250.1 and 53 (one per band but high), a long-acting
// dose without a reading, and one entry just outside each end of the range.
const Recorded kEntries[] = {
    {"2026-10-31T23:59:00", logbook::EntryKind::Rapid, "Breakfast", 300, 50, "3", "5", "", 10, ""},
    {"2026-11-01T08:00:00", logbook::EntryKind::Rapid, "Breakfast", 54, 40, "", "4", "", 4,
     "before run"},
    {"2026-11-01T12:00:00", logbook::EntryKind::Rapid, "Lunch", 180, 60, "1", "5", "0.5", 6, ""},
    {"2026-11-01T22:00:00", logbook::EntryKind::Long, "Night", 0, 0, "", "", "", 12, ""},
    {"2026-11-02T07:00:00", logbook::EntryKind::Reading, "Breakfast", 250.1, 0, "", "", "", 0, ""},
    {"2026-11-02T13:00:00", logbook::EntryKind::Rapid, "Snack", 53, 20, "", "2", "", 2, ""},
    {"2026-11-03T00:00:00", logbook::EntryKind::Rapid, "Lunch", 120, 30, "", "3", "", 3, ""},
};

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

class ReportCli : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(settingsPath(), kSettings);
        const QString folder = QString::fromStdString(scratch_.File("data")) + "/Norvalis";
        QDir().mkpath(folder);
        logbook::LogStore store(folder + "/" + logbook::kLogFileName);
        const QTimeZone berlin("Europe/Berlin");
        for (const Recorded &r : kEntries) {
            logbook::LogEntry entry;
            entry.kind = r.kind;
            entry.takenAt = QDateTime::fromString(QString::fromLatin1(r.at), Qt::ISODate);
            entry.takenAt.setTimeZone(berlin);
            entry.period = QString::fromLatin1(r.period);
            entry.bloodSugar = r.bloodSugar;
            entry.bloodSugarText = QString::number(r.bloodSugar);
            entry.carbs = r.carbs;
            entry.carbText = QString::number(r.carbs);
            entry.correctionDose = QString::fromLatin1(r.correction);
            entry.carbDose = QString::fromLatin1(r.carbDose);
            entry.weightingDose = QString::fromLatin1(r.weighting);
            entry.taken = r.taken;
            entry.note = QString::fromLatin1(r.note);
            ASSERT_TRUE(store.add(entry).ok);
        }
    }

    std::string settingsPath() const { return scratch_.File("Norvalis.ini"); }

    CliRun run(const std::string &arguments) const {
        const std::string command = "TZ=Europe/Berlin XDG_DATA_HOME='" + scratch_.File("data") +
                                    "' XDG_RUNTIME_DIR='" + scratch_.File("") +
                                    "' '" NORVALIS_CLI_PATH "' --settings '" + settingsPath() +
                                    "' report " + arguments + " >'" + scratch_.File("out") +
                                    "' 2>'" + scratch_.File("err") + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(scratch_.File("out")),
                ReadFile(scratch_.File("err"))};
    }

    QJsonObject json(const std::string &arguments) const {
        const CliRun done = run(arguments + " --json");
        EXPECT_EQ(done.status, 0) << done.err;
        return QJsonDocument::fromJson(QByteArray::fromStdString(done.out)).object();
    }

    // The PDF's text with every run of blanks as one space, so table rows read as lines.
    std::string pdfText(const std::string &pdf) const {
        const std::string text = scratch_.File("text");
        EXPECT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + text + "'").c_str()), 0);
        return QString::fromStdString(ReadFile(text))
            .replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "))
            .toStdString();
    }

    std::string pdfInfo(const std::string &pdf, const char *option = "") const {
        const std::string info = scratch_.File("info");
        EXPECT_EQ(
            std::system(
                ("pdfinfo " + std::string(option) + " '" + pdf + "' >'" + info + "'").c_str()),
            0);
        return ReadFile(info);
    }

    ScratchDirectory scratch_;
};

TEST_F(ReportCli, JsonHoldsTheHandWorkedFiguresInMgPerDl) {
    const QJsonObject r = json("--from 2026-11-01 --to 2026-11-02 --units mg/dL");
    EXPECT_EQ(r["units"].toString(), "mg/dL");
    EXPECT_EQ(r["readings"].toInt(), 4);
    EXPECT_DOUBLE_EQ(r["readings_per_day"].toDouble(), 2);
    EXPECT_DOUBLE_EQ(r["mean"].toDouble(), 134.275);
    EXPECT_NEAR(r["sd"].toDouble(), 97.5634964181447, 1e-9);
    EXPECT_NEAR(r["cv"].toDouble(), 72.65946484315374, 1e-9);
    const QJsonObject bands = r["bands"].toObject();
    const QJsonObject counts = r["counts"].toObject();
    for (const char *band : {"very_low", "low", "in_range", "very_high"}) {
        EXPECT_DOUBLE_EQ(bands[band].toDouble(), 25) << band;
        EXPECT_EQ(counts[band].toInt(), 1) << band;
    }
    EXPECT_DOUBLE_EQ(bands["high"].toDouble(), 0);
    EXPECT_DOUBLE_EQ(r["correction_per_day"].toDouble(), 0.5);
    EXPECT_DOUBLE_EQ(r["carb_dose_per_day"].toDouble(), 5.5);
    EXPECT_DOUBLE_EQ(r["weighting_per_day"].toDouble(), 0.25);
    EXPECT_DOUBLE_EQ(r["carbs_per_day"].toDouble(), 60);
    // Rapid and long-acting doses are summed apart.
    EXPECT_DOUBLE_EQ(r["rapid_per_day"].toDouble(), 6);
    EXPECT_DOUBLE_EQ(r["long_per_day"].toDouble(), 6);

    const QJsonArray periods = r["periods"].toArray();
    ASSERT_EQ(periods.size(), 4);
    const char *order[] = {"Breakfast", "Lunch", "Night", "Snack"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(periods[i].toObject()["period"].toString(), order[i]);
    const QJsonObject breakfast = periods[0].toObject();
    EXPECT_EQ(breakfast["readings"].toInt(), 2);
    EXPECT_DOUBLE_EQ(breakfast["mean"].toDouble(), 152.05);
    EXPECT_DOUBLE_EQ(breakfast["min"].toDouble(), 54);
    EXPECT_DOUBLE_EQ(breakfast["max"].toDouble(), 250.1);
    EXPECT_DOUBLE_EQ(breakfast["in_range"].toDouble(), 0);
    EXPECT_DOUBLE_EQ(breakfast["taken_per_day"].toDouble(), 2);
    const QJsonObject night = periods[2].toObject();
    EXPECT_EQ(night["readings"].toInt(), 0);
    EXPECT_TRUE(night["mean"].isNull());
    EXPECT_TRUE(night["in_range"].isNull());
    EXPECT_DOUBLE_EQ(night["taken_per_day"].toDouble(), 6);
}

TEST_F(ReportCli, MmolPerLReadsTheSameNumbersOnItsOwnScale) {
    // Stored units apply without --units; 53 to 250.1 mmol/L are all very high.
    WriteFile(settingsPath(), kSettings + "GlucoseUnits=mmol/L\n");
    const QJsonObject r = json("--from 2026-11-01 --to 2026-11-02");
    EXPECT_EQ(r["units"].toString(), "mmol/L");
    EXPECT_EQ(r["counts"].toObject()["very_high"].toInt(), 4);
    EXPECT_DOUBLE_EQ(r["bands"].toObject()["very_high"].toDouble(), 100);
}

TEST_F(ReportCli, OneReadingHasNoSpread) {
    const QJsonObject r = json("--from 2026-11-03 --to 2026-11-03 --units mg/dL");
    EXPECT_EQ(r["readings"].toInt(), 1);
    EXPECT_DOUBLE_EQ(r["mean"].toDouble(), 120);
    EXPECT_TRUE(r["sd"].isNull());
    EXPECT_TRUE(r["cv"].isNull());
}

TEST_F(ReportCli, PdfCarriesTheFiguresAsTextWithEmbeddedFonts) {
    const std::string pdf = scratch_.File("report.pdf");
    const CliRun done = run("--from 2026-11-01 --to 2026-11-02 --units mg/dL --out '" + pdf + "'");
    ASSERT_EQ(done.status, 0) << done.err;
    const std::string text = pdfText(pdf);
    for (const char *expected : {"Range: 2026-11-01 to 2026-11-02 (2 days)",
                                 "Mean 134 mg/dL",
                                 "Standard deviation 98 mg/dL",
                                 "Coefficient of variation 72.7 %",
                                 "In range (70 to 180) 25.0 % 1 reading",
                                 "High (above 180 to 250) 0.0 % 0 readings",
                                 "Readings in the low bands: 1 very low, 1 low",
                                 "Carbohydrate 60.0 g per day",
                                 "Breakfast 2 152 mg/dL 54 mg/dL 250 mg/dL 0.0 % 2.0",
                                 "Lunch 1 180 mg/dL 180 mg/dL 180 mg/dL 100.0 % 3.0",
                                 "Night 0 — — — — 6.0",
                                 "Snack 1 53 mg/dL 53 mg/dL 53 mg/dL 0.0 % 1.0",
                                 "Grams per unit: 12",
                                 "Pen step 0.5",
                                 "2026-11-01 08:00 Rapid Breakfast 54 40 4 4 before run",
                                 "Rapid-acting taken 6.0 units per day",
                                 "Long-acting taken 6.0 units per day",
                                 "2026-11-01 22:00 Long-acting Night 12",
                                 "2026-11-02 07:00 Reading only Breakfast 250.1 0",
                                 "Page 1 of 4",
                                 "Page 4 of 4",
                                 "not medical advice",
                                 "this is not a CGM report",
                                 "No estimated A1c or GMI"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin:\n" << text;
    // The entries just outside the range are not listed.
    EXPECT_EQ(text.find("2026-10-31"), std::string::npos);
    EXPECT_EQ(text.find("2026-11-03"), std::string::npos);

    const std::string info = pdfInfo(pdf);
    EXPECT_NE(info.find("Pages:           4"), std::string::npos) << info;
    const std::string meta = pdfInfo(pdf, "-meta");
    EXPECT_NE(meta.find("pdfaid:part=\"1\""), std::string::npos) << meta;
    EXPECT_NE(meta.find("pdfaid:conformance=\"B\""), std::string::npos) << meta;
    // Nothing but the report is left beside it: the temporary file was renamed.
    const QStringList files =
        QDir(QString::fromStdString(scratch_.File(""))).entryList(QDir::Files);
    EXPECT_FALSE(files.join(' ').contains(QStringLiteral("report.pdf.")))
        << files.join(' ').toStdString();

    // Every font is embedded.
    const std::string fonts = scratch_.File("fonts");
    ASSERT_EQ(std::system(("pdffonts '" + pdf + "' >'" + fonts + "'").c_str()), 0);
    const QStringList lines =
        QString::fromStdString(ReadFile(fonts)).split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 2); // the header, its rule and at least one font
    for (qsizetype i = 2; i < lines.size(); ++i) {
        // Columns: name type encoding emb sub uni object ID; "emb" is the fourth from the end.
        const QStringList columns = lines[i].simplified().split(' ');
        EXPECT_EQ(columns.value(columns.size() - 5), "yes") << lines[i].toStdString();
    }
}

TEST_F(ReportCli, LongNoteIsPrintedWhole) {
    {
        logbook::LogStore store(QString::fromStdString(scratch_.File("data")) + "/Norvalis/" +
                                logbook::kLogFileName);
        logbook::LogEntry entry;
        entry.takenAt = QDateTime(QDate(2026, 11, 5), QTime(9, 0));
        entry.period = QStringLiteral("Lunch");
        entry.note = QStringLiteral("two slices of toast, a walk of forty minutes in the cold, "
                                    "felt shaky at the very end of it lastword");
        ASSERT_TRUE(store.add(entry).ok);
    }
    const std::string pdf = scratch_.File("note.pdf");
    ASSERT_EQ(run("--from 2026-11-05 --to 2026-11-05 --units mg/dL --out '" + pdf + "'").status, 0);
    const std::string text = pdfText(pdf);
    for (const char *word : {"two slices", "forty", "shaky", "lastword"})
        EXPECT_NE(text.find(word), std::string::npos) << word << "\nin:\n" << text;
}

TEST_F(ReportCli, EmptyRangeStillGivesEveryPage) {
    const std::string pdf = scratch_.File("empty.pdf");
    ASSERT_EQ(run("--from 2020-01-01 --to 2020-01-03 --units mmol/L --out '" + pdf + "'").status,
              0);
    const std::string text = pdfText(pdf);
    EXPECT_NE(text.find("No entries between 2020-01-01 and 2020-01-03."), std::string::npos);
    EXPECT_NE(text.find("Dose tables"), std::string::npos);
    EXPECT_NE(text.find("Page 4 of 4"), std::string::npos) << text;
}

struct BadCall {
    const char *name;
    std::string settingsExtra;
    std::string arguments;
    int status;
    const char *errContains;
};

class ReportCliRefusals : public ReportCli, public ::testing::WithParamInterface<BadCall> {};

TEST_P(ReportCliRefusals, ExitsWithAClearMessage) {
    const BadCall &c = GetParam();
    WriteFile(settingsPath(), kSettings + c.settingsExtra);
    const CliRun done = run(c.arguments);
    EXPECT_EQ(done.status, c.status);
    EXPECT_NE(done.err.find(c.errContains), std::string::npos) << done.err;
    EXPECT_TRUE(done.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Report, ReportCliRefusals,
    ::testing::Values(
        BadCall{"from_after_to", "", "--from 2026-11-02 --to 2026-11-01 --units mg/dL --json", 2,
                "usage:"},
        BadCall{"day_that_does_not_exist", "", "--from 2026-02-30 --to 2026-03-01 --json", 2,
                "--from wants a date as YYYY-MM-DD"},
        BadCall{"date_without_leading_zero", "", "--from 2026-11-1 --to 2026-11-02 --json", 2,
                "usage:"},
        BadCall{"unknown_units", "", "--from 2026-11-01 --to 2026-11-02 --units mg --json", 2,
                "--units wants mg/dL or mmol/L"},
        BadCall{"no_units_anywhere", "", "--from 2026-11-01 --to 2026-11-02 --json", 1,
                "the glucose units are not set"},
        BadCall{"neither_out_nor_json", "", "--from 2026-11-01 --to 2026-11-02 --units mg/dL", 2,
                "one of --out FILE.pdf and --json"},
        BadCall{"folder_that_is_a_file", "",
                "--from 2026-11-01 --to 2026-11-02 --units mg/dL --out /dev/null/report.pdf", 1,
                "the report could not be written to /dev/null/report.pdf"}),
    [](const ::testing::TestParamInfo<BadCall> &info) { return std::string(info.param.name); });

} // namespace

int main(int argc, char **argv) {
    qputenv("TZ", "Europe/Berlin");
    QCoreApplication app(argc, argv); // Qt SQL finds its SQLite driver through it
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

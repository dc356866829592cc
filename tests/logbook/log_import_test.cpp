// Restoring the logbook from its CSV export, the repeat guard's window and active insulin over
// stored entries. Runs with TZ=Europe/Berlin (set by CTest).

#include "logbook/active_insulin.h"
#include "logbook/entry_time_input.h"
#include "logbook/last_recorded_text.h"
#include "logbook/log_csv.h"
#include "logbook/log_csv_import.h"
#include "logbook/log_store.h"
#include "logbook/repeat_guard.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace logbook;

namespace {

const QDateTime kNow = QDateTime::fromString("2026-12-06T13:00:00+01:00", Qt::ISODate);

LogEntry entry(const QString &at, EntryKind kind, double taken, const QString &note = {}) {
    LogEntry e;
    e.kind = kind;
    e.takenAt = QDateTime::fromString(at, Qt::ISODateWithMs);
    e.period = kind == EntryKind::Long ? QString() : QStringLiteral("Lunch");
    e.bloodSugarText = QStringLiteral("110 mg");
    e.bloodSugar = 110;
    e.carbText = QStringLiteral("60");
    e.carbs = 60;
    if (kind == EntryKind::Rapid) {
        e.carbDose = QStringLiteral("6");
        e.totalDose = QStringLiteral("6");
    }
    e.taken = taken;
    e.note = note;
    return e;
}

// A day of every kind, with texts that need quoting and the formula guard.
QList<LogEntry> aDay() {
    return {
        entry("2026-12-06T12:40:00+01:00", EntryKind::Rapid, 6.5, "=SUM(A1), \"big\"\nlunch"),
        entry("2026-12-06T07:30:00+01:00", EntryKind::Long, 14, "'=not a formula"),
        entry("2026-12-05T22:10:00+01:00", EntryKind::Reading, 0, "-low?"),
        entry("2026-07-01T08:05:00+02:00", EntryKind::Rapid, 0.3, "summer, other offset"),
        entry("2026-12-05T22:10:00+01:00", EntryKind::Reading, 0, "-low?"), // the same again
    };
}

const QByteArray kHeader = "time,period,blood_sugar_text,blood_sugar,carbohydrate_text,"
                           "carbohydrate,correction_dose,carbohydrate_dose,weighting_dose,"
                           "total_dose,taken,note,kind\r\n";

} // namespace

class LogImportTest : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> dir_;
    QString path(const QString &name = QStringLiteral("log.sqlite")) {
        return dir_->filePath(name);
    }

    QByteArray exported(LogStore &store) {
        QList<LogEntry> all;
        if (!store.entries(all).ok)
            return {};
        return entriesToCsv(all);
    }

private slots:
    void init() { dir_.emplace(); }

    // Export, import into an empty logbook, export again: the same bytes. Importing the same
    // file again adds nothing.
    void roundTripAndSecondImportAddsNothing() {
        LogStore original(path("original.sqlite"));
        for (LogEntry e : aDay())
            QVERIFY(original.add(e).ok);
        const QByteArray csv = exported(original);

        const CsvImport read = entriesFromCsv(csv, kNow);
        QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
        QCOMPARE(read.entries.size(), 5);
        QCOMPARE(read.entries[0].note, "=SUM(A1), \"big\"\nlunch");
        QCOMPARE(read.entries[1].note, "'=not a formula");

        LogStore restored(path());
        QList<LogEntry> entries = read.entries;
        LogStore::ImportCount count;
        QVERIFY(restored.importEntries(entries, count).ok);
        QCOMPARE(count.added, 5); // the two alike readings are both kept
        QCOMPARE(count.skipped, 0);
        QCOMPARE(exported(restored), csv);

        entries = read.entries;
        QVERIFY(restored.importEntries(entries, count).ok);
        QCOMPARE(count.added, 0);
        QCOMPARE(count.skipped, 5);
        QCOMPARE(exported(restored), csv);
    }

    // What counts as already present: the same second, kind and amount as shown. Recording
    // keeps milliseconds, the CSV whole seconds, so a backup restored into the logbook it came
    // from adds nothing.
    void duplicateRule_data() {
        QTest::addColumn<QString>("stored"); // time of the entry in the logbook
        QTest::addColumn<int>("storedKind");
        QTest::addColumn<double>("storedTaken");
        QTest::addColumn<bool>("skipped"); // a rapid 6.5 at 12:40:00 is imported
        QTest::newRow("same second, kind and amount")
            << "2026-12-06T12:40:00.000+01:00" << int(EntryKind::Rapid) << 6.5 << true;
        QTest::newRow("milliseconds into the same second")
            << "2026-12-06T12:40:00.731+01:00" << int(EntryKind::Rapid) << 6.5 << true;
        QTest::newRow("same instant written in UTC")
            << "2026-12-06T11:40:00Z" << int(EntryKind::Rapid) << 6.5 << true;
        QTest::newRow("a second later")
            << "2026-12-06T12:40:01+01:00" << int(EntryKind::Rapid) << 6.5 << false;
        QTest::newRow("another kind")
            << "2026-12-06T12:40:00+01:00" << int(EntryKind::Long) << 6.5 << false;
        QTest::newRow("another amount")
            << "2026-12-06T12:40:00+01:00" << int(EntryKind::Rapid) << 6.0 << false;
        QTest::newRow("an amount that shows the same")
            << "2026-12-06T12:40:00+01:00" << int(EntryKind::Rapid) << std::nextafter(6.5, 7.0)
            << true;
    }

    void duplicateRule() {
        QFETCH(QString, stored);
        QFETCH(int, storedKind);
        QFETCH(double, storedTaken);
        QFETCH(bool, skipped);
        LogStore store(path());
        LogEntry present = entry(stored, EntryKind(storedKind), storedTaken);
        QVERIFY(store.add(present).ok);
        QList<LogEntry> incoming = {entry("2026-12-06T12:40:00+01:00", EntryKind::Rapid, 6.5)};
        LogStore::ImportCount count;
        QVERIFY(store.importEntries(incoming, count).ok);
        QCOMPARE(count.skipped, skipped ? 1 : 0);
        QCOMPARE(count.added, skipped ? 0 : 1);
    }

    // One bad row refuses the file with its row number (the header is row 1) and the reason.
    void refusals_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("reason");
        const QByteArray good =
            "2026-12-06T12:40:00+01:00,Lunch,110,110,60,60,0,6,,6,6.5,,rapid\r\n";
        QTest::newRow("a missing column")
            << QByteArray("time,period,blood_sugar_text,blood_sugar,carbohydrate_text,"
                          "carbohydrate,correction_dose,carbohydrate_dose,weighting_dose,"
                          "total_dose,note,kind\r\n")
            << "row 1: the column taken is missing";
        QTest::newRow("an unknown column")
            << QByteArray("time,dose\r\n") << "row 1: unknown column \"dose\"";
        QTest::newRow("an empty file")
            << QByteArray() << "the file is empty; it has no header line";
        QTest::newRow("a bad number")
            << kHeader + good +
                   "2026-12-06T13:00:00+01:00,Lunch,110,1l0,60,60,0,6,,6,6.5,,rapid\r\n"
            << "row 3: blood_sugar \"1l0\" is not a number";
        QTest::newRow("taken not a number")
            << kHeader + good +
                   "2026-12-06T13:00:00+01:00,Lunch,110,110,60,60,0,6,,6,6.5u,,rapid\r\n"
            << "row 3: taken \"6.5u\" is not a number";
        QTest::newRow("taken empty")
            << kHeader + "2026-12-06T13:00:00+01:00,Lunch,110,110,60,60,0,6,,6,,,rapid\r\n"
            << "row 2: taken \"\" is empty";
        QTest::newRow("taken negative")
            << kHeader + "2026-12-06T13:00:00+01:00,Lunch,110,110,60,60,0,6,,6,-2,,rapid\r\n"
            << "row 2: taken \"-2\" is below 0";
        QTest::newRow("taken beyond a million")
            << kHeader + "2026-12-06T13:00:00+01:00,Lunch,110,110,60,60,0,6,,6,2E+06,,long\r\n"
            << "row 2: taken \"2E+06\" is above 1000000 units";
        QTest::newRow("a reading with insulin")
            << kHeader + "2026-12-06T13:00:00+01:00,Lunch,110,110,60,60,,,,,2,,reading\r\n"
            << "row 2: a reading records no insulin, but taken is 2";
        QTest::newRow("a bad time")
            << kHeader + good + good + "06.12.2026 13:00,Lunch,110,110,60,60,0,6,,6,6.5,,rapid\r\n"
            << "row 4: time \"06.12.2026 13:00\" is not an ISO 8601 date and time";
        QTest::newRow("more than a day ahead")
            << kHeader + "2026-12-07T13:00:01+01:00,Lunch,110,110,60,60,0,6,,6,6.5,,rapid\r\n"
            << "row 2: time 2026-12-07T13:00:01+01:00 is more than a day ahead";
        QTest::newRow("an unknown kind")
            << kHeader + good +
                   "2026-12-06T13:00:00+01:00,Lunch,110,110,60,60,0,6,,6,6.5,,Rapid\r\n"
            << "row 3: unknown kind \"Rapid\" (rapid, long or reading)";
        QTest::newRow("a field too few")
            << kHeader + "2026-12-06T13:00:00+01:00,Lunch,110,110,60,60,0,6,,6,6.5,rapid\r\n"
            << "row 2 has 12 fields, the header 13";
        QTest::newRow("a quote left open")
            << kHeader + "2026-12-06T13:00:00+01:00,Lunch,110,110,60,60,0,6,,6,6.5,\"note,rapid\r\n"
            << "row 2: a quoted field is not closed";
        QTest::newRow("row numbers count records, not lines")
            << kHeader +
                   "2026-12-06T12:00:00+01:00,Lunch,110,110,60,60,0,6,,6,6.5,\"a\r\nb\",rapid\r\n" +
                   "2026-12-06T13:00:00+01:00,Lunch,110,110,60,60,0,6,,6,6.5,,fast\r\n"
            << "row 3: unknown kind \"fast\" (rapid, long or reading)";
        QTest::newRow("not UTF-8") << kHeader + "2026-12-06T13:00:00+01:00,Fr\xFChst\xFC"
                                                "ck"
                                   << "the file is not UTF-8 text";
    }

    void refusals() {
        QFETCH(QByteArray, csv);
        QFETCH(QString, reason);
        const CsvImport read = entriesFromCsv(csv, kNow);
        QCOMPARE(read.error, reason);
        QVERIFY(read.entries.isEmpty());
    }

    // Files from before kinds existed, an LF-only file and one with a byte order mark are read.
    void acceptedShapes_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("note");
        QTest::newRow("export from before kinds: rapid doses")
            << QByteArray("time,period,blood_sugar_text,blood_sugar,carbohydrate_text,"
                          "carbohydrate,correction_dose,carbohydrate_dose,weighting_dose,"
                          "total_dose,taken,note\r\n"
                          "2026-11-30T07:45:00+01:00,Breakfast,190 mg,190,75,75,2,7.5,,9.5,9.5,"
                          "\"pen, then walk\"\r\n")
            << int(EntryKind::Rapid) << "pen, then walk";
        QTest::newRow("line feeds only, columns in another order, no final line end")
            << QByteArray("kind,note,taken,time,period,blood_sugar_text,blood_sugar,"
                          "carbohydrate_text,carbohydrate,correction_dose,carbohydrate_dose,"
                          "weighting_dose,total_dose\n"
                          "long,'+basal,14,2026-12-06T07:30:00+01:00,,,0,,0,,,,")
            << int(EntryKind::Long) << "+basal";
        QTest::newRow("byte order mark and a blank line at the end")
            << "\xEF\xBB\xBF" + kHeader +
                   "2026-12-06T22:10:00+01:00,Night,65,65,,0,,,,,0,,reading\r\n\r\n"
            << int(EntryKind::Reading) << "";
    }

    void acceptedShapes() {
        QFETCH(QByteArray, csv);
        QFETCH(int, kind);
        QFETCH(QString, note);
        const CsvImport read = entriesFromCsv(csv, kNow);
        QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
        QCOMPARE(read.entries.size(), 1);
        QCOMPARE(read.entries[0].kind, EntryKind(kind));
        QCOMPARE(read.entries[0].note, note);
    }

    // A store that fails part way through keeps nothing of the file.
    void failedImportStoresNothing() {
        LogStore store(path());
        LogEntry first = entry("2026-12-06T08:00:00+01:00", EntryKind::Rapid, 4);
        QVERIFY(store.add(first).ok);
        QList<LogEntry> incoming = aDay();
        incoming[3].takenAt = QDateTime(); // cannot be stored: its time is NOT NULL
        LogStore::ImportCount count;
        const LogResult imported = store.importEntries(incoming, count);
        QVERIFY(!imported.ok);
        QCOMPARE(count.added, 0);
        QList<LogEntry> all;
        QVERIFY(store.entries(all).ok);
        QCOMPARE(all.size(), 1);
    }

    // The repeat guard asks about a rapid dose up to 30 minutes back, and about one ahead of
    // now (a clock set back); never about a long-acting dose or a reading.
    void repeatWindow_data() {
        QTest::addColumn<int>("secondsAgo");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("asks");
        QTest::newRow("29:59 ago asks") << 29 * 60 + 59 << int(EntryKind::Rapid) << true;
        QTest::newRow("30:00 ago still asks") << 30 * 60 << int(EntryKind::Rapid) << true;
        QTest::newRow("30:01 ago does not") << 30 * 60 + 1 << int(EntryKind::Rapid) << false;
        QTest::newRow("just now asks") << 0 << int(EntryKind::Rapid) << true;
        QTest::newRow("ahead of now asks") << -600 << int(EntryKind::Rapid) << true;
        QTest::newRow("a long-acting dose does not") << 60 << int(EntryKind::Long) << false;
        QTest::newRow("a reading does not") << 60 << int(EntryKind::Reading) << false;
    }

    void repeatWindow() {
        QFETCH(int, secondsAgo);
        QFETCH(int, kind);
        QFETCH(bool, asks);
        LogEntry recent = entry("2026-12-06T12:00:00+01:00", EntryKind(kind), 6.5);
        recent.takenAt = kNow.addSecs(-secondsAgo);
        const QList<LogEntry> entries = {recent,
                                         entry("2026-12-06T08:00:00+01:00", EntryKind::Rapid, 4)};
        QCOMPARE(recentRapidDose(entries, kNow).has_value(), asks);
    }

    void repeatText_data() {
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("text");
        QTest::newRow("minutes ago") << "2026-12-06T12:48:00+01:00"
                                     << "You recorded 6.5 units at 12:48 (12 min ago).";
        QTest::newRow("ahead of now, no age") << "2026-12-06T13:05:00+01:00"
                                              << "You recorded 6.5 units at 13:05.";
    }

    void repeatText() {
        QFETCH(QString, at);
        QFETCH(QString, text);
        QCOMPARE(logbook::repeatText(entry(at, EntryKind::Rapid, 6.5), kNow), text);
    }

    void lastRecordedKinds_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("long-acting")
            << int(EntryKind::Long) << "Last recorded: 6.5 units long-acting at 12:40 (20 min ago)";
        QTest::newRow("reading") << int(EntryKind::Reading)
                                 << "Last recorded: a reading of 110 mg at 12:40 (20 min ago)";
    }

    void lastRecordedKinds() {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QCOMPARE(lastRecordedText(entry("2026-12-06T12:40:00+01:00", EntryKind(kind), 6.5), kNow),
                 text);
    }

    // Only rapid doses count; one recorded ahead of now counts whole until its time.
    void activeInsulinOverEntries() {
        const QList<LogEntry> entries = {
            entry("2026-12-06T13:15:00+01:00", EntryKind::Rapid, 2),   // ahead: all 2
            entry("2026-12-06T12:30:00+01:00", EntryKind::Rapid, 4),   // 30 min: 0.9659746550
            entry("2026-12-06T12:20:00+01:00", EntryKind::Long, 14),   // long-acting: none
            entry("2026-12-06T12:50:00+01:00", EntryKind::Reading, 0), // reading: none
            entry("2026-12-06T06:50:00+01:00", EntryKind::Rapid, 3),   // 370 min: gone
        };
        const norvalis::InsulinAction action = norvalis::ActionOf(norvalis::InsulinCurve::Rapid, 6);
        const norvalis::ActiveInsulin active = activeInsulinAt(entries, kNow, action);
        QCOMPARE(active.doses, 2);
        QVERIFY(qAbs(active.units - (2 + 4 * 0.9659746550)) < 1e-9);
        QCOMPARE(activeSince(kNow, action), kNow.addSecs(-370 * 60));
    }

    void entryTimes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("utc"); // empty: refused
        const auto row = [](const char *name, const char *text, const char *utc) {
            QTest::newRow(name) << QString(text) << QString(utc);
        };
        row("local, minutes", "2026-12-01T08:30", "2026-12-01T07:30:00Z");
        row("local, summer", "2026-07-01T08:30:15", "2026-07-01T06:30:15Z");
        row("with an offset", "2026-12-01T08:30+03:00", "2026-12-01T05:30:00Z");
        row("UTC", "2026-12-01T08:30:00Z", "2026-12-01T08:30:00Z");
        row("a date only", "2026-12-01", "");
        row("a blank instead of T", "2026-12-01 08:30", "");
        row("no such day", "2026-02-30T08:30", "");
        row("words", "now", "");
    }

    void entryTimes() {
        QFETCH(QString, text);
        QFETCH(QString, utc);
        const QDateTime at = entryTimeFromText(text);
        QCOMPARE(at.isValid() ? at.toUTC().toString(Qt::ISODate) : QString(), utc);
    }
};

QTEST_GUILESS_MAIN(LogImportTest)
#include "log_import_test.moc"

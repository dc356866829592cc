// The logbook file: its journal mode, the schema and its migration, a record round
// trip, deleting, files that cannot be used, the date ranges across days and a clock change,
// and the CSV export. Runs with TZ=Europe/Berlin (set by CTest).

#include "logbook/entry_kind.h"
#include "logbook/last_recorded_text.h"
#include "logbook/log_csv.h"
#include "logbook/log_range.h"
#include "logbook/log_schema.h"
#include "logbook/log_store.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace logbook;

namespace {

QDateTime berlin(const QString &text) {
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Breakfast at 190 mg with 75 g: 2 + 7.5 and no weighting, 9.5 in all.
LogEntry sample(const QDateTime &at, double taken = 6.5, const QString &note = QString(),
                EntryKind kind = EntryKind::Rapid) {
    return {0, kind, at, "Breakfast", "190 mg", 190, "75", 75, "2", "7.5", "", "9.5", taken, note};
}

// Runs one statement on the file through a connection of its own; returns the first value.
QVariant sql(const QString &path, const QString &statement) {
    QVariant result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "inspect");
        db.setDatabaseName(path);
        QSqlQuery query(db);
        if (db.open() && query.exec(statement) && query.next())
            result = query.value(0);
    }
    QSqlDatabase::removeDatabase("inspect");
    return result;
}

} // namespace

class LogStoreTest : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> dir_;
    QString path(const QString &relative = QStringLiteral("data/Norvalis/Norvalis-log.sqlite")) {
        return dir_->filePath(relative);
    }

private slots:
    void initTestCase() { QCOMPARE(QDateTime::currentDateTime().timeZone().id(), "Europe/Berlin"); }
    void init() { dir_.emplace(); }

    // Its permissions are checked in log_integrity_test; here that it keeps a write-ahead log.
    void opensInWalMode() {
        LogStore store(path());
        const LogResult opened = store.open();
        QVERIFY2(opened.ok, qPrintable(opened.error));
        QCOMPARE(sql(path(), "PRAGMA journal_mode").toString(), "wal");
    }

    // Written, reopened and read back newest first; deleting moves the newest back.
    void recordRoundTripAndDelete() {
        LogEntry written = sample(berlin("2026-12-06 12:40:00"), 6.5,
                                  QStringLiteral("before the walk, \"big\" lunch\nSüßes"));
        LogEntry older = sample(berlin("2026-12-05 08:00:00"), 4);
        {
            LogStore store(path());
            const LogResult added = store.add(written);
            QVERIFY2(added.ok, qPrintable(added.error));
            QVERIFY(written.id > 0);
            QVERIFY(store.add(older).ok); // recorded later, but earlier in time
        }
        LogStore store(path());
        QList<LogEntry> read;
        QVERIFY(store.entries(read).ok);
        QCOMPARE(read.size(), 2);
        QCOMPARE(read[0].id, written.id);
        // Every field as the export writes it, the time with the offset it was recorded with.
        QCOMPARE(entriesToCsv(read), entriesToCsv({written, older}));
        QCOMPARE(store.latest()->taken, 6.5);
        QVERIFY(store.remove(written.id).ok);
        QCOMPARE(store.latest()->taken, 4.0);
        QVERIFY(!store.remove(written.id).ok); // gone already: said, not silently ignored
    }

    // Files written by the earlier versions of the program keep every entry; each becomes a
    // rapid dose, gains the note and the instant as needed, and takes new entries of any kind.
    void migratesOlderFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("periods"); // newest first
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QString>("since"); // an instant between the two entries
        QTest::newRow("version 1, entries either side of the spring change")
            << "version1.sqlite" << QStringList{"Breakfast", "Night"} << QStringList{"", ""}
            << "2026-03-29T01:00:00Z";
        QTest::newRow("version 2, with a note")
            << "version2.sqlite" << QStringList{"Lunch", "Breakfast"}
            << QStringList{"", "pen, then walk"} << "2026-11-30T07:00:00Z";
    }

    void migratesOlderFiles() {
        QFETCH(QString, file);
        QFETCH(QStringList, periods);
        QFETCH(QStringList, notes);
        QFETCH(QString, since);
        QVERIFY(QDir().mkpath(QFileInfo(path()).absolutePath()));
        QVERIFY(QFile::copy(QStringLiteral(NORVALIS_LOG_FILES "/") + file, path()));
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
        const int before = sql(path(), "SELECT version FROM schema_version").toInt();
        QVERIFY(before < kCurrentSchemaVersion);

        LogStore store(path());
        const LogResult opened = store.open();
        QVERIFY2(opened.ok, qPrintable(opened.error));
        QList<LogEntry> read;
        QVERIFY(store.entries(read).ok);
        QCOMPARE(read.size(), periods.size());
        for (int i = 0; i < read.size(); ++i) {
            QCOMPARE(read[i].period, periods[i]);
            QCOMPARE(read[i].note, notes[i]);
            QCOMPARE(read[i].kind, EntryKind::Rapid);
        }
        // The instants are there: the filter works on old entries.
        QVERIFY(store.entries(read, QDateTime::fromString(since, Qt::ISODate)).ok);
        QCOMPARE(read.size(), 1);
        QCOMPARE(read[0].period, periods[0]);

        LogEntry reading = sample(berlin("2026-12-06 22:00:00"), 0, "bedtime", EntryKind::Reading);
        LogEntry basal = sample(berlin("2026-12-06 21:00:00"), 14, "", EntryKind::Long);
        QVERIFY(store.add(reading).ok && store.add(basal).ok);
        QVERIFY(store.entries(read).ok);
        QCOMPARE(read.size(), periods.size() + 2);
        QCOMPARE(read[0].kind, EntryKind::Reading);
        QCOMPARE(read[1].kind, EntryKind::Long);
        QCOMPARE(sql(path(), "SELECT version FROM schema_version").toInt(), kCurrentSchemaVersion);
    }

    // Each kind is stored as its word and read back as the same kind.
    void kindsRoundTrip_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("stored");
        QTest::newRow("rapid dose") << int(EntryKind::Rapid) << "rapid";
        QTest::newRow("long-acting dose") << int(EntryKind::Long) << "long";
        QTest::newRow("reading only") << int(EntryKind::Reading) << "reading";
    }

    void kindsRoundTrip() {
        QFETCH(int, kind);
        QFETCH(QString, stored);
        {
            LogStore store(path());
            LogEntry entry = sample(berlin("2026-12-06 08:00:00"), 3, "", EntryKind(kind));
            QVERIFY(store.add(entry).ok);
        }
        QCOMPARE(sql(path(), "SELECT kind FROM entries").toString(), stored);
        LogStore store(path());
        QCOMPARE(store.latest()->kind, EntryKind(kind));
    }

    // A file from a newer program is refused with a message and left byte for byte as it was.
    void refusesNewerSchema() {
        {
            LogStore store(path());
            LogEntry entry = sample(berlin("2026-12-06 08:00:00"));
            QVERIFY(store.add(entry).ok);
        }
        sql(path(), "UPDATE schema_version SET version = 99");
        QFile file(path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        {
            LogStore store(path());
            const LogResult opened = store.open();
            QVERIFY(!opened.ok);
            QVERIFY2(opened.error.contains("newer"), qPrintable(opened.error));
            LogEntry refused = sample(berlin("2026-12-06 09:00:00"));
            QVERIFY(!store.add(refused).ok);
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(sql(path(), "SELECT version FROM schema_version").toInt(), 99);
    }

    void unusableFile_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QByteArray>("blocker"); // a file written at "block" first
        QTest::newRow("folder path runs through a file")
            << "block/Norvalis-log.sqlite" << QByteArray("x");
        QTest::newRow("not a database") << "block" << QByteArray(4096, 'x');
        QTest::newRow("a folder where the file belongs") << "." << QByteArray();
    }

    // Opening and writing fail with the path and a reason; nothing is created in their place.
    void unusableFile() {
        QFETCH(QString, relative);
        QFETCH(QByteArray, blocker);
        if (!blocker.isNull()) {
            QFile file(path("block"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(blocker);
        }
        const QString target = path(relative);
        LogStore store(target);
        LogEntry entry = sample(QDateTime::currentDateTime());
        const LogResult added = store.add(entry);
        QVERIFY(!added.ok);
        QVERIFY2(added.error.contains(QFileInfo(target).absoluteFilePath()) ||
                     added.error.contains(target),
                 qPrintable(added.error));
        QVERIFY(added.error.contains("Reason: ") && !added.error.endsWith("Reason: "));
        QVERIFY(!store.latest());
        if (!blocker.isNull())
            QCOMPARE(QFileInfo(path("block")).size(), blocker.size());
    }

    // The first local midnight of each range, and the store's own filter at it: the entry at
    // that midnight is shown, the one a second before is not.
    void rangeStarts_data() {
        QTest::addColumn<int>("range");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("first");
        const auto row = [](const char *name, LogRange range, const char *now, const char *first) {
            QTest::newRow(name) << int(range) << QString(now) << QString(first);
        };
        row("7 days from midnight", LogRange::Last7Days, "2026-12-06 12:00:00",
            "2026-11-30 00:00:00");
        row("7 days just before midnight", LogRange::Last7Days, "2026-12-05 23:59:59",
            "2026-11-29 00:00:00");
        row("7 days across spring change", LogRange::Last7Days, "2026-04-01 09:00:00",
            "2026-03-26 00:00:00");
        row("7 days from the day of the spring change", LogRange::Last7Days, "2026-04-04 09:00:00",
            "2026-03-29 00:00:00");
        row("14 days across autumn change", LogRange::Last14Days, "2026-11-01 09:00:00",
            "2026-10-19 00:00:00");
        row("30 days", LogRange::Last30Days, "2026-03-30 10:00:00", "2026-03-01 00:00:00");
        row("90 days over a year end", LogRange::Last90Days, "2027-01-15 10:00:00",
            "2026-10-18 00:00:00");
    }

    void rangeStarts() {
        QFETCH(int, range);
        QFETCH(QString, now);
        QFETCH(QString, first);
        const QDateTime start = rangeStart(LogRange(range), berlin(now));
        QCOMPARE(start, berlin(first));
        LogStore store(path());
        LogEntry before = sample(start.addSecs(-1), 1);
        LogEntry atStart = sample(start, 2);
        LogEntry later = sample(start.addDays(3), 3);
        QVERIFY(store.add(before).ok && store.add(atStart).ok && store.add(later).ok);
        QList<LogEntry> shown;
        QVERIFY(store.entries(shown, start).ok);
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].taken, 3.0);
        QCOMPARE(shown[1].takenAt, start);
        QVERIFY(store.entries(shown, rangeStart(LogRange::All, berlin(now))).ok);
        QCOMPARE(shown.size(), 3);
    }

    // A field is quoted only for a comma, a quote (doubled), a line feed or a carriage return.
    // Text a spreadsheet would run as a formula (starting with =, +, -, @, a tab or a carriage
    // return) is kept as text by an apostrophe; numbers stay numbers.
    void csvFields() {
        const std::pair<QString, QString> cases[] = {
            {"walk, then lunch", "\"walk, then lunch\""},
            {"a \"big\" one", "\"a \"\"big\"\" one\""},
            {"one\ntwo", "\"one\ntwo\""},
            {"one\r\ntwo", "\"one\r\ntwo\""},
            {"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""},
            {"+1+1", "'+1+1"},
            {"-1+cmd", "'-1+cmd"},
            {"@SUM(A1)", "'@SUM(A1)"},
            {"\tx", "'\tx"},
            {"-2", "-2"},
            {"-0.5", "-0.5"},
            {"+3", "+3"},
            {"a=b", "a=b"}};
        for (const auto &[text, field] : cases)
            QCOMPARE(csvField(text), field);
    }

    // Another program holds the logbook's write lock: recording waits, then fails and says so,
    // and nothing of the entry is in the file once the lock is gone.
    void writeRefusedByALockedLogbookIsReported() {
        LogStore store(path());
        LogEntry first = sample(berlin("2026-07-01 08:00:00"));
        QVERIFY(store.add(first).ok);
        LogEntry second = sample(berlin("2026-07-01 12:00:00"), 4);
        LogResult written;
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
            other.setDatabaseName(path());
            QVERIFY(other.open());
            QSqlQuery lock(other);
            QVERIFY(lock.exec("BEGIN EXCLUSIVE"));
            written = store.add(second);
            QVERIFY(lock.exec("ROLLBACK"));
        }
        QSqlDatabase::removeDatabase("other");
        QVERIFY(!written.ok);
        QVERIFY2(written.error.contains("locked"), qPrintable(written.error));
        QList<LogEntry> shown;
        QVERIFY(store.entries(shown, rangeStart(LogRange::All, berlin("2026-07-02 00:00:00"))).ok);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].id, first.id);
    }

    void csvDocument() {
        LogEntry entry = sample(berlin("2026-07-01 08:05:00"), 6.5, "walk, \"big\"\nSüß");
        entry.period = QStringLiteral("Frühstück");
        LogEntry basal = sample(berlin("2026-07-01 22:00:00"), 14, "", EntryKind::Long);
        LogEntry reading = sample(berlin("2026-07-01 23:00:00"), 0, "", EntryKind::Reading);
        const QByteArray csv = entriesToCsv({entry, basal, reading});
        const QByteArray expected =
            "time,period,blood_sugar_text,blood_sugar,carbohydrate_text,carbohydrate,"
            "correction_dose,carbohydrate_dose,weighting_dose,total_dose,taken,note,kind\r\n"
            "2026-07-01T08:05:00+02:00,Fr\xC3\xBChst\xC3\xBC"
            "ck,190 mg,190,75,75,2,7.5,,9.5,6.5,\"walk, \"\"big\"\"\nS\xC3\xBC\xC3\x9F\",rapid\r\n"
            "2026-07-01T22:00:00+02:00,Breakfast,190 mg,190,75,75,2,7.5,,9.5,14,,long\r\n"
            "2026-07-01T23:00:00+02:00,Breakfast,190 mg,190,75,75,2,7.5,,9.5,0,,reading\r\n";
        QCOMPARE(csv, expected);
    }

    void lastRecorded_data() {
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("text"); // after "Last recorded: 6.5 units at "
        const auto row = [](const char *name, const char *taken, const char *now,
                            const char *text) {
            QTest::newRow(name) << QString(taken) << QString(now) << QString(text);
        };
        row("hours and minutes", "2026-12-06 12:40:00", "2026-12-06 14:50:30",
            "12:40 (2 h 10 min ago)");
        row("under a minute", "2026-12-06 12:40:00", "2026-12-06 12:40:59", "12:40 (just now)");
        row("minutes only", "2026-12-06 12:40:00", "2026-12-06 13:39:00", "12:40 (59 min ago)");
        row("earlier day names the date", "2026-12-05 23:50:00", "2026-12-06 00:20:00",
            "23:50 on 2026-12-05 (30 min ago)");
        row("days", "2026-12-03 12:40:00", "2026-12-06 14:40:00",
            "12:40 on 2026-12-03 (3 d 2 h ago)");
        row("real hours across the spring change", "2026-03-29 01:30:00", "2026-03-29 03:30:00",
            "01:30 UTC+01:00 (1 h 0 min ago)");
        row("clock set back shows no age", "2026-12-06 12:40:00", "2026-12-06 12:00:00", "12:40");
    }

    void lastRecorded() {
        QFETCH(QString, taken);
        QFETCH(QString, now);
        QFETCH(QString, text);
        QCOMPARE(lastRecordedText(sample(berlin(taken)), berlin(now)),
                 "Last recorded: 6.5 units at " + text);
    }
};

QTEST_GUILESS_MAIN(LogStoreTest)
#include "log_store_test.moc"

// Entry times as a person reads them: in the zone the computer is in now, with the offset
// beside the time where it is not the offset of now, across clock changes and moves; the
// "Last recorded" line past an entry a wrong clock dated later than now.

#include "logbook/entry_time_text.h"
#include "logbook/last_recorded_text.h"
#include "logbook/log_store.h"
#include "tests/support/zone_scope.h"

#include <QTemporaryDir>
#include <QTest>

using namespace logbook;

namespace {
QDateTime at(const QString &iso) {
    return QDateTime::fromString(iso, Qt::ISODate);
}

LogEntry taken(const QString &iso, double units) {
    LogEntry entry;
    entry.takenAt = at(iso);
    entry.period = QStringLiteral("Breakfast");
    entry.taken = units;
    return entry;
}
} // namespace

class LogTimeTest : public QObject {
    Q_OBJECT

private slots:
    void entryTime_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<QString>("now");
        QTest::addColumn<bool>("always");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char *name, const char *zone, const char *recorded,
                            const char *now, bool always, const char *shown) {
            QTest::newRow(name) << QByteArray(zone) << QString(recorded) << QString(now) << always
                                << QString(shown);
        };
        row("recorded in Berlin, read in New York", "America/New_York", "2026-12-06T12:40:00+01:00",
            "2026-12-06T12:00:00-05:00", false, "2026-12-06 06:40");
        row("recorded in UTC, read past midnight in Kolkata", "Asia/Kolkata",
            "2026-05-01T22:00:00Z", "2026-05-02T09:00:00+05:30", false, "2026-05-02 03:30");
        row("summer entry read in winter names its offset", "Europe/Berlin",
            "2026-07-01T08:05:00+02:00", "2026-12-07T10:00:00+01:00", false,
            "2026-07-01 08:05 UTC+02:00");
        row("first 02:30 of the autumn change", "Europe/Berlin", "2026-10-25T02:30:00+02:00",
            "2026-10-25T12:00:00+01:00", false, "2026-10-25 02:30 UTC+02:00");
        row("second 02:30 of the autumn change", "Europe/Berlin", "2026-10-25T01:30:00Z",
            "2026-10-25T12:00:00+01:00", false, "2026-10-25 02:30");
        row("always names the zone", "Europe/Berlin", "2026-12-06T12:40:00+01:00",
            "2026-12-06T13:00:00+01:00", true, "2026-12-06 12:40 UTC+01:00");
        row("an unreadable stored time stays blank", "Europe/Berlin", "12:40 yesterday",
            "2026-07-01T13:00:00+02:00", true, "");
        row("a negative half-hour zone", "America/St_Johns", "2026-12-06T12:00:00Z",
            "2026-12-06T13:00:00Z", true, "2026-12-06 08:30 UTC-03:30");
    }
    void entryTime() {
        QFETCH(QByteArray, zone);
        QFETCH(QString, recorded);
        QFETCH(QString, now);
        QFETCH(bool, always);
        QFETCH(QString, shown);
        const ZoneScope inZone(zone);
        QCOMPARE(entryTimeText(at(recorded), at(now),
                               always ? ZoneShown::Always : ZoneShown::WhereItDiffers),
                 shown);
    }

    // Read in New York.
    void lastRecordedInLocalTime_data() {
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("line");
        QTest::newRow("recorded in Berlin")
            << QString("2026-12-06T12:40:00+01:00") << QString("2026-12-06T07:00:00-05:00")
            << "Last recorded: 6.5 units at 06:40 (20 min ago)";
        QTest::newRow("the local day, not the recorded one")
            << QString("2026-12-06T01:00:00+01:00") << QString("2026-12-06T07:00:00-05:00")
            << "Last recorded: 6.5 units at 19:00 on 2026-12-05 (12 h 0 min ago)";
    }
    void lastRecordedInLocalTime() {
        QFETCH(QString, recorded);
        QFETCH(QString, now);
        QFETCH(QString, line);
        const ZoneScope inNewYork("America/New_York");
        QCOMPARE(lastRecordedText(taken(recorded, 6.5), at(now)), line);
    }

    // State: a dose dated three days ahead by a wrong clock, and doses since. Expected: the
    // newest entry up to now is the one taken last, not the one dated ahead; with nothing up
    // to now there is none.
    void newestUpToNowPassesAFutureEntry() {
        QTemporaryDir dir;
        LogStore store(dir.filePath("log.sqlite"));
        const QDateTime now = at("2026-12-07T10:00:00+01:00");
        for (LogEntry entry :
             {taken("2026-12-10T08:00:00+01:00", 9), taken("2026-12-06T08:00:00+01:00", 3),
              taken("2026-12-07T09:30:00+01:00", 5)})
            QVERIFY(store.add(entry).ok);
        QCOMPARE(store.latest()->taken, 9.0);
        QCOMPARE(store.latestUpTo(now)->taken, 5.0);
        QCOMPARE(store.latestUpTo(now.addSecs(-3600))->taken, 3.0);
        QVERIFY(!store.latestUpTo(at("2026-12-01T00:00:00Z")));
    }
};

QTEST_GUILESS_MAIN(LogTimeTest)
#include "log_time_test.moc"

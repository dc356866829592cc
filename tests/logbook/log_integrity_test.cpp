// The logbook's integrity: a damaged file is reported, never shown in part as if it were all;
// a commit that fails leaves no entry behind and the next one works; the file and its folders
// are private from the moment they exist.
#include "logbook/log_store.h"
#include "tests/support/file_mode.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>
#include <sqlite3.h>
#include <sys/stat.h>

using logbook::LogEntry;
using logbook::LogResult;
using logbook::LogStore;

namespace {

LogEntry entryAt(const QDateTime &at, double taken) {
    LogEntry entry;
    entry.takenAt = at;
    entry.period = QStringLiteral("Breakfast");
    entry.bloodSugarText = QStringLiteral("190");
    entry.bloodSugar = 190;
    entry.totalDose = QStringLiteral("9.5");
    entry.taken = taken;
    entry.note = QStringLiteral("a note long enough to spread the entries over several pages");
    return entry;
}

// The SQLite handle behind the store's own connection (the only one open in these tests).
sqlite3 *storeHandle() {
    for (const QString &name : QSqlDatabase::connectionNames()) {
        const QVariant handle = QSqlDatabase::database(name, false).driver()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
            return *static_cast<sqlite3 *const *>(handle.constData());
    }
    return nullptr;
}

int refuseCommit(void *) {
    return 1; // turns the COMMIT into a rollback, as a full disk or a lost lock would
}

} // namespace

class LogIntegrityTest : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> dir_;
    QString path() const { return dir_->filePath(QStringLiteral("Norvalis-log.sqlite")); }

    // A logbook of count entries, closed so that everything is in the main file.
    void fill(int count) {
        LogStore store(path());
        const QDateTime start = QDateTime::currentDateTime().addDays(-count);
        for (int i = 0; i < count; ++i) {
            LogEntry entry = entryAt(start.addSecs(3600 * i), i);
            QVERIFY(store.add(entry).ok);
        }
    }

private slots:
    void init() { dir_.emplace(); }

    void damagedLogbookIsReported_data() {
        QTest::addColumn<QString>("damage");
        QTest::newRow("random bytes over pages in the middle") << "middle";
        QTest::newRow("random bytes over the last page") << "last";
        QTest::newRow("file cut to half its length") << "cut";
    }
    // State: 505 entries, then the file damaged. Action: the logbook opened and read.
    // Expected: both fail, saying it is damaged; no entries handed out.
    void damagedLogbookIsReported() {
        QFETCH(QString, damage);
        fill(505);
        QFile file(path());
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 page = 4096;
        const qint64 pages = file.size() / page;
        QVERIFY2(pages > 8, "the logbook should span several pages");
        QRandomGenerator random(505);
        const auto scribble = [&](qint64 first, qint64 count) {
            QByteArray bytes(int(count * page), '\0');
            for (char &c : bytes)
                c = char(random.bounded(256));
            file.seek(first * page);
            file.write(bytes);
        };
        if (damage == "middle")
            scribble(pages / 2, 3);
        else if (damage == "last")
            scribble(pages - 1, 1);
        else
            file.resize(file.size() / 2);
        file.close();

        LogStore store(path());
        const LogResult opened = store.open();
        QVERIFY(!opened.ok);
        QVERIFY2(opened.error.contains("damaged"), qPrintable(opened.error));
        QList<LogEntry> entries{entryAt(QDateTime::currentDateTime(), 1)};
        QVERIFY(!store.entries(entries).ok);
        QVERIFY(entries.isEmpty());
    }

    // State: a logbook with one entry; SQLite made to refuse the next commit. Action: an entry
    // recorded, then another once commits work again. Expected: the first is reported failed
    // and is not listed; the second is stored and listed.
    void failedCommitIsReportedAndTheNextRecordWorks() {
        LogStore store(path());
        LogEntry first = entryAt(QDateTime::currentDateTime().addSecs(-120), 1);
        QVERIFY(store.add(first).ok);
        sqlite3 *handle = storeHandle();
        QVERIFY(handle);

        sqlite3_commit_hook(handle, refuseCommit, nullptr);
        LogEntry lost = entryAt(QDateTime::currentDateTime().addSecs(-60), 2);
        const LogResult failed = store.add(lost);
        sqlite3_commit_hook(handle, nullptr, nullptr);
        QVERIFY(!failed.ok);
        QVERIFY(!failed.error.isEmpty());
        QCOMPARE(lost.id, 0);

        LogEntry next = entryAt(QDateTime::currentDateTime(), 3);
        const LogResult stored = store.add(next);
        QVERIFY2(stored.ok, qPrintable(stored.error));
        QList<LogEntry> entries;
        QVERIFY(store.entries(entries).ok);
        QList<double> taken;
        for (const LogEntry &entry : entries)
            taken << entry.taken;
        QCOMPARE(taken, QList<double>({3, 1}));
    }

    void permissionsArePrivate_data() {
        QTest::addColumn<QString>("relative"); // the logbook within the scratch folder
        QTest::addColumn<int>("existingMode"); // -1: none yet
        QTest::newRow("new logbook in new folders under an open umask")
            << "a/b/Norvalis-log.sqlite" << -1;
        QTest::newRow("logbook readable by all is tightened") << "Norvalis-log.sqlite" << 0644;
        QTest::newRow("logbook writable by the group is tightened")
            << "Norvalis-log.sqlite" << 0660;
    }
    void permissionsArePrivate() {
        QFETCH(QString, relative);
        QFETCH(int, existingMode);
        const QString file = dir_->filePath(relative);
        if (existingMode >= 0) {
            { LogStore(file).open(); }
            QVERIFY(QFile::exists(file + "-wal") || QFile::exists(file));
            chmod(QFile::encodeName(file).constData(), mode_t(existingMode));
        }
        const mode_t previous = umask(0);
        LogStore store(file);
        const LogResult opened = store.open();
        umask(previous);
        QVERIFY2(opened.ok, qPrintable(opened.error));
        QCOMPARE(testsupport::permissionBits(file), mode_t(0600));
        if (existingMode < 0) {
            QCOMPARE(testsupport::permissionBits(dir_->filePath("a")), mode_t(0700));
            QCOMPARE(testsupport::permissionBits(dir_->filePath("a/b")), mode_t(0700));
        }
    }
};

QTEST_GUILESS_MAIN(LogIntegrityTest)
#include "log_integrity_test.moc"

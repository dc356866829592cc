// The CSV export of the log window: private from its first byte, also over a file others could
// read, and a failed export says so and leaves the old file.
#include "core/file_access.h"
#include "logbook/log_csv.h"
#include "logbook/log_store.h"
#include "tests/support/file_mode.h"
#include "tests/support/test_environment.h"
#include "ui/log_window/log_window.h"

#include <QtTest>
#include <optional>
#include <sys/stat.h>

class LogExportTest : public QObject {
    Q_OBJECT
    std::optional<testsupport::TestEnvironment> env_;

private slots:
    void init() { env_.emplace(); }
    void cleanup() { env_.reset(); }

    void exportIsPrivateWhileWritten_data() {
        QTest::addColumn<int>("existingMode"); // -1: a new file
        QTest::newRow("new file under an open umask") << -1;
        QTest::newRow("over a file readable by all") << 0644;
    }
    // Expected: every file holding the export's bytes, the temporary as it is written and the
    // file in place afterwards, is readable by its owner only.
    void exportIsPrivateWhileWritten() {
        QFETCH(int, existingMode);
        logbook::LogStore store(env_->directory() + "/Norvalis-log.sqlite");
        logbook::LogEntry entry;
        entry.takenAt = QDateTime::currentDateTime();
        entry.period = QStringLiteral("Breakfast");
        entry.taken = 4;
        QVERIFY(store.add(entry).ok);
        LogWindow window(store);
        const QString path = env_->directory() + "/export.csv";
        if (existingMode >= 0) {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
            old.close();
            chmod(QFile::encodeName(path).constData(), mode_t(existingMode));
        }
        QList<mode_t> whileWritten;
        const mode_t previous = umask(0);
        bool exported = false;
        {
            const norvalis::ScopedReplaceFault watch([&](norvalis::ReplaceStep step) {
                if (step == norvalis::ReplaceStep::Flush) {
                    const QStringList temporaries =
                        QDir(env_->directory())
                            .entryList({".export.csv.*"}, QDir::Hidden | QDir::Files);
                    for (const QString &name : temporaries)
                        whileWritten << testsupport::permissionBits(env_->directory() + "/" + name);
                }
                return 0;
            });
            exported = window.exportTo(path);
        }
        umask(previous);
        QVERIFY(exported);
        QCOMPARE(whileWritten, QList<mode_t>({0600}));
        QCOMPARE(testsupport::permissionBits(path), mode_t(0600));
        QFile csv(path);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll(), logbook::entriesToCsv({entry}));
    }

    // State: a previous export in place. Action: an export whose write fails (disk full).
    // Expected: a message saying it was not exported; the previous file as it was.
    void failedExportSaysSoAndKeepsTheOldFile() {
        logbook::LogStore store(env_->directory() + "/Norvalis-log.sqlite");
        LogWindow window(store);
        const QString path = env_->directory() + "/export.csv";
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("previous export");
        old.close();
        const norvalis::ScopedReplaceFault full([](norvalis::ReplaceStep step) {
            return step == norvalis::ReplaceStep::Write ? ENOSPC : 0;
        });
        QVERIFY(!window.exportTo(path));
        QCOMPARE(env_->watchdog().seen().size(), 1);
        QVERIFY(env_->watchdog().seen().constFirst().text.startsWith("The log was not exported."));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("previous export"));
    }
};

QTEST_MAIN(LogExportTest)
#include "log_export_test.moc"

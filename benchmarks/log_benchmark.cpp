// The logbook's speed targets: the log window opens with 10,000 entries in under 300 ms, and
// recording an entry takes under 20 ms (each a committed, synced transaction).

#include "logbook/log_schema.h"
#include "logbook/log_store.h"
#include "ui/log_window/log_table_model.h"
#include "ui/log_window/log_window.h"

#include <QApplication>
#include <QComboBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

logbook::LogEntry sampleEntry(const QDateTime &at, int i) {
    logbook::LogEntry entry;
    entry.takenAt = at;
    entry.period = QStringLiteral("Breakfast");
    entry.bloodSugarText = QString::number(80 + i % 200);
    entry.bloodSugar = 80 + i % 200;
    entry.carbText = QString::number(i % 120);
    entry.carbs = i % 120;
    entry.correctionDose = QStringLiteral("1");
    entry.carbDose = QStringLiteral("7.5");
    entry.totalDose = QStringLiteral("8.5");
    entry.taken = 8.5;
    entry.note = i % 10 == 0 ? QStringLiteral("after a walk") : QString();
    return entry;
}

// Writes count entries, one every four hours back from now, in one transaction: the program
// commits each entry on its own, which would make filling the file the slow part here.
bool fill(const QString &path, int count) {
    bool ok = false;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(path);
        ok = db.open() && logbook::createSchema(db, logbook::kCurrentSchemaVersion).isEmpty() &&
             db.transaction();
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral(
            "INSERT INTO entries (taken_at, taken_at_ms, period, blood_sugar_text, blood_sugar,"
            " carb_text, carbs, correction_dose, carb_dose, weighting_dose, total_dose, taken,"
            " note) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        const QDateTime now = QDateTime::currentDateTime();
        for (int i = 0; ok && i < count; ++i) {
            const logbook::LogEntry e = sampleEntry(now.addSecs(-qint64(i) * 4 * 3600), i);
            const QVariantList values = {logbook::offsetTimeText(e.takenAt),
                                         e.takenAt.toMSecsSinceEpoch(),
                                         e.period,
                                         e.bloodSugarText,
                                         e.bloodSugar,
                                         e.carbText,
                                         e.carbs,
                                         e.correctionDose,
                                         e.carbDose,
                                         QStringLiteral(""),
                                         e.totalDose,
                                         e.taken,
                                         e.note.isNull() ? QStringLiteral("") : e.note};
            for (int v = 0; v < values.size(); ++v)
                insert.bindValue(v, values[v]);
            ok = insert.exec();
        }
        ok = ok && db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    return ok;
}

// 10,000 entries, six a day; the window is asked for all of them.
void BM_OpenLogWindowWith10000Entries(benchmark::State &state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Norvalis-log.sqlite"));
    if (!fill(path, 10000)) {
        state.SkipWithError("could not fill the logbook");
        return;
    }
    logbook::LogStore store(path);
    for (auto _ : state) {
        LogWindow window(store);
        window.rangeBox()->setCurrentText(QStringLiteral("All"));
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.model()->rowCount());
    }
}
BENCHMARK(BM_OpenLogWindowWith10000Entries)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RecordOneEntry(benchmark::State &state) {
    QTemporaryDir dir;
    logbook::LogStore store(dir.filePath(QStringLiteral("Norvalis-log.sqlite")));
    if (!store.open().ok) {
        state.SkipWithError("could not open the logbook");
        return;
    }
    int i = 0;
    for (auto _ : state) {
        logbook::LogEntry entry = sampleEntry(QDateTime::currentDateTime(), ++i);
        benchmark::DoNotOptimize(store.add(entry).ok);
    }
}
BENCHMARK(BM_RecordOneEntry)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

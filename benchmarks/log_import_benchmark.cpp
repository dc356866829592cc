// Restoring the logbook and asking it for active insulin: importing 10,000 rows of a CSV
// export takes under 2 s; importing them again (every row a duplicate) as well; the active
// insulin line read from a logbook of 10,000 entries costs well under a millisecond.

#include "core/insulin_curve.h"
#include "logbook/active_insulin.h"
#include "logbook/log_csv.h"
#include "logbook/log_csv_import.h"
#include "logbook/log_store.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 10000;

// Six entries a day back from now, every kind, a note on every tenth.
QList<logbook::LogEntry> sampleEntries() {
    QList<logbook::LogEntry> entries;
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 0; i < kRows; ++i) {
        logbook::LogEntry entry;
        entry.kind = i % 6 == 5
                         ? logbook::EntryKind::Long
                         : (i % 6 == 4 ? logbook::EntryKind::Reading : logbook::EntryKind::Rapid);
        entry.takenAt = now.addSecs(-qint64(i) * 4 * 3600);
        entry.period = QStringLiteral("Breakfast");
        entry.bloodSugarText = QString::number(80 + i % 200);
        entry.bloodSugar = 80 + i % 200;
        entry.carbText = QString::number(i % 120);
        entry.carbs = i % 120;
        entry.totalDose = QStringLiteral("8.5");
        entry.taken = entry.kind == logbook::EntryKind::Reading ? 0 : 8.5;
        entry.note = i % 10 == 0 ? QStringLiteral("after a walk, \"light\"") : QString();
        entries.append(entry);
    }
    return entries;
}

bool import(logbook::LogStore &store, const QByteArray &csv) {
    const logbook::CsvImport read = logbook::entriesFromCsv(csv, QDateTime::currentDateTime());
    QList<logbook::LogEntry> entries = read.entries;
    logbook::LogStore::ImportCount count;
    return read.error.isEmpty() && store.importEntries(entries, count).ok;
}

// Reading the file and storing every row into an empty logbook, in one transaction.
void BM_Import10000RowsIntoAnEmptyLogbook(benchmark::State &state) {
    const QByteArray csv = logbook::entriesToCsv(sampleEntries());
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        logbook::LogStore store(dir.filePath(QStringLiteral("Norvalis-log.sqlite")));
        if (!store.open().ok) {
            state.SkipWithError("could not open the logbook");
            return;
        }
        state.ResumeTiming();
        if (!import(store, csv)) {
            state.SkipWithError("the import failed");
            return;
        }
    }
}
BENCHMARK(BM_Import10000RowsIntoAnEmptyLogbook)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same file again: every row is looked up and skipped.
void BM_Import10000RowsAgain(benchmark::State &state) {
    const QByteArray csv = logbook::entriesToCsv(sampleEntries());
    QTemporaryDir dir;
    logbook::LogStore store(dir.filePath(QStringLiteral("Norvalis-log.sqlite")));
    if (!import(store, csv)) {
        state.SkipWithError("the first import failed");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(import(store, csv));
}
BENCHMARK(BM_Import10000RowsAgain)->Unit(benchmark::kMillisecond)->Iterations(3);

// What the main window does after its first paint and each minute for the active insulin
// line: the entries of the last hours, summed.
void BM_ActiveInsulinLineFrom10000Entries(benchmark::State &state) {
    QTemporaryDir dir;
    logbook::LogStore store(dir.filePath(QStringLiteral("Norvalis-log.sqlite")));
    if (!import(store, logbook::entriesToCsv(sampleEntries()))) {
        state.SkipWithError("could not fill the logbook");
        return;
    }
    const norvalis::InsulinAction action = norvalis::ActionOf(norvalis::InsulinCurve::Rapid, 6);
    for (auto _ : state) {
        const QDateTime now = QDateTime::currentDateTime();
        QList<logbook::LogEntry> entries;
        store.entries(entries, logbook::activeSince(now, action));
        benchmark::DoNotOptimize(
            norvalis::ActiveInsulinLine(logbook::activeInsulinAt(entries, now, action).units));
    }
}
BENCHMARK(BM_ActiveInsulinLineFrom10000Entries)->Unit(benchmark::kMicrosecond);

} // namespace

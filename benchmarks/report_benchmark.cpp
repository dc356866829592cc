// The clinic report's speed target: 90 days with 8 entries a day (720 entries) to a PDF in
// under 1.5 s. The large range shows how the pages scale with 100,000 entries.

#include "report/document/report_pdf.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

report::FileTables sampleTables() {
    report::FileTables tables;
    for (const char *name : {"Breakfast", "Lunch", "Supper", "Night"})
        tables.periods.push_back({name, {"140,1", "180,2", "220,3"}, {"60,1", "100,2"}, "10"});
    tables.penStep = "0.5";
    return tables;
}

report::ReportData sampleReport(int days, int perDay) {
    const QDate to = QDate::currentDate();
    const QDate from = to.addDays(-(days - 1));
    QList<logbook::LogEntry> entries;
    entries.reserve(days * perDay);
    const char *periods[] = {"Breakfast", "Lunch", "Supper", "Night"};
    for (int d = 0; d < days; ++d) {
        for (int k = 0; k < perDay; ++k) {
            const int i = d * perDay + k;
            logbook::LogEntry e;
            e.kind = k % 4 == 3 ? logbook::EntryKind::Long : logbook::EntryKind::Rapid;
            e.takenAt = from.addDays(d).startOfDay().addSecs(qint64(k) * 86400 / perDay + 1800);
            e.period = QString::fromLatin1(periods[k % 4]);
            e.bloodSugar = 60 + (i * 37) % 220;
            e.bloodSugarText = QString::number(e.bloodSugar);
            e.carbs = (i * 13) % 90;
            e.carbText = QString::number(e.carbs);
            e.correctionDose = QStringLiteral("1");
            e.carbDose = QStringLiteral("4.5");
            e.totalDose = QStringLiteral("5.5");
            e.taken = 5.5;
            e.note = i % 10 == 0 ? QStringLiteral("after a walk") : QString();
            entries.append(e);
        }
    }
    report::ReportRequest request{from, to, norvalis::GlucoseUnits::MgPerDl,
                                  norvalis::DefaultTargetRange(norvalis::GlucoseUnits::MgPerDl),
                                  QStringLiteral("A. Person")};
    return report::buildReportData(request, entries, sampleTables(), QDateTime::currentDateTime());
}

void writePdf(benchmark::State &state, int days, int perDay) {
    const report::ReportData data = sampleReport(days, perDay);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        const report::PdfResult written = report::writeReportPdf(data, path);
        if (!written.ok)
            state.SkipWithError(written.error.toUtf8().constData());
    }
    state.counters["entries"] = double(data.entries.size());
}

// The target: statistics included, as the window and the CLI run them after reading.
void BM_Report90DaysOf8(benchmark::State &state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        state.ResumeTiming();
        const report::ReportData data = sampleReport(90, 8);
        benchmark::DoNotOptimize(
            report::writeReportPdf(data, folder.filePath(QStringLiteral("report.pdf"))).ok);
    }
}
BENCHMARK(BM_Report90DaysOf8)->Unit(benchmark::kMillisecond);

void BM_ReportPdfOnly90DaysOf8(benchmark::State &state) {
    writePdf(state, 90, 8);
}
BENCHMARK(BM_ReportPdfOnly90DaysOf8)->Unit(benchmark::kMillisecond);

void BM_Report100000Entries(benchmark::State &state) {
    writePdf(state, 365, 274);
}
BENCHMARK(BM_Report100000Entries)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // the pages' fonts come through it
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

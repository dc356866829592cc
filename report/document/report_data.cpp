#include "report/document/report_data.h"

#include "core/leading_number.h"
#include "logbook/log_store.h"

#include <algorithm>

namespace report {

namespace {

DoseKind kindOf(logbook::EntryKind kind) {
    switch (kind) {
    case logbook::EntryKind::Rapid:
        return DoseKind::Rapid;
    case logbook::EntryKind::Long:
        return DoseKind::Long;
    case logbook::EntryKind::Reading:
        return DoseKind::Reading;
    }
    return DoseKind::Rapid;
}

// A figure as recorded: its text as the window showed it; a blank one adds nothing.
double figure(const QString &text) {
    return norvalis::LeadingNumber(text.toStdString()).value_or(0);
}

} // namespace

int rangeDays(const QDate &from, const QDate &to) {
    return std::max<qint64>(from.daysTo(to) + 1, 1);
}

ReportEntry toReportEntry(const logbook::LogEntry &entry) {
    return {kindOf(entry.kind),
            entry.period.toStdString(),
            entry.bloodSugar,
            entry.carbs,
            figure(entry.correctionDose),
            figure(entry.carbDose),
            figure(entry.weightingDose),
            entry.taken};
}

ReportData buildReportData(const ReportRequest &request, QList<logbook::LogEntry> entries,
                           FileTables tables, const QDateTime &generated) {
    ReportData data{request, generated, std::move(entries), std::move(tables), {}};
    std::vector<ReportEntry> plain;
    plain.reserve(data.entries.size());
    for (const logbook::LogEntry &entry : data.entries)
        plain.push_back(toReportEntry(entry));
    const std::vector<std::string> periods = PeriodNames(data.tables);
    data.stats = ComputeStatistics(
        {plain, rangeDays(request.from, request.to), request.units, request.target, periods});
    return data;
}

logbook::LogResult readRangeEntries(logbook::LogStore &store, const QDate &from, const QDate &to,
                                    QList<logbook::LogEntry> &out) {
    out.clear();
    QList<logbook::LogEntry> newestFirst;
    const logbook::LogResult read = store.entries(newestFirst, from.startOfDay());
    if (!read.ok)
        return read;
    const qint64 end = to.addDays(1).startOfDay().toMSecsSinceEpoch();
    out.reserve(newestFirst.size());
    for (auto it = newestFirst.crbegin(); it != newestFirst.crend(); ++it) {
        if (it->takenAt.toMSecsSinceEpoch() < end)
            out.append(*it);
    }
    return read;
}

} // namespace report

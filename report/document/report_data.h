#pragma once

#include "core/glucose_options.h"
#include "logbook/log_entry.h"
#include "logbook/log_result.h"
#include "report/stats/period_tables.h"
#include "report/stats/report_statistics.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

namespace logbook {
class LogStore;
}

namespace report {

// What the person asked for: whole local days from..to, today included when it is to.
struct ReportRequest {
    QDate from;
    QDate to;
    norvalis::GlucoseUnits units = norvalis::GlucoseUnits::MgPerDl;
    norvalis::TargetRange target = norvalis::DefaultTargetRange(units);
    QString name; // the optional name line; never stored
};

// Everything one report shows, gathered before any page is drawn.
struct ReportData {
    ReportRequest request;
    QDateTime generated;
    QList<logbook::LogEntry> entries; // of the range, oldest first
    FileTables tables;
    ReportStatistics stats;
};

int rangeDays(const QDate &from, const QDate &to);
ReportEntry toReportEntry(const logbook::LogEntry &entry);

ReportData buildReportData(const ReportRequest &request, QList<logbook::LogEntry> entries,
                           FileTables tables, const QDateTime &generated);

// The entries of the range's local days, oldest first.
logbook::LogResult readRangeEntries(logbook::LogStore &store, const QDate &from, const QDate &to,
                                    QList<logbook::LogEntry> &out);

// The last `days` local days up to today, today included.
inline QDate lastDaysStart(const QDate &today, int days) {
    return today.addDays(-(days - 1));
}

} // namespace report

#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace logbook {

// The date ranges the log window offers. "Last 7 days" means today and the six calendar days
// before it, from local midnight, so a day of 23 or 25 hours at a clock change counts as one.
enum class LogRange { Last7Days, Last14Days, Last30Days, Last90Days, All };

struct LogRangeChoice {
    LogRange range;
    QString caption;
};
QList<LogRangeChoice> logRangeChoices();

// The first moment inside the range, in local time; invalid for All.
QDateTime rangeStart(LogRange range, const QDateTime &now);

} // namespace logbook

#include "logbook/log_range.h"

namespace logbook {

namespace {
int days(LogRange range) {
    switch (range) {
    case LogRange::Last7Days:
        return 7;
    case LogRange::Last14Days:
        return 14;
    case LogRange::Last30Days:
        return 30;
    case LogRange::Last90Days:
        return 90;
    case LogRange::All:
        break;
    }
    return 0;
}
} // namespace

QList<LogRangeChoice> logRangeChoices() {
    return {
        {LogRange::Last7Days, QStringLiteral("Last 7 days")},
        {LogRange::Last14Days, QStringLiteral("Last 14 days")},
        {LogRange::Last30Days, QStringLiteral("Last 30 days")},
        {LogRange::Last90Days, QStringLiteral("Last 90 days")},
        {LogRange::All, QStringLiteral("All")},
    };
}

QDateTime rangeStart(LogRange range, const QDateTime &now) {
    const int count = days(range);
    if (count == 0)
        return {};
    const QDate today = now.toLocalTime().date();
    return today.addDays(-(count - 1)).startOfDay();
}

} // namespace logbook

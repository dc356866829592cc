#pragma once

#include "logbook/log_entry.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace logbook {

// A rapid dose this close before another one is asked about: it may be the same dose twice.
inline constexpr qint64 kRepeatWindowSeconds = 30 * 60;

// The entries the guard needs to look at.
inline QDateTime repeatWindowStart(const QDateTime &now) {
    return now.addSecs(-kRepeatWindowSeconds);
}

// The newest rapid dose recorded within the last 30 minutes of `now` (30:00 ago still counts)
// or later (a clock set back); nullopt when there is none.
std::optional<LogEntry> recentRapidDose(const QList<LogEntry> &entries, const QDateTime &now);

// "You recorded 6.5 units at 12:40 (12 min ago)."
QString repeatText(const LogEntry &entry, const QDateTime &now);

} // namespace logbook

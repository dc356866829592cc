#include "logbook/repeat_guard.h"

#include "logbook/last_recorded_text.h"

namespace logbook {

std::optional<LogEntry> recentRapidDose(const QList<LogEntry> &entries, const QDateTime &now) {
    const qint64 start = repeatWindowStart(now).toMSecsSinceEpoch();
    std::optional<LogEntry> newest;
    for (const LogEntry &entry : entries) {
        if (entry.kind != EntryKind::Rapid || entry.takenAt.toMSecsSinceEpoch() < start)
            continue;
        if (!newest || entry.takenAt > newest->takenAt)
            newest = entry;
    }
    return newest;
}

QString repeatText(const LogEntry &entry, const QDateTime &now) {
    return QStringLiteral("You recorded ") + recordedText(entry, now) + QLatin1Char('.');
}

} // namespace logbook

#include "logbook/last_recorded_text.h"

#include "core/number_text.h"
#include "logbook/entry_time_text.h"

namespace logbook {

namespace {
QString age(qint64 seconds) {
    if (seconds < 0)
        return {};
    const qint64 minutes = seconds / 60;
    if (minutes < 1)
        return QStringLiteral(" (just now)");
    if (minutes < 60)
        return QStringLiteral(" (%1 min ago)").arg(minutes);
    const qint64 hours = minutes / 60;
    if (hours < 24)
        return QStringLiteral(" (%1 h %2 min ago)").arg(hours).arg(minutes % 60);
    return QStringLiteral(" (%1 d %2 h ago)").arg(hours / 24).arg(hours % 24);
}
} // namespace

QString recordedText(const LogEntry &entry, const QDateTime &now) {
    const QDateTime local = entry.takenAt.toLocalTime();
    QString when =
        local.toString(QStringLiteral("HH:mm")) + zoneSuffix(local, now, ZoneShown::WhereItDiffers);
    if (local.date() != now.toLocalTime().date())
        when += QStringLiteral(" on ") + local.toString(QStringLiteral("yyyy-MM-dd"));
    const QString what =
        entry.kind == EntryKind::Reading
            ? QStringLiteral("a reading of %1").arg(entry.bloodSugarText.simplified())
            : QStringLiteral("%1 units%2")
                  .arg(QString::fromStdString(norvalis::NumberText(entry.taken)),
                       entry.kind == EntryKind::Long ? QStringLiteral(" long-acting") : QString());
    return QStringLiteral("%1 at %2%3").arg(what, when, age(entry.takenAt.secsTo(now)));
}

QString lastRecordedText(const LogEntry &entry, const QDateTime &now) {
    return QStringLiteral("Last recorded: ") + recordedText(entry, now);
}

} // namespace logbook

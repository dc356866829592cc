#include "logbook/active_insulin.h"

#include <cmath>
#include <vector>

namespace logbook {

QDateTime activeSince(const QDateTime &now, const norvalis::InsulinAction &action) {
    const double minutes = action.durationMinutes + norvalis::kInsulinDelayMinutes;
    return now.addSecs(-static_cast<qint64>(std::ceil(minutes * 60)));
}

norvalis::ActiveInsulin activeInsulinAt(const QList<LogEntry> &entries, const QDateTime &now,
                                        const norvalis::InsulinAction &action) {
    std::vector<norvalis::InsulinDose> doses;
    for (const LogEntry &entry : entries) {
        if (entry.kind != EntryKind::Rapid || !entry.takenAt.isValid())
            continue;
        doses.push_back({entry.taken, double(entry.takenAt.msecsTo(now)) / 60000.0});
    }
    return norvalis::SumActiveInsulin(doses, action);
}

} // namespace logbook

#pragma once

#include "core/insulin_curve.h"
#include "logbook/log_entry.h"

#include <QDateTime>
#include <QList>

namespace logbook {

// The first moment a dose could still be acting at `now`: the entries from here on (and any
// in the future) are all that the sum needs.
QDateTime activeSince(const QDateTime &now, const norvalis::InsulinAction &action);

// The insulin still to act at `now` from the rapid doses among the entries. Long-acting doses
// and readings add nothing.
norvalis::ActiveInsulin activeInsulinAt(const QList<LogEntry> &entries, const QDateTime &now,
                                        const norvalis::InsulinAction &action);

} // namespace logbook

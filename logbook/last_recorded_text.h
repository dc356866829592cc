#pragma once

#include "logbook/log_entry.h"

#include <QDateTime>
#include <QString>

namespace logbook {

// The main window's reminder of the newest entry: "Last recorded: 6.5 units at 12:40 (2 h
// 10 min ago)", in local time with the zone where its offset is not today's. An entry of an
// earlier day names its date; an entry in the future (the clock was set back) says no age
// rather than a negative one.
QString lastRecordedText(const LogEntry &entry, const QDateTime &now);

} // namespace logbook

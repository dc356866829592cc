#pragma once

#include "logbook/log_entry.h"

#include <QDateTime>
#include <QString>

namespace logbook {

// The main window's reminder of the newest entry: "Last recorded: 6.5 units at 12:40 (2 h
// 10 min ago)", in local time with the zone where its offset is not today's. An entry of an
// earlier day names its date; an entry in the future (the clock was set back) says no age
// rather than a negative one.
// A long-acting dose says so ("14 units long-acting at 21:00"), a reading names the reading
// ("a reading of 65 at 22:10").
QString lastRecordedText(const LogEntry &entry, const QDateTime &now);

// The same without "Last recorded: ": "6.5 units at 12:40 (12 min ago)".
QString recordedText(const LogEntry &entry, const QDateTime &now);

} // namespace logbook

#pragma once

#include <QDateTime>
#include <QString>

namespace logbook {

// Entries keep the offset they were recorded in, but a person reads every time on the clock
// of the zone the computer is in now. Where that zone's offset at the entry's moment is not
// the offset it has now (the other side of a clock change, or after a move), the offset goes
// beside the time so "08:00" is never read as an hour it was not.
enum class ZoneShown { WhereItDiffers, Always };

// " UTC+02:00" when shown says so, otherwise empty.
QString zoneSuffix(const QDateTime &at, const QDateTime &now, ZoneShown shown);

// "2026-07-01 08:05", in local time, with the zone as above.
QString entryTimeText(const QDateTime &at, const QDateTime &now,
                      ZoneShown shown = ZoneShown::WhereItDiffers);

// Recorded at a moment still to come: the clock was wrong, then or now.
inline bool isInFuture(const QDateTime &at, const QDateTime &now) {
    return at.toMSecsSinceEpoch() > now.toMSecsSinceEpoch();
}

} // namespace logbook

#pragma once

#include <QDateTime>
#include <QString>

namespace logbook {

// A time as the command line and the CSV give it, ISO 8601 with a date and a time of day:
// "2026-12-01T08:30" (local time), "2026-12-01T08:30:15+01:00" or "...Z". Invalid for
// anything else, a date alone included.
QDateTime entryTimeFromText(const QString &text);

// An entry may be up to a day ahead of now (a clock or a zone not quite right); further is
// a mistake in the date.
bool tooFarAhead(const QDateTime &at, const QDateTime &now);

} // namespace logbook

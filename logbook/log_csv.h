#pragma once

#include "logbook/log_entry.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace logbook {

// The entries as CSV (RFC 4180): UTF-8 without a byte order mark, a header line, CRLF line
// ends, and a field in double quotes (quotes doubled) when it holds a comma, a quote or a
// line break. Numbers use the full stop whatever the locale. Text that a spreadsheet would
// take for a formula (starting with =, +, -, @, a tab or a carriage return, and not a number)
// starts with an apostrophe, which spreadsheets show as text. The kind is the last column, so
// files of earlier versions keep their columns where they were.
QByteArray entriesToCsv(const QList<LogEntry> &entries);

// The header's column names, in the order the export writes them.
const QStringList &csvColumns();

// One field as it stands in a line.
QString csvField(const QString &text);

// A cell's text with the apostrophe taken off where csvField put one on (the quotes are
// already gone): unguardedField of an unquoted csvField(t) is t for every text.
QString unguardedField(const QString &cell);

} // namespace logbook

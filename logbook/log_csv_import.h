#pragma once

#include "logbook/log_entry.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace logbook {

struct CsvImport {
    QList<LogEntry> entries; // in the file's order
    QString error;           // why the whole file is refused; empty when it can be imported
};

// Reads the CSV that entriesToCsv writes: UTF-8 (a byte order mark is skipped), a header
// naming the columns in any order, CRLF or LF line ends, RFC 4180 quoting, and the formula
// apostrophe taken off where the export put it. A file without the kind column (written
// before kinds existed) holds rapid doses. Any row that cannot be read refuses the whole file
// with its row number (the header is row 1) and the reason; so do a time more than a day
// ahead of `now`, a negative amount, one above 1000000 units, and a reading with insulin.
CsvImport entriesFromCsv(const QByteArray &bytes, const QDateTime &now);

} // namespace logbook

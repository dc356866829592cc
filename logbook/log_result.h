#pragma once

#include <QString>

namespace logbook {

// The outcome of a logbook operation. A failure carries the database file and the reason, in
// words a person can act on.
struct LogResult {
    bool ok = true;
    QString error;

    static LogResult failure(const QString &path, const QString &reason) {
        return {false, QStringLiteral("File: %1\nReason: %2").arg(path, reason)};
    }
};

} // namespace logbook

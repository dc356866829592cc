#pragma once

#include "logbook/log_entry.h"
#include "logbook/log_result.h"

#include <QDateTime>
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <optional>

class QSqlDatabase;

namespace logbook {

// The logbook database: one SQLite file, opened on first use and closed with the store.
// Every change is its own transaction, so a crash loses at most the entry being written.
class LogStore {
public:
    explicit LogStore(QString path);
    ~LogStore();
    LogStore(const LogStore &) = delete;
    LogStore &operator=(const LogStore &) = delete;

    const QString &path() const { return path_; }

    // Opens the file, creating it (0600, in a 0700 folder created as needed) and bringing its
    // schema up to date. Does nothing once open.
    LogResult open();
    bool isOpen() const { return open_; }

    // Stores the entry and gives it its id.
    LogResult add(LogEntry &entry);

    struct ImportCount {
        int added = 0;
        int skipped = 0;
    };
    // Stores the entries in one transaction, all or none, giving each stored one its id. An
    // entry the logbook held before (the same second, kind and amount taken as shown) is
    // skipped; entries repeated within the list are all stored, so a logbook that held two
    // alike comes back whole.
    LogResult importEntries(QList<LogEntry> &entries, ImportCount &count);
    LogResult remove(qint64 id);
    // Entries recorded at or after since (all when since is invalid), newest first.
    LogResult entries(QList<LogEntry> &out, const QDateTime &since = QDateTime());
    // The newest entry, or nullopt when the log is empty or cannot be read.
    std::optional<LogEntry> latest();
    // The newest entry recorded at or before the moment: one dated later by a wrong clock
    // must not hide the doses taken since.
    std::optional<LogEntry> latestUpTo(const QDateTime &moment);

private:
    QSqlDatabase database() const;
    LogResult fail(const QString &reason) const { return LogResult::failure(path_, reason); }
    LogResult select(QList<LogEntry> &out, const QString &where, const QVariant &bound, int limit);
    LogResult runInOwnTransaction(const QString &statement, const QVariantList &values,
                                  QSqlQuery &query);

    QString path_;
    QString connection_;
    bool open_ = false;
};

} // namespace logbook

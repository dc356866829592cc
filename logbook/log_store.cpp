#include "logbook/log_store.h"

#include "core/number_text.h"
#include "logbook/entry_kind.h"
#include "logbook/log_schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <atomic>

namespace logbook {

namespace {

constexpr auto kColumns =
    "id, taken_at, period, blood_sugar_text, blood_sugar, carb_text, carbs,"
    " correction_dose, carb_dose, weighting_dose, total_dose, taken, note, kind";

QString uniqueConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("norvalis-log-%1").arg(++counter);
}

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions kOthers = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                       QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

// Creates the missing folders of path, each readable by its owner only from the start.
bool makeOwnerFolders(const QString &path) {
    QStringList missing;
    for (QDir folder(path); !folder.exists(); folder.setPath(QFileInfo(folder.path()).path())) {
        missing.prepend(folder.path());
        if (folder.isRoot() || missing.size() > 64)
            return false;
    }
    for (const QString &folder : missing) {
        if (!QDir().mkdir(folder, kOwnerOnly | QFile::ExeOwner) && !QFileInfo(folder).isDir())
            return false;
    }
    return true;
}

// Health data: only the owner may read the folder and the file, and neither is open to others
// even for a moment.
QString prepareFile(const QString &path) {
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).exists() && !makeOwnerFolders(folder))
        return QStringLiteral("the folder %1 could not be created").arg(folder);
    if (info.exists()) {
        if (!info.isFile())
            return QStringLiteral("it is not a file");
        // A logbook made readable to others (by hand, or by an older copy) is made private
        // again, with the journal files SQLite keeps beside it.
        for (const QString &file :
             {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm")}) {
            if (QFileInfo::exists(file) && QFile::permissions(file).testAnyFlags(kOthers) &&
                !QFile::setPermissions(file, kOwnerOnly))
                return QStringLiteral("its permissions could not be made private");
        }
        return {};
    }
    QFile file(path);
    // SQLite's journal files take the permissions of the file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, kOwnerOnly))
        return file.errorString();
    return {};
}

QString damagedText(const QString &detail) {
    return QStringLiteral("the logbook is damaged (%1). Norvalis shows none of it rather than a "
                          "part that looks whole; restore it from a backup copy.")
        .arg(detail.trimmed());
}

// SQLite's own word for a damaged file (SQLITE_CORRUPT) said as such; any other error as it is.
QString reasonOf(const QSqlError &error) {
    if (error.nativeErrorCode() == QLatin1String("11"))
        return damagedText(error.text());
    return error.text();
}

// A logbook with damaged pages may still answer queries with a part of its entries; that must
// never pass for the whole logbook.
QString damage(QSqlDatabase &db) {
    QSqlQuery check(db);
    if (!check.exec(QStringLiteral("PRAGMA quick_check")))
        return damagedText(check.lastError().text());
    QStringList problems;
    while (check.next())
        problems << check.value(0).toString();
    if (problems == QStringList{QStringLiteral("ok")})
        return {};
    if (problems.isEmpty())
        problems << check.lastError().text();
    return damagedText(problems.mid(0, 3).join(QStringLiteral("; ")));
}

LogEntry entryFrom(const QSqlQuery &query) {
    LogEntry entry;
    entry.id = query.value(0).toLongLong();
    entry.takenAt = QDateTime::fromString(query.value(1).toString(), Qt::ISODateWithMs);
    entry.period = query.value(2).toString();
    entry.bloodSugarText = query.value(3).toString();
    entry.bloodSugar = query.value(4).toDouble();
    entry.carbText = query.value(5).toString();
    entry.carbs = query.value(6).toDouble();
    entry.correctionDose = query.value(7).toString();
    entry.carbDose = query.value(8).toString();
    entry.weightingDose = query.value(9).toString();
    entry.totalDose = query.value(10).toString();
    entry.taken = query.value(11).toDouble();
    entry.note = query.value(12).toString();
    // The schema allows only the three words; anything else could only come from a damaged
    // file, and reads as the kind every entry had before kinds existed.
    entry.kind = kindFromName(query.value(13).toString()).value_or(EntryKind::Rapid);
    return entry;
}

// A null QString binds as SQL NULL; an empty figure or note is stored as empty text.
QString text(const QString &value) {
    return value.isNull() ? QStringLiteral("") : value;
}

constexpr auto kInsert =
    "INSERT INTO entries (taken_at, taken_at_ms, period, blood_sugar_text, blood_sugar,"
    " carb_text, carbs, correction_dose, carb_dose, weighting_dose, total_dose, taken, note, kind)"
    " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

QVariantList insertValues(const LogEntry &entry) {
    return {
        offsetTimeText(entry.takenAt),
        entry.takenAt.toMSecsSinceEpoch(),
        text(entry.period),
        text(entry.bloodSugarText),
        entry.bloodSugar,
        text(entry.carbText),
        entry.carbs,
        text(entry.correctionDose),
        text(entry.carbDose),
        text(entry.weightingDose),
        text(entry.totalDose),
        entry.taken,
        text(entry.note),
        kindName(entry.kind),
    };
}

void bind(QSqlQuery &query, const QVariantList &values) {
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
}

// The first millisecond of the second the entry was taken in: the CSV keeps whole seconds.
qint64 secondStart(const QDateTime &at) {
    const qint64 ms = at.toMSecsSinceEpoch();
    return ms - (((ms % 1000) + 1000) % 1000);
}

QString shown(double units) {
    return QString::fromStdString(norvalis::NumberText(units));
}

} // namespace

LogStore::LogStore(QString path) : path_(std::move(path)), connection_(uniqueConnectionName()) {}

LogStore::~LogStore() {
    if (!QSqlDatabase::contains(connection_))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

QSqlDatabase LogStore::database() const {
    return QSqlDatabase::database(connection_, false);
}

LogResult LogStore::open() {
    if (open_)
        return {};
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return fail(
            QStringLiteral("the SQLite driver of Qt (package libqt6sql6-sqlite) is missing"));
    const QString problem = prepareFile(path_);
    if (!problem.isEmpty())
        return fail(problem);

    QSqlDatabase db = QSqlDatabase::contains(connection_)
                          ? database()
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    // A second running Norvalis may be writing at the same moment.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open())
        return fail(db.lastError().text());

    QSqlQuery wal(db);
    if (!wal.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !wal.next()) {
        const QString reason = reasonOf(wal.lastError());
        db.close();
        return fail(reason.trimmed().isEmpty() ? QStringLiteral("it is not a logbook") : reason);
    }
    wal.finish(); // an unfinished statement would keep the schema's transaction from committing
    if (const QString damaged = damage(db); !damaged.isEmpty()) {
        db.close();
        return fail(damaged);
    }
    const QString error = upgradeSchema(db);
    if (!error.isEmpty()) {
        db.close();
        return fail(error);
    }
    open_ = true;
    return {};
}

LogResult LogStore::add(LogEntry &entry) {
    QSqlQuery query;
    const LogResult written =
        runInOwnTransaction(QLatin1String(kInsert), insertValues(entry), query);
    if (written.ok)
        entry.id = query.lastInsertId().toLongLong();
    return written;
}

LogResult LogStore::importEntries(QList<LogEntry> &entries, ImportCount &count) {
    count = {};
    if (const LogResult opened = open(); !opened.ok)
        return opened;
    QSqlDatabase db = database();
    if (!db.transaction())
        return fail(db.lastError().text());
    QString error;
    ImportCount counted;
    {
        QSqlQuery newest(db);
        qint64 lastBefore = 0;
        if (newest.exec(QStringLiteral("SELECT COALESCE(MAX(id), 0) FROM entries")) &&
            newest.next())
            lastBefore = newest.value(0).toLongLong();
        else
            error = newest.lastError().text();
        newest.finish();
        QSqlQuery alike(db);
        alike.setForwardOnly(true);
        alike.prepare(QStringLiteral("SELECT taken FROM entries WHERE id <= ? AND kind = ?"
                                     " AND taken_at_ms BETWEEN ? AND ?"));
        QSqlQuery insert(db);
        insert.prepare(QLatin1String(kInsert));
        for (qsizetype i = 0; i < entries.size() && error.isEmpty(); ++i) {
            LogEntry &entry = entries[i];
            const qint64 second = secondStart(entry.takenAt);
            bind(alike, {lastBefore, kindName(entry.kind), second, second + 999});
            if (!alike.exec()) {
                error = alike.lastError().text();
                break;
            }
            bool present = false;
            while (!present && alike.next())
                present = shown(alike.value(0).toDouble()) == shown(entry.taken);
            alike.finish();
            if (present) {
                ++counted.skipped;
                continue;
            }
            bind(insert, insertValues(entry));
            if (!insert.exec()) {
                error = insert.lastError().text();
                break;
            }
            entry.id = insert.lastInsertId().toLongLong();
            ++counted.added;
        }
    }
    if (error.isEmpty() && !db.commit())
        error = db.lastError().text();
    if (!error.isEmpty()) {
        db.rollback();
        for (LogEntry &entry : entries)
            entry.id = 0;
        return fail(error);
    }
    count = counted;
    return {};
}

LogResult LogStore::remove(qint64 id) {
    QSqlQuery query;
    const LogResult written =
        runInOwnTransaction(QStringLiteral("DELETE FROM entries WHERE id = ?"), {id}, query);
    if (written.ok && query.numRowsAffected() == 0)
        return fail(QStringLiteral("the entry is no longer in the logbook"));
    return written;
}

// One statement in a transaction of its own, so an entry is written or removed whole or not
// at all.
LogResult LogStore::runInOwnTransaction(const QString &statement, const QVariantList &values,
                                        QSqlQuery &query) {
    if (const LogResult opened = open(); !opened.ok)
        return opened;
    QSqlDatabase db = database();
    if (!db.transaction())
        return fail(db.lastError().text());
    query = QSqlQuery(db);
    query.prepare(statement);
    bind(query, values);
    if (!query.exec() || !db.commit()) {
        const QString reason =
            query.lastError().isValid() ? query.lastError().text() : db.lastError().text();
        db.rollback();
        return fail(reason);
    }
    return {};
}

LogResult LogStore::select(QList<LogEntry> &out, const QString &where, const QVariant &bound,
                           int limit) {
    out.clear();
    if (const LogResult opened = open(); !opened.ok)
        return opened;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    QString sql = QStringLiteral("SELECT %1 FROM entries %2 ORDER BY taken_at_ms DESC, id DESC")
                      .arg(QLatin1String(kColumns), where);
    if (limit > 0)
        sql += QStringLiteral(" LIMIT %1").arg(limit);
    query.prepare(sql);
    if (bound.isValid())
        query.bindValue(0, bound);
    if (!query.exec())
        return fail(reasonOf(query.lastError()));
    while (query.next())
        out.append(entryFrom(query));
    // A read that breaks off part-way (a page damaged since the logbook was opened) is a
    // failure, not a shorter list.
    if (query.lastError().isValid()) {
        out.clear();
        return fail(reasonOf(query.lastError()));
    }
    return {};
}

LogResult LogStore::entries(QList<LogEntry> &out, const QDateTime &since) {
    if (!since.isValid())
        return select(out, QString(), QVariant(), 0);
    return select(out, QStringLiteral("WHERE taken_at_ms >= ?"), since.toMSecsSinceEpoch(), 0);
}

std::optional<LogEntry> LogStore::latest() {
    QList<LogEntry> newest;
    if (!select(newest, QString(), QVariant(), 1).ok || newest.isEmpty())
        return std::nullopt;
    return newest.front();
}

std::optional<LogEntry> LogStore::latestUpTo(const QDateTime &moment) {
    QList<LogEntry> newest;
    if (!select(newest, QStringLiteral("WHERE taken_at_ms <= ?"), moment.toMSecsSinceEpoch(), 1)
             .ok ||
        newest.isEmpty())
        return std::nullopt;
    return newest.front();
}

} // namespace logbook

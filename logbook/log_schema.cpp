#include "logbook/log_schema.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace logbook {

namespace {

const QStringList kVersion1 = {
    QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
    QStringLiteral("CREATE TABLE entries ("
                   " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                   " taken_at TEXT NOT NULL,"
                   " period TEXT NOT NULL,"
                   " blood_sugar_text TEXT NOT NULL, blood_sugar REAL NOT NULL,"
                   " carb_text TEXT NOT NULL, carbs REAL NOT NULL,"
                   " correction_dose TEXT NOT NULL, carb_dose TEXT NOT NULL,"
                   " weighting_dose TEXT NOT NULL, total_dose TEXT NOT NULL,"
                   " taken REAL NOT NULL)"),
    QStringLiteral("INSERT INTO schema_version (version) VALUES (1)"),
};

// From 1 to 2. taken_at_ms is filled from the stored local times below.
const QStringList kVersion1To2 = {
    QStringLiteral("ALTER TABLE entries ADD COLUMN note TEXT NOT NULL DEFAULT ''"),
    QStringLiteral("ALTER TABLE entries ADD COLUMN taken_at_ms INTEGER NOT NULL DEFAULT 0"),
    QStringLiteral("CREATE INDEX entries_by_time ON entries (taken_at_ms)"),
};

// From 2 to 3. Every entry before kinds existed was a rapid dose typed in Record Dose.
const QStringList kVersion2To3 = {
    QStringLiteral("ALTER TABLE entries ADD COLUMN kind TEXT NOT NULL DEFAULT 'rapid'"
                   " CHECK (kind IN ('rapid', 'long', 'reading'))"),
};

QString run(QSqlDatabase &db, const QStringList &statements) {
    for (const QString &statement : statements) {
        QSqlQuery query(db);
        if (!query.exec(statement))
            return query.lastError().text();
    }
    return {};
}

QString fillInstants(QSqlDatabase &db) {
    QSqlQuery select(db);
    if (!select.exec(QStringLiteral("SELECT id, taken_at FROM entries")))
        return select.lastError().text();
    QSqlQuery update(db);
    update.prepare(QStringLiteral("UPDATE entries SET taken_at_ms = ? WHERE id = ?"));
    while (select.next()) {
        const QDateTime at = QDateTime::fromString(select.value(1).toString(), Qt::ISODateWithMs);
        // An unreadable time sorts as the oldest entry rather than being dropped.
        update.bindValue(0, at.isValid() ? at.toMSecsSinceEpoch() : 0);
        update.bindValue(1, select.value(0));
        if (!update.exec())
            return update.lastError().text();
    }
    select.finish();
    return {};
}

QString setVersion(QSqlDatabase &db, int version) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE schema_version SET version = ?"));
    query.bindValue(0, version);
    return query.exec() ? QString() : query.lastError().text();
}

// One step from version to version + 1, inside the caller's transaction.
QString step(QSqlDatabase &db, int version) {
    switch (version) {
    case 0:
        return run(db, kVersion1);
    case 1: {
        QString error = run(db, kVersion1To2);
        if (error.isEmpty())
            error = fillInstants(db);
        return error;
    }
    case 2:
        return run(db, kVersion2To3);
    default:
        return QStringLiteral("no way known from schema version %1").arg(version);
    }
}

QString upgrade(QSqlDatabase &db, int from, int to) {
    if (!db.transaction())
        return db.lastError().text();
    for (int version = from; version < to; ++version) {
        QString error = step(db, version);
        if (error.isEmpty() && version > 0)
            error = setVersion(db, version + 1);
        if (!error.isEmpty()) {
            db.rollback();
            return error;
        }
    }
    return db.commit() ? QString() : db.lastError().text();
}

} // namespace

int schemaVersion(QSqlDatabase &db) {
    if (!db.tables().contains(QStringLiteral("schema_version")))
        return db.tables().isEmpty() ? 0 : -1;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT version FROM schema_version")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

QString createSchema(QSqlDatabase &db, int version) {
    if (version < 1 || version > kCurrentSchemaVersion)
        return QStringLiteral("unknown schema version %1").arg(version);
    if (schemaVersion(db) != 0)
        return QStringLiteral("the database is not empty");
    return upgrade(db, 0, version);
}

QString upgradeSchema(QSqlDatabase &db) {
    const int version = schemaVersion(db);
    if (version < 0)
        return QStringLiteral("the file holds other tables or an unreadable schema version");
    if (version > kCurrentSchemaVersion)
        return QStringLiteral("the logbook was written by a newer Norvalis (schema version %1); "
                              "it was left as it is")
            .arg(version);
    if (version == kCurrentSchemaVersion)
        return {};
    return upgrade(db, version, kCurrentSchemaVersion);
}

} // namespace logbook

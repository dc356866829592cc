#pragma once

#include <QString>

class QSqlDatabase;

namespace logbook {

// Version 1 kept the local time text only and had no notes; version 2 adds the note and the
// instant in milliseconds (for ordering and filtering across UTC offsets); version 3 adds the
// kind of entry ("rapid", "long" or "reading"), every older entry being a rapid dose.
inline constexpr int kCurrentSchemaVersion = 3;

// Creates the tables of the given schema version in an empty database. Returns an empty text
// on success, otherwise the reason.
QString createSchema(QSqlDatabase &db, int version);

// The version the database says it has: 0 for an empty database, -1 when it cannot be read.
int schemaVersion(QSqlDatabase &db);

// Brings an existing database up to the current version in one transaction, or creates the
// current schema in an empty one. A database of a newer version is left untouched and
// refused. Returns an empty text on success, otherwise the reason.
QString upgradeSchema(QSqlDatabase &db);

} // namespace logbook

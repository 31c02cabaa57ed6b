// SPDX-License-Identifier: MIT
#include "storage/schema.h"

#include <iterator>
#include <QSqlQuery>
#include <QStringList>

namespace storage {

namespace {

// Version 1: each search's positions, and its reveals with the track inside the row.
const QStringList toVersion1{
    "CREATE TABLE searches("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " elt_x INTEGER NOT NULL, elt_y INTEGER NOT NULL,"
    " vor_x INTEGER NOT NULL, vor_y INTEGER NOT NULL,"
    " airport_x INTEGER NOT NULL, airport_y INTEGER NOT NULL,"
    " map_scale INTEGER NOT NULL)",
    "CREATE TABLE reveals("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " search_id INTEGER NOT NULL REFERENCES searches(id),"
    " time_utc TEXT NOT NULL,"
    " distance_flown REAL NOT NULL, miss_distance REAL NOT NULL,"
    " first_signal_distance REAL NOT NULL,"
    " first_heard_x INTEGER, first_heard_y INTEGER,"
    " first_heard_heading INTEGER, first_heard_speed INTEGER,"
    " score REAL NOT NULL, score_text TEXT NOT NULL, rating TEXT NOT NULL,"
    " hints INTEGER NOT NULL, bearing_used INTEGER NOT NULL, minutes REAL NOT NULL,"
    " track BLOB)",
};

// Version 2: tracks move to a table of their own, so that listing the reveals reads a few
// hundred bytes a row instead of pages of track; reveals are found by search through an index;
// each reveal says which game wrote it ('' for those written before this was kept), so that a
// later version can tell records from a faulty one.
const QStringList toVersion2{
    "CREATE TABLE tracks("
    " reveal_id INTEGER PRIMARY KEY REFERENCES reveals(id) ON DELETE CASCADE,"
    " points BLOB NOT NULL)",
    "INSERT INTO tracks(reveal_id, points) SELECT id, track FROM reveals WHERE track IS NOT NULL",
    "ALTER TABLE reveals DROP COLUMN track",
    "ALTER TABLE reveals ADD COLUMN game_version TEXT NOT NULL DEFAULT ''",
    "CREATE INDEX reveals_by_search ON reveals(search_id)",
};

const QStringList* const steps[] = {&toVersion1, &toVersion2};
static_assert(std::size(steps) == kSchemaVersion);

} // namespace

QSqlError migrateOneStep(QSqlDatabase& db, int from) {
    // A version below 0 is no layout this game ever wrote; SQLite's own code for a damaged file
    // has it set aside as one.
    if (from < 0 || from >= kSchemaVersion)
        return QSqlError(QStringLiteral("no way up from schema version %1").arg(from), {},
                         QSqlError::StatementError, QStringLiteral("11"));
    QSqlQuery query(db);
    for (const QString& statement : *steps[from]) {
        if (!query.exec(statement)) return query.lastError();
    }
    return {};
}

} // namespace storage

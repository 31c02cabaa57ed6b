// SPDX-License-Identifier: MIT
#include "storage/schema.h"

#include <iterator>
#include <QSqlQuery>
#include <QStringList>

namespace storage {

namespace {

// Version 1: each search's positions, and its reveals with the track inside the row.
const QStringList kToVersion1{
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
const QStringList kToVersion2{
    "CREATE TABLE tracks("
    " reveal_id INTEGER PRIMARY KEY REFERENCES reveals(id) ON DELETE CASCADE,"
    " points BLOB NOT NULL)",
    "INSERT INTO tracks(reveal_id, points) SELECT id, track FROM reveals WHERE track IS NOT NULL",
    "ALTER TABLE reveals DROP COLUMN track",
    "ALTER TABLE reveals ADD COLUMN game_version TEXT NOT NULL DEFAULT ''",
    "CREATE INDEX reveals_by_search ON reveals(search_id)",
};

// Version 3: a search's track is kept once, as far as its latest Reveal had flown it, and each
// reveal says how many of its points it had flown: a search revealed again after every step no
// longer stores its whole track at every Reveal. A reveal whose track is not the start of its
// search's (written by a faulty game, or by two copies of the game) keeps its own in `tracks`.
// Each search starts from its longest track; the reveals whose tracks are its start give theirs
// up (SQLite's substr() of an empty blob is NULL, never equal). Tracks that are not blobs were
// not written by the game and are kept as they are.
const QStringList kToVersion3{
    "CREATE TABLE search_tracks("
    " search_id INTEGER PRIMARY KEY REFERENCES searches(id) ON DELETE CASCADE,"
    " points BLOB NOT NULL)",
    "ALTER TABLE reveals ADD COLUMN track_points INTEGER NOT NULL DEFAULT 0",
    "UPDATE reveals SET track_points = (SELECT length(points) / 8 FROM tracks"
    " WHERE reveal_id = reveals.id) WHERE id IN (SELECT reveal_id FROM tracks)",
    "INSERT INTO search_tracks(search_id, points)"
    " SELECT longest.search_id, t.points FROM (SELECT r.search_id, r.id, row_number() OVER"
    "  (PARTITION BY r.search_id ORDER BY length(t.points) DESC, r.id DESC) AS place"
    "  FROM reveals r JOIN tracks t ON t.reveal_id = r.id"
    "  WHERE typeof(t.points) = 'blob' AND r.search_id IN (SELECT id FROM searches)) longest"
    " JOIN tracks t ON t.reveal_id = longest.id WHERE longest.place = 1",
    "DELETE FROM tracks WHERE reveal_id IN (SELECT t.reveal_id FROM tracks t"
    " JOIN reveals r ON r.id = t.reveal_id JOIN search_tracks s ON s.search_id = r.search_id"
    " WHERE typeof(t.points) = 'blob'"
    "  AND (length(t.points) = 0 OR substr(s.points, 1, length(t.points)) = t.points))",
};

// A random UUID (version 4, lower case) made by SQLite, one per row it is evaluated for: every
// part from a randomblob() of its own, the version nibble 4 and the variant 8, 9, a or b.
// A random UUID as SQLite makes one, anew for each row: each part from a randomblob() of its
// own, then the version nibble 4 and the variant 8, 9, a or b.
const QString kRandomUuid =
    "lower(hex(randomblob(4)) || '-' || hex(randomblob(2)) || '-4' ||"
    " substr(hex(randomblob(2)), 2) || '-' || substr('89AB', 1 + abs(random() % 4), 1) ||"
    " substr(hex(randomblob(2)), 2) || '-' || hex(randomblob(6)))";

// Version 4: each reveal carries an id the same on every machine, so that the squadron's server
// keeps one copy of each however often it is sent; reveals written before get one now. A reveal
// names the squadron's exercise it flew (NULL for a random search). The file has an id of its
// own, made with it. `squadron_sent` says which server confirmed which record: a player who
// moves to another squadron sends every record again.
const QStringList kToVersion4{
    "ALTER TABLE reveals ADD COLUMN record_id TEXT",
    "ALTER TABLE reveals ADD COLUMN exercise TEXT",
    "UPDATE reveals SET record_id = " + kRandomUuid,
    "CREATE UNIQUE INDEX reveals_by_record_id ON reveals(record_id)",
    "CREATE TABLE logbook_identity(id TEXT NOT NULL)",
    "INSERT INTO logbook_identity(id) VALUES(" + kRandomUuid + ")",
    "CREATE TABLE squadron_sent("
    " record_id TEXT NOT NULL, squadron TEXT NOT NULL,"
    " PRIMARY KEY(record_id, squadron)) WITHOUT ROWID",
};

const QStringList* const steps[] = {&kToVersion1, &kToVersion2, &kToVersion3, &kToVersion4};
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

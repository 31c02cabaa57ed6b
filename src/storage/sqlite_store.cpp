// SPDX-License-Identifier: MIT
#include "storage/sqlite_store.h"

#include "storage/schema.h"
#include "storage/set_aside.h"
#include "storage/sqlite_outcome.h"
#include "storage/track_blob.h"
#include "vantrel_version.h"

#include <atomic>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

namespace storage {

using logbook::Outcome;
using logbook::SearchRecord;
using logbook::Trouble;

namespace {

QString nextConnectionName() {
    static std::atomic<int> made{0};
    return QStringLiteral("vantrel-logbook-%1").arg(++made);
}

// A write that holds the file from its first statement, so that two copies of the game queue
// one behind the other instead of failing halfway; rolled back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(const QSqlDatabase& db) : query_(db) {}
    ~WriteTransaction() {
        if (open_) query_.exec(QStringLiteral("ROLLBACK"));
    }
    QSqlError begin() { return run(QStringLiteral("BEGIN IMMEDIATE"), true); }
    QSqlError commit() {
        const QSqlError error = run(QStringLiteral("COMMIT"), false);
        // A failed COMMIT (SQLITE_BUSY, SQLITE_FULL) may leave the transaction open.
        if (error.type() != QSqlError::NoError) open_ = true;
        return error;
    }

private:
    QSqlError run(const QString& statement, bool opens) {
        if (!query_.exec(statement)) return query_.lastError();
        open_ = opens;
        return {};
    }
    QSqlQuery query_;
    bool open_ = false;
};

bool failed(const QSqlError& error) {
    return error.type() != QSqlError::NoError;
}

// Every SQLite database starts so; anything else is not handed to SQLite, which might take a
// stray write-ahead log beside it for its own and delete it.
bool hasDatabaseMagic(const QString& path) {
    static const QByteArray magic("SQLite format 3\0", 16);
    QFile file(path);
    return !file.open(QIODevice::ReadOnly) || file.read(magic.size()) == magic;
}

// Runs a statement that yields one value; the error, if any, goes to `error`.
QVariant scalar(const QSqlDatabase& db, const QString& statement, QSqlError& error) {
    error = {};
    QSqlQuery query(db);
    if (!query.exec(statement)) {
        error = query.lastError();
        return {};
    }
    if (!query.next()) {
        error = query.lastError();
        return {};
    }
    return query.value(0);
}

QVariant optionalPart(const std::optional<logbook::TrackPoint>& point,
                      std::int16_t logbook::TrackPoint::*part) {
    return point ? QVariant(int{(*point).*part}) : QVariant(QMetaType(QMetaType::Int));
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

SqliteStore::SqliteStore(std::string path, SqliteOptions options)
    : path_(std::move(path)), file_(QString::fromStdString(path_)),
      connection_(nextConnectionName()), options_(options) {}

SqliteStore::~SqliteStore() {
    disconnect();
}

QSqlDatabase SqliteStore::db() const {
    return QSqlDatabase::database(connection_, false);
}

bool SqliteStore::connect(Access access) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    connected_ = true;
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(options_.busyTimeoutMs);
    if (access == Access::ReadWrite) {
        db.setDatabaseName(file_);
    } else if (access == Access::ReadOnly) {
        db.setDatabaseName(file_);
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    } else {
        // SQLite reads a file promised never to change without the shared-memory file a
        // write-ahead log needs, which a folder we may not write in cannot hold.
        db.setDatabaseName(QUrl::fromLocalFile(file_).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?immutable=1"));
        options += QStringLiteral(";QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
    }
    db.setConnectOptions(options);
    return db.open();
}

void SqliteStore::disconnect() {
    if (!connected_) return;
    {
        QSqlDatabase db = this->db();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    connected_ = false;
    state_ = State::Closed;
    writable_ = false;
}

Outcome SqliteStore::open() {
    opened_ = openWithSetAside();
    return opened_;
}

Outcome SqliteStore::openWithSetAside() {
    disconnect();
    Outcome first = openOnce();
    if (first.trouble != Trouble::Damaged) return first;
    disconnect();
    const QString aside = setAside(file_, QDateTime::currentDateTimeUtc());
    if (aside.isEmpty())
        return outcome(Trouble::Unusable,
                       text(first.detail) + QStringLiteral("; the file could not be set aside"));
    first.setAsidePath = aside.toStdString();
    const Outcome fresh = openOnce();
    if (!fresh.ok()) first.detail += "; the fresh logbook: " + fresh.detail;
    return first;
}

// Looks at the file through a connection that cannot change it, so that a damaged file and its
// write-ahead log are set aside as they were found, and a newer game's file is left untouched.
// A folder we may not write in cannot hold the shared-memory file a write-ahead log needs; the
// file is then read as one that does not change.
Outcome SqliteStore::lookWithoutWriting(Header& header) {
    QSqlError error;
    for (Access access : {Access::ReadOnly, Access::Immutable}) {
        if (connect(access) && readHeader(header, error)) {
            access_ = access;
            return {};
        }
        if (!failed(error)) error = db().lastError();
        disconnect();
        const Trouble trouble = troubleOf(error);
        if (trouble == Trouble::Damaged || trouble == Trouble::Locked) return outcomeOf(error);
    }
    return outcome(Trouble::Unusable, error.text());
}

bool SqliteStore::readHeader(Header& header, QSqlError& error) {
    error = {};
    QSqlQuery query(db());
    // One statement, so that both come from the same moment of a file another copy of the game
    // may be creating.
    if (!query.exec(QStringLiteral("SELECT (SELECT user_version FROM pragma_user_version),"
                                   " (SELECT count(*) FROM sqlite_schema)")) ||
        !query.next()) {
        error = query.lastError();
        return false;
    }
    header.version = query.value(0).toInt();
    header.tables = query.value(1).toInt();
    // A damaged page shows here rather than halfway through a later write.
    header.check = scalar(db(), QStringLiteral("PRAGMA quick_check"), error).toString();
    return !failed(error);
}

Outcome SqliteStore::openOnce() {
    const QFileInfo info(file_);
    if (!QDir().mkpath(info.absolutePath()))
        return outcome(Trouble::Unusable,
                       QStringLiteral("cannot make the folder ") + info.absolutePath());
    if (info.isDir()) return outcome(Trouble::Unusable, file_ + QStringLiteral(" is a folder"));

    Header header;
    const bool existed = info.exists() && info.size() > 0;
    if (existed) {
        if (!hasDatabaseMagic(file_))
            return outcome(Trouble::Damaged, QStringLiteral("not an SQLite database"));
        const Outcome looked = lookWithoutWriting(header);
        if (!looked.ok()) return looked;
        if (header.check != QStringLiteral("ok"))
            return outcome(Trouble::Damaged, QStringLiteral("quick_check: ") + header.check);
        if (header.version > kSchemaVersion) {
            state_ = State::Newer;
            return outcome(Trouble::Newer, QStringLiteral("schema version %1, this game knows "
                                                          "up to %2")
                                               .arg(header.version)
                                               .arg(kSchemaVersion));
        }
        if (header.version == 0 && header.tables > 0)
            return outcome(Trouble::Damaged, QStringLiteral("a database, but not a logbook"));
    }
    const int version = header.version;

    // SQLite may open a file it cannot write for reading and writing, and say so only at a
    // later statement: the writes that follow tell.
    if (!existed || access_ == Access::ReadOnly) {
        disconnect();
        if (connect(Access::ReadWrite)) {
            access_ = Access::ReadWrite;
        } else {
            const QSqlError error = db().lastError();
            disconnect();
            if (!existed || !connect(Access::ReadOnly))
                return outcome(Trouble::Unusable, error.text());
            access_ = Access::ReadOnly;
        }
    }

    if (access_ == Access::ReadWrite) {
        QSqlQuery setup(db());
        // Readers never wait for a writer, and a commit needs no flush to disk to be whole.
        setup.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        setup.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
        setup.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
        if (options_.maxPageCount > 0)
            setup.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(options_.maxPageCount));
        writable_ = true;
        if (version == kSchemaVersion) state_ = State::Current;
        const Outcome update = bringUpToDate();
        // A file locked now may be free by the time there is a record to write.
        if (update.trouble != Trouble::Locked || state_ != State::Current) return update;
        return {};
    }
    refusal_ = Trouble::ReadOnly;
    // An older layout is not read: bringing it up to date would mean writing.
    if (version == kSchemaVersion) state_ = State::Current;
    return outcome(Trouble::ReadOnly, file_ + QStringLiteral(" cannot be written"));
}

// Runs the migrations one version at a time, each in a transaction of its own; on a file
// already up to date, the empty transaction proves that it can be written.
Outcome SqliteStore::bringUpToDate() {
    for (;;) {
        WriteTransaction transaction(db());
        QSqlError error = transaction.begin();
        int version = 0;
        if (!failed(error))
            version = scalar(db(), QStringLiteral("PRAGMA user_version"), error).toInt();
        if (!failed(error) && version == kSchemaVersion) {
            state_ = State::Current;
            // Rewriting the version, rolled back at once, is the one sure test that SQLite may
            // write the file: it may have opened a read-only file without a word.
            QSqlQuery probe(db());
            if (probe.exec(QStringLiteral("PRAGMA user_version = %1").arg(version))) return {};
            error = probe.lastError();
        }
        if (!failed(error) && version > kSchemaVersion) {
            // Another copy of the game, a newer one, got there first.
            state_ = State::Newer;
            return outcome(Trouble::Newer, QStringLiteral("schema version %1").arg(version));
        }
        if (!failed(error)) {
            QSqlDatabase connection = db();
            error = migrateOneStep(connection, version);
        }
        if (!failed(error)) {
            QSqlQuery query(db());
            if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(version + 1)))
                error = query.lastError();
        }
        if (!failed(error)) error = transaction.commit();
        if (failed(error)) {
            const Outcome failure = outcomeOf(error);
            if (failure.trouble == Trouble::ReadOnly) {
                writable_ = false;
                refusal_ = Trouble::ReadOnly;
            }
            return failure;
        }
    }
}

Outcome SqliteStore::refusal() const {
    switch (state_) {
    case State::Newer:
        return outcome(Trouble::Newer, file_ + QStringLiteral(" is from a newer game"));
    case State::Closed:
        if (!connected_) return outcome(Trouble::Unusable, file_ + QStringLiteral(" is not open"));
        break;
    case State::Current:
        break;
    }
    return outcome(refusal_, file_ + QStringLiteral(" cannot be written"));
}

Outcome SqliteStore::append(SearchRecord& record) {
    // A file that was locked when it was opened gets another try.
    if (state_ == State::Closed && opened_.trouble == Trouble::Locked) {
        const Outcome reopened = open();
        if (!reopened.ok()) return reopened;
    }
    if (state_ != State::Current || !writable_) return refusal();

    WriteTransaction transaction(db());
    QSqlError error = transaction.begin();
    if (failed(error)) return outcomeOf(error);

    QSqlQuery query(db());
    // A search numbered by a copy of the game whose records were all deleted since is made
    // again under its number; numbers are never handed out twice (AUTOINCREMENT).
    query.prepare(record.search == 0
                      ? QStringLiteral("INSERT INTO searches(elt_x, elt_y, vor_x, vor_y, "
                                       "airport_x, airport_y, map_scale) VALUES(?,?,?,?,?,?,?)")
                      : QStringLiteral("INSERT OR IGNORE INTO searches(elt_x, elt_y, vor_x, vor_y, "
                                       "airport_x, airport_y, map_scale, id) "
                                       "VALUES(?,?,?,?,?,?,?,?)"));
    for (int value : {record.eltX, record.eltY, record.vorX, record.vorY, record.airportX,
                      record.airportY, record.mapScale})
        query.addBindValue(value);
    if (record.search != 0) query.addBindValue(QVariant::fromValue(qint64{record.search}));
    if (!query.exec()) return outcomeOf(query.lastError());
    const std::int64_t search =
        record.search != 0 ? record.search : query.lastInsertId().toLongLong();

    query.prepare(QStringLiteral(
        "INSERT INTO reveals(search_id, time_utc, distance_flown, miss_distance, "
        "first_signal_distance, first_heard_x, first_heard_y, first_heard_heading, "
        "first_heard_speed, score, score_text, rating, hints, bearing_used, minutes, "
        "game_version) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    const auto& heard = record.firstHeard;
    for (const QVariant& value :
         {QVariant::fromValue(qint64{search}), QVariant(text(record.timeUtc)),
          QVariant(double{record.distanceFlown}), QVariant(double{record.missDistance}),
          QVariant(double{record.firstSignalDistance}),
          optionalPart(heard, &logbook::TrackPoint::x),
          optionalPart(heard, &logbook::TrackPoint::y),
          optionalPart(heard, &logbook::TrackPoint::heading),
          optionalPart(heard, &logbook::TrackPoint::speedStep), QVariant(double{record.score}),
          QVariant(text(record.scoreText)), QVariant(text(record.rating)), QVariant(record.hints),
          QVariant(int{record.bearingUsed}), QVariant(record.minutes),
          QVariant(QString::fromUtf8(vantrel::version.data(),
                                     static_cast<qsizetype>(vantrel::version.size())))})
        query.addBindValue(value);
    if (!query.exec()) return outcomeOf(query.lastError());
    const std::int64_t id = query.lastInsertId().toLongLong();

    if (!record.track.empty()) {
        query.prepare(QStringLiteral("INSERT INTO tracks(reveal_id, points) VALUES(?,?)"));
        query.addBindValue(QVariant::fromValue(qint64{id}));
        query.addBindValue(packTrack(record.track));
        if (!query.exec()) return outcomeOf(query.lastError());
    }
    query.finish();
    error = transaction.commit();
    if (failed(error)) return outcomeOf(error);
    record.id = id;
    record.search = search;
    return {};
}

std::vector<SearchRecord> SqliteStore::select(const QString& where, std::int64_t id,
                                              bool withTracks) {
    std::vector<SearchRecord> found;
    if (state_ != State::Current) return found;
    QSqlQuery query(db());
    // Forward only: Qt would otherwise keep every row it has read.
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT r.id, r.search_id, r.time_utc, s.elt_x, s.elt_y, s.vor_x, s.vor_y, "
                       "s.airport_x, s.airport_y, s.map_scale, r.distance_flown, r.miss_distance, "
                       "r.first_signal_distance, r.first_heard_x, r.first_heard_y, "
                       "r.first_heard_heading, r.first_heard_speed, r.score, r.score_text, "
                       "r.rating, r.hints, r.bearing_used, r.minutes") +
        (withTracks ? QStringLiteral(", t.points FROM reveals r JOIN searches s ON s.id = "
                                     "r.search_id LEFT JOIN tracks t ON t.reveal_id = r.id ")
                    : QStringLiteral(" FROM reveals r JOIN searches s ON s.id = r.search_id ")) +
        where + QStringLiteral(" ORDER BY r.id"));
    if (!where.isEmpty()) query.addBindValue(QVariant::fromValue(qint64{id}));
    if (!query.exec()) return found;
    const auto int16 = [&query](int column) {
        return static_cast<std::int16_t>(query.value(column).toInt());
    };
    while (query.next()) {
        SearchRecord& r = found.emplace_back();
        r.id = query.value(0).toLongLong();
        r.search = query.value(1).toLongLong();
        r.timeUtc = query.value(2).toString().toStdString();
        r.eltX = int16(3);
        r.eltY = int16(4);
        r.vorX = int16(5);
        r.vorY = int16(6);
        r.airportX = int16(7);
        r.airportY = int16(8);
        r.mapScale = int16(9);
        r.distanceFlown = query.value(10).toFloat();
        r.missDistance = query.value(11).toFloat();
        r.firstSignalDistance = query.value(12).toFloat();
        if (!query.isNull(13))
            r.firstHeard = logbook::TrackPoint{int16(13), int16(14), int16(15), int16(16)};
        r.score = query.value(17).toFloat();
        r.scoreText = query.value(18).toString().toStdString();
        r.rating = query.value(19).toString().toStdString();
        r.hints = query.value(20).toInt();
        r.bearingUsed = query.value(21).toInt() != 0;
        r.minutes = query.value(22).toDouble();
        if (withTracks) r.track = unpackTrack(query.value(23).toByteArray());
    }
    return found;
}

std::vector<SearchRecord> SqliteStore::records(bool withTracks) {
    return select({}, 0, withTracks);
}

std::optional<SearchRecord> SqliteStore::record(std::int64_t id) {
    auto found = select(QStringLiteral("WHERE r.id = ?"), id, true);
    if (found.empty()) return std::nullopt;
    return std::move(found.front());
}

int SqliteStore::count() {
    if (state_ != State::Current) return 0;
    QSqlError error;
    return scalar(db(), QStringLiteral("SELECT count(*) FROM reveals"), error).toInt();
}

Outcome SqliteStore::remove(std::int64_t id) {
    if (state_ != State::Current || !writable_) return refusal();
    WriteTransaction transaction(db());
    QSqlError error = transaction.begin();
    if (failed(error)) return outcomeOf(error);
    QSqlQuery query(db());
    const QVariant reveal = QVariant::fromValue(qint64{id});
    query.prepare(QStringLiteral("SELECT search_id FROM reveals WHERE id = ?"));
    query.addBindValue(reveal);
    if (!query.exec()) return outcomeOf(query.lastError());
    if (!query.next()) return {}; // already gone
    const QVariant search = query.value(0);
    // The track goes with its reveal (ON DELETE CASCADE), the search with its last reveal.
    query.prepare(QStringLiteral("DELETE FROM reveals WHERE id = ?"));
    query.addBindValue(reveal);
    if (!query.exec()) return outcomeOf(query.lastError());
    query.prepare(QStringLiteral("DELETE FROM searches WHERE id = ? AND NOT EXISTS "
                                 "(SELECT 1 FROM reveals WHERE search_id = ?)"));
    query.addBindValue(search);
    query.addBindValue(search);
    if (!query.exec()) return outcomeOf(query.lastError());
    query.finish();
    error = transaction.commit();
    return failed(error) ? outcomeOf(error) : Outcome{};
}

} // namespace storage

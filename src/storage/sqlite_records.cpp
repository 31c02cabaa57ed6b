// SPDX-License-Identifier: MIT
// The logbook's records written, read and removed.
#include "logbook/record_id.h"
#include "storage/sqlite_outcome.h"
#include "storage/sqlite_statements.h"
#include "storage/sqlite_store.h"
#include "storage/track_blob.h"
#include "vantrel_version.h"

namespace storage {

using logbook::Outcome;
using logbook::SearchRecord;
using logbook::Trouble;

namespace {

QVariant optionalPart(const std::optional<logbook::TrackPoint>& point,
                      std::int16_t logbook::TrackPoint::*part) {
    return point ? QVariant(int{(*point).*part}) : QVariant(QMetaType(QMetaType::Int));
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

Outcome SqliteStore::append(SearchRecord& record) {
    const Outcome written = appendOnce(record);
    if (written.trouble != Trouble::Damaged) return written;
    // Damage the check at opening does not look for (in a track's pages): the file is set aside
    // as one found damaged at opening would be, and the record goes into the fresh logbook.
    // (Reopening a file that was locked may have found and set it aside already.)
    const Outcome fresh = written.setAsidePath.empty() ? startAfresh(written) : written;
    if (fresh.trouble == Trouble::Damaged) appendOnce(record); // its id tells if it went in
    return fresh;
}

Outcome SqliteStore::appendOnce(SearchRecord& record) {
    // A file that was locked when it was opened, or could not be made for a full disk, gets
    // another try.
    if (state_ == State::Closed &&
        (opened_.trouble == Trouble::Locked || opened_.trouble == Trouble::DiskFull)) {
        const Outcome reopened = open();
        if (!reopened.ok()) return reopened;
    }
    if (state_ != State::Current || !writable_) return refusal();

    WriteTransaction transaction(db());
    QSqlError error = transaction.begin();
    if (failed(error)) return outcomeOf(error);

    if (record.recordId.empty()) record.recordId = logbook::newRecordId();
    QSqlQuery query(db());
    // A record already in the file (its write went through though it seemed not to, or another
    // copy of the game wrote it) is not written twice: the squadron keeps one copy of each id.
    query.prepare(QStringLiteral("SELECT id, search_id FROM reveals WHERE record_id = ?"));
    query.addBindValue(text(record.recordId));
    if (!query.exec()) return outcomeOf(query.lastError());
    if (query.next()) {
        record.id = query.value(0).toLongLong();
        record.search = query.value(1).toLongLong();
        return {};
    }
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

    const QVariant searchId = QVariant::fromValue(qint64{search});
    const QByteArray points = packTrack(record.track);
    bool ownTrack = false;
    if (!points.isEmpty()) {
        const Outcome kept = keepSearchTrack(searchId, points, ownTrack);
        if (!kept.ok()) return kept;
    }

    query.prepare(QStringLiteral(
        "INSERT INTO reveals(search_id, time_utc, distance_flown, miss_distance, "
        "first_signal_distance, first_heard_x, first_heard_y, first_heard_heading, "
        "first_heard_speed, score, score_text, rating, hints, bearing_used, minutes, "
        "game_version, track_points, record_id, exercise) "
        "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    const auto& heard = record.firstHeard;
    for (const QVariant& value :
         {searchId, QVariant(text(record.timeUtc)), QVariant(double{record.distanceFlown}),
          QVariant(double{record.missDistance}), QVariant(double{record.firstSignalDistance}),
          optionalPart(heard, &logbook::TrackPoint::x),
          optionalPart(heard, &logbook::TrackPoint::y),
          optionalPart(heard, &logbook::TrackPoint::heading),
          optionalPart(heard, &logbook::TrackPoint::speedStep), QVariant(double{record.score}),
          QVariant(text(record.scoreText)), QVariant(text(record.rating)), QVariant(record.hints),
          QVariant(int{record.bearingUsed}), QVariant(record.minutes),
          QVariant(QString::fromUtf8(vantrel::version.data(),
                                     static_cast<qsizetype>(vantrel::version.size()))),
          QVariant::fromValue(static_cast<qint64>(record.track.size())),
          QVariant(text(record.recordId)),
          record.exercise.empty() ? QVariant(QMetaType(QMetaType::QString))
                                  : QVariant(text(record.exercise))})
        query.addBindValue(value);
    if (!query.exec()) return outcomeOf(query.lastError());
    const std::int64_t id = query.lastInsertId().toLongLong();

    if (ownTrack) {
        query.prepare(QStringLiteral("INSERT INTO tracks(reveal_id, points) VALUES(?,?)"));
        query.addBindValue(QVariant::fromValue(qint64{id}));
        query.addBindValue(points);
        if (!query.exec()) return outcomeOf(query.lastError());
    }
    query.finish();
    error = transaction.commit();
    if (failed(error)) return outcomeOf(error);
    record.id = id;
    record.search = search;
    return {};
}

// A search's track is kept once, as far as it has been flown: a later Reveal's track is the
// earlier one and more, and a Reveal names how many of its points it had flown. A track that is
// not the start of the search's, nor goes on from it, is kept for its Reveal alone (`ownTrack`).
Outcome SqliteStore::keepSearchTrack(const QVariant& search, const QByteArray& points,
                                     bool& ownTrack) {
    QSqlQuery query(db());
    query.prepare(QStringLiteral("SELECT points FROM search_tracks WHERE search_id = ?"));
    query.addBindValue(search);
    if (!query.exec()) return outcomeOf(query.lastError());
    const bool known = query.next();
    const QByteArray kept = known ? query.value(0).toByteArray() : QByteArray();
    query.finish();
    ownTrack = known && !kept.startsWith(points) && !points.startsWith(kept);
    if (known && !(points.size() > kept.size() && points.startsWith(kept))) return {};
    query.prepare(known
                      ? QStringLiteral("UPDATE search_tracks SET points = ? WHERE search_id = ?")
                      : QStringLiteral("INSERT INTO search_tracks(points, search_id) VALUES(?,?)"));
    query.addBindValue(points);
    query.addBindValue(search);
    if (!query.exec()) return outcomeOf(query.lastError());
    return {};
}

std::vector<SearchRecord> SqliteStore::select(const QString& where, const QVariantList& values,
                                              bool withTracks, int limit) {
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
                       "r.rating, r.hints, r.bearing_used, r.minutes, r.record_id, r.exercise") +
        (withTracks ? QStringLiteral(", coalesce(t.points, substr(k.points, 1, r.track_points * "
                                     "8)) FROM reveals r JOIN searches s ON s.id = r.search_id "
                                     "LEFT JOIN tracks t ON t.reveal_id = r.id "
                                     "LEFT JOIN search_tracks k ON k.search_id = r.search_id ")
                    : QStringLiteral(" FROM reveals r JOIN searches s ON s.id = r.search_id ")) +
        where + QStringLiteral(" ORDER BY r.id") +
        (limit >= 0 ? QStringLiteral(" LIMIT %1").arg(limit) : QString()));
    for (const QVariant& value : values)
        query.addBindValue(value);
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
        r.recordId = query.value(23).toString().toStdString();
        r.exercise = query.value(24).toString().toStdString();
        if (withTracks) r.track = unpackTrack(query.value(25).toByteArray());
    }
    return found;
}

std::vector<SearchRecord> SqliteStore::records(bool withTracks) {
    return select({}, {}, withTracks);
}

std::optional<SearchRecord> SqliteStore::record(std::int64_t id) {
    auto found = select(QStringLiteral("WHERE r.id = ?"), {QVariant::fromValue(qint64{id})}, true);
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
    // The track goes with its reveal (ON DELETE CASCADE), the search and its track with its last
    // reveal.
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

// SPDX-License-Identifier: MIT
#include "squadron/upload.h"

#include "storage/track_blob.h"
#include "vantrel_version.h"

#include <array>
#include <charconv>

namespace squadron {

namespace {

// The record and its track in one statement, so that a record costs one round trip; the track
// goes in only with a record the server did not have. The trainee is the server's to name.
const char* const kInsertRecord = R"(WITH sent AS (
    INSERT INTO records (record_id, search_key, time_utc, elt_x, elt_y, vor_x, vor_y,
        airport_x, airport_y, map_scale, distance_flown, miss_distance, first_signal_distance,
        first_heard_x, first_heard_y, first_heard_heading, first_heard_speed, score,
        score_text, rating, hints, bearing_used, minutes, game_version, exercise)
    VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14, $15, $16, $17, $18,
        $19, $20, $21, $22, $23, $24, $25)
    ON CONFLICT (record_id) DO NOTHING
    RETURNING record_id)
INSERT INTO tracks (record_id, points) SELECT record_id, $26::bytea FROM sent
ON CONFLICT (record_id) DO NOTHING)";

template <typename Number>
std::string text(Number value) {
    std::array<char, 32> buffer{};
    // Shortest text that reads back as the same number, whatever the locale.
    auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return std::string(buffer.data(), end);
}

std::string hexBytes(const std::vector<logbook::TrackPoint>& track) {
    static const char digits[] = "0123456789abcdef";
    const QByteArray blob = storage::packTrack(track);
    std::string hex = "\\x";
    hex.reserve(2 + 2 * static_cast<std::size_t>(blob.size()));
    for (char byte : blob) {
        hex += digits[static_cast<unsigned char>(byte) >> 4];
        hex += digits[static_cast<unsigned char>(byte) & 0xf];
    }
    return hex;
}

} // namespace

Answer upload(Connection& connection, const std::vector<logbook::SearchRecord>& records,
              const std::string& logbookId) {
    if (records.empty()) return {Reach::Done, "Nothing to send.", {}};
    Answer answer = connection.run("BEGIN", {});
    if (!answer.ok()) return answer;
    const std::string version(vantrel::version);
    std::vector<std::string> values(26);
    std::vector<bool> nulls(26, false);
    for (const auto& r : records) {
        const logbook::TrackPoint heard = r.firstHeard.value_or(logbook::TrackPoint{});
        values = {r.recordId,
                  logbookId + "/" + std::to_string(r.search),
                  r.timeUtc,
                  text(r.eltX),
                  text(r.eltY),
                  text(r.vorX),
                  text(r.vorY),
                  text(r.airportX),
                  text(r.airportY),
                  text(r.mapScale),
                  text(r.distanceFlown),
                  text(r.missDistance),
                  text(r.firstSignalDistance),
                  text(heard.x),
                  text(heard.y),
                  text(heard.heading),
                  text(heard.speedStep),
                  text(r.score),
                  r.scoreText,
                  r.rating,
                  text(r.hints),
                  r.bearingUsed ? "true" : "false",
                  text(r.minutes),
                  version,
                  r.exercise,
                  hexBytes(r.track)};
        for (int i = 13; i <= 16; ++i)
            nulls[i] = !r.firstHeard;
        nulls[24] = r.exercise.empty();
        answer = connection.run(kInsertRecord, values, nullptr, nulls);
        if (!answer.ok()) {
            if (connection.isOpen()) connection.run("ROLLBACK", {});
            return answer;
        }
    }
    answer = connection.run("COMMIT", {});
    if (!answer.ok()) return answer;
    return {
        Reach::Done, "The server holds these " + std::to_string(records.size()) + " records.", {}};
}

Answer check(Connection& connection) {
    Answer answer = connection.isOpen() ? Answer{} : connection.open();
    if (!answer.ok()) return answer;
    // Membership first: a stranger may not read the squadron's tables at all.
    Connection::Rows rows;
    const std::string name = connection.user();
    answer = connection.run("SELECT pg_has_role(current_user, 'vantrel_trainee', 'member') OR "
                            "pg_has_role(current_user, 'vantrel_instructor', 'member')",
                            {}, &rows);
    if (answer.sqlState == "42704") // a group role is missing
        return {Reach::Refused, "The server has no squadron set up: run vantrel-squadron init.",
                answer.sqlState};
    if (!answer.ok()) return answer;
    if (rows.rows.empty() || rows.rows[0][0] != "t")
        return {Reach::Refused, name + " is not a trainee or instructor of this squadron.", {}};
    answer = connection.run("SELECT value FROM squadron_meta WHERE key = 'version'", {}, &rows);
    if (!answer.ok() || rows.rows.empty())
        return {Reach::Refused, "The server has no squadron set up: run vantrel-squadron init.",
                answer.sqlState};
    return {Reach::Done, "Connected to the squadron as " + name + ".", {}};
}

} // namespace squadron

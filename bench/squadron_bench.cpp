// SPDX-License-Identifier: MIT
// vantrel-bench-squadron: the squadron's server, started by bench/squadron_bench.py.
//   upload OWNER TRAINEE   10,000 records to an empty server through upload() in batches of
//                          500, beside bare prepared inserts of the same rows (a record and a
//                          track statement each) over the same connection
//   read INSTRUCTOR NAME [EXERCISE]
//                          on a filled server: one trainee's records and every trainee's last
//                          20 scores, as the instructor, beside a bare round trip; the class
//                          as ClassReader reads it (the roster, NAME's records with tracks,
//                          EXERCISE's flights) beside the plain statements under them
// Passwords come from libpq's password file. Figures are medians in milliseconds.
#include "squadron/class_reader.h"
#include "squadron/upload.h"
#include "storage/track_blob.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <libpq-fe.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRecords = 10000;
constexpr int kBatch = 500;
constexpr int kTrackSteps = 300;

double medianMs(int runs, const std::function<void()>& what, const std::function<void()>& before) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        before();
        auto start = Clock::now();
        what();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void must(const squadron::Answer& answer) {
    if (!answer.ok()) {
        std::fprintf(stderr, "vantrel-bench-squadron: %s\n", answer.words.c_str());
        std::exit(1);
    }
}

std::vector<logbook::SearchRecord> makeRecords() {
    std::vector<logbook::SearchRecord> records(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        auto& r = records[i];
        r.recordId = "bench-" + std::to_string(i);
        r.search = i / 2 + 1;
        r.timeUtc = "2026-12-07T10:00:00Z";
        r.score = static_cast<float>(i % 900);
        r.scoreText = std::to_string(i % 900);
        r.rating = "** Senior Pilot **";
        r.firstHeard = logbook::TrackPoint{10, 20, 45, 4};
        for (int s = 0; s < kTrackSteps; ++s)
            r.track.push_back({static_cast<std::int16_t>(s), static_cast<std::int16_t>(-s),
                               static_cast<std::int16_t>(s % 360), 4});
    }
    return records;
}

// The same rows as plain prepared statements: no conflict handling, no one-statement pairing.
void bareInserts(PGconn* conn, const std::vector<logbook::SearchRecord>& records) {
    PQclear(PQprepare(conn, "bare_record",
                      "INSERT INTO records (record_id, search_key, time_utc, elt_x, elt_y, vor_x, "
                      "vor_y, airport_x, airport_y, map_scale, distance_flown, miss_distance, "
                      "first_signal_distance, score, score_text, rating, hints, bearing_used, "
                      "minutes, game_version) VALUES ($1, $2, $3, 0, 0, 0, 0, 0, 0, 0, $4, $5, "
                      "0, $6, $7, $8, 0, false, 0, 'bench')",
                      0, nullptr));
    PQclear(PQprepare(conn, "bare_track", "INSERT INTO tracks (record_id, points) VALUES ($1, $2)",
                      0, nullptr));
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i % kBatch == 0) PQclear(PQexec(conn, "BEGIN"));
        const auto& r = records[i];
        const std::string key = "bare/" + std::to_string(r.search);
        const std::string flown = std::to_string(r.distanceFlown);
        const std::string miss = std::to_string(r.missDistance);
        const std::string score = std::to_string(r.score);
        const char* values[] = {r.recordId.c_str(),  key.c_str(),     r.timeUtc.c_str(),
                                flown.c_str(),       miss.c_str(),    score.c_str(),
                                r.scoreText.c_str(), r.rating.c_str()};
        PQclear(PQexecPrepared(conn, "bare_record", 8, values, nullptr, nullptr, 0));
        const QByteArray blob = storage::packTrack(r.track);
        const char* track[] = {r.recordId.c_str(), blob.constData()};
        const int lengths[] = {0, static_cast<int>(blob.size())};
        const int binary[] = {0, 1};
        PQclear(PQexecPrepared(conn, "bare_track", 2, track, lengths, binary, 0));
        if (i % kBatch == kBatch - 1 || i + 1 == records.size()) PQclear(PQexec(conn, "COMMIT"));
    }
}

int upload(const char* ownerInfo, const char* traineeInfo) {
    std::string error;
    squadron::Connection owner(squadron::parseConninfo(ownerInfo, error), 60000);
    squadron::Connection trainee(squadron::parseConninfo(traineeInfo, error), 60000);
    must(owner.open());
    must(trainee.open());
    const auto records = makeRecords();
    auto empty = [&] {
        must(owner.run("TRUNCATE records, tracks, search_firsts, trainee_summary", {}));
    };
    const double sent = medianMs(
        3,
        [&] {
            for (std::size_t at = 0; at < records.size(); at += kBatch) {
                std::vector<logbook::SearchRecord> batch(
                    records.begin() + static_cast<long>(at),
                    records.begin() + static_cast<long>(std::min(records.size(), at + kBatch)));
                must(squadron::upload(trainee, batch, "bench"));
            }
        },
        empty);
    const double again = medianMs(
        3,
        [&] {
            for (std::size_t at = 0; at < records.size(); at += kBatch)
                must(squadron::upload(
                    trainee,
                    {records.begin() + static_cast<long>(at),
                     records.begin() + static_cast<long>(std::min(records.size(), at + kBatch))},
                    "bench"));
        },
        [] {});
    const double bare = medianMs(
        3, [&] { bareInserts(trainee.raw(), records); }, empty);
    std::printf("%d records with %d-step tracks, batches of %d (median of 3):\n", kRecords,
                kTrackSteps, kBatch);
    std::printf("  upload() to an empty server   %8.0f ms  %6.0f records/s\n", sent,
                kRecords / sent * 1000);
    std::printf("  upload() of the same again    %8.0f ms  (the server has them all)\n", again);
    std::printf("  bare prepared inserts         %8.0f ms  %6.0f records/s  (baseline)\n", bare,
                kRecords / bare * 1000);
    return 0;
}

int read(const char* instructorInfo, const std::string& name, const std::string& exercise) {
    std::string error;
    squadron::Connection instructor(squadron::parseConninfo(instructorInfo, error), 60000);
    must(instructor.open());
    squadron::Connection::Rows rows;
    auto time = [&](const char* what, const std::string& statement,
                    const std::vector<std::string>& values) {
        must(instructor.run(statement, values, &rows)); // warm
        const double ms = medianMs(
            7, [&] { must(instructor.run(statement, values, &rows)); }, [] {});
        std::printf("  %-34s %8.2f ms  %zu rows\n", what, ms, rows.rows.size());
    };
    std::printf("as the instructor (median of 7):\n");
    time("a bare round trip (baseline)", "SELECT 1", {});
    time("one trainee's records",
         "SELECT record_id, time_utc, score_text, rating, distance_flown, "
         "miss_distance, exercise FROM squadron_reveals WHERE trainee = "
         "$1 ORDER BY time_utc",
         {name});
    time("every trainee's last 20 scores",
         "SELECT t.trainee, s.time_utc, s.score_text FROM trainee_summary t CROSS JOIN LATERAL "
         "(SELECT time_utc, score_text FROM squadron_reveals r WHERE r.trainee = t.trainee "
         "ORDER BY time_utc DESC LIMIT 20) s",
         {});
    // The instructor's view through the reader's own functions: statement, rows and unpacking.
    auto timeRead = [&](const char* what, const std::function<logbook::ClassReply()>& read) {
        const double ms = medianMs(
            7,
            [&] {
                if (!read().ok) std::exit(1);
            },
            [] {});
        std::printf("  %-34s %8.2f ms\n", what, ms);
    };
    std::vector<logbook::RosterRow> roster;
    std::vector<logbook::SearchRecord> records;
    std::vector<logbook::ExerciseFlight> flights;
    time("the summary alone (roster baseline)",
         "SELECT trainee, reveals, searches, best_score, best_text FROM trainee_summary", {});
    timeRead("the class roster", [&] { return squadron::readRoster(instructor, roster = {}); });
    timeRead("one trainee's records with tracks",
             [&] { return squadron::readTraineeRecords(instructor, name, records = {}); });
    std::printf("    (%zu trainees, %zu records)\n", roster.size(), records.size());
    if (exercise.empty()) return 0;
    time("the report's ranking (baseline)",
         "SELECT k.rank, r.trainee, r.score_text FROM exercise_ranking($1) k JOIN records r "
         "USING (record_id) ORDER BY k.place",
         {exercise});
    timeRead("an exercise's flights with tracks",
             [&] { return squadron::readFlights(instructor, exercise, flights = {}); });
    std::printf("    (%zu flights)\n", flights.size());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "upload" && argc == 4) return upload(argv[2], argv[3]);
    if (mode == "read" && (argc == 4 || argc == 5))
        return read(argv[2], argv[3], argc == 5 ? argv[4] : "");
    std::fprintf(stderr, "usage: vantrel-bench-squadron upload OWNER TRAINEE | read INSTRUCTOR "
                         "NAME [EXERCISE]\n");
    return 2;
}

// SPDX-License-Identifier: MIT
#include "squadron/class_reader.h"

#include "squadron/admin.h"
#include "storage/track_blob.h"

#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <QObject>
#include <thread>

namespace squadron {

namespace {

const char* const kClassOnly = "Only the squadron's instructors may read the class.";
const char* const kPublishOnly = "Only instructors may publish exercises.";

// The server's "permission denied" is about the class, in the player's words.
logbook::ClassReply replyOf(const Answer& answer, const char* denied = kClassOnly) {
    if (answer.ok()) return {};
    if (answer.sqlState == "42501") return {false, denied};
    return {false, answer.words};
}

// libpq gives NULL as "": every caller reads "" as none.
template <typename Number>
Number number(const std::string& text) {
    Number value{};
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

template <typename Number>
std::optional<Number> maybe(const std::string& text) {
    if (text.empty()) return std::nullopt;
    return number<Number>(text);
}

// bytea comes as text in hex: "\x6400c800...".
QByteArray fromHex(const std::string& text) {
    if (text.size() < 2) return {};
    return QByteArray::fromHex(QByteArray::fromRawData(text.data() + 2, text.size() - 2));
}

// A record as the logbook wrote it, from class_records; its columns in this order.
const char* const kRecordColumns =
    "r.record_id, r.search_key, r.time_utc, r.elt_x, r.elt_y, r.vor_x, r.vor_y, r.airport_x, "
    "r.airport_y, r.map_scale, r.distance_flown, r.miss_distance, r.first_signal_distance, "
    "r.first_heard_x, r.first_heard_y, r.first_heard_heading, r.first_heard_speed, r.score, "
    "r.score_text, r.rating, r.hints, r.bearing_used, r.minutes, r.exercise, r.points, "
    "r.trainee";

logbook::SearchRecord recordOf(const std::vector<std::string>& row, std::size_t at,
                               std::map<std::string, std::int64_t>& searches) {
    auto field = [&](std::size_t i) -> const std::string& { return row[at + i]; };
    auto i16 = [&](std::size_t i) { return number<std::int16_t>(field(i)); };
    logbook::SearchRecord r;
    r.recordId = field(0);
    // A search is known on the server by its key; the reader numbers them as a logbook would.
    r.search = searches.try_emplace(field(1), static_cast<std::int64_t>(searches.size()) + 1)
                   .first->second;
    r.timeUtc = field(2);
    r.eltX = i16(3), r.eltY = i16(4), r.vorX = i16(5), r.vorY = i16(6);
    r.airportX = i16(7), r.airportY = i16(8), r.mapScale = i16(9);
    r.distanceFlown = number<float>(field(10));
    r.missDistance = number<float>(field(11));
    r.firstSignalDistance = number<float>(field(12));
    if (!field(13).empty()) r.firstHeard = logbook::TrackPoint{i16(13), i16(14), i16(15), i16(16)};
    r.score = number<float>(field(17));
    r.scoreText = field(18);
    r.rating = field(19);
    r.hints = number<int>(field(20));
    r.bearingUsed = field(21) == "t";
    r.minutes = number<double>(field(22));
    r.exercise = field(23);
    r.track = storage::unpackTrack(fromHex(field(24)));
    return r;
}

} // namespace

logbook::ClassReply readRole(Connection& connection, bool& instructor) {
    Connection::Rows rows;
    const Answer answer = connection.run(
        "SELECT pg_has_role(current_user, 'vantrel_instructor', 'member')", {}, &rows);
    instructor = answer.ok() && !rows.rows.empty() && rows.rows[0][0] == "t";
    return replyOf(answer);
}

logbook::ClassReply readExercises(Connection& connection, std::vector<logbook::Exercise>& out) {
    Connection::Rows rows;
    const Answer answer = connection.run("SELECT name, airport_x, airport_y, vor_x, vor_y, "
                                         "elt_x, elt_y FROM public.exercises ORDER BY made_at, "
                                         "name COLLATE \"C\"",
                                         {}, &rows);
    for (const auto& row : rows.rows)
        out.push_back({row[0], number<std::int16_t>(row[1]), number<std::int16_t>(row[2]),
                       number<std::int16_t>(row[3]), number<std::int16_t>(row[4]),
                       number<std::int16_t>(row[5]), number<std::int16_t>(row[6])});
    return replyOf(answer);
}

logbook::ClassReply publishExercise(Connection& connection, const logbook::Exercise& e) {
    return replyOf(
        addExercise(connection, e.name, {e.airportX, e.airportY, e.vorX, e.vorY, e.eltX, e.eltY}),
        kPublishOnly);
}

logbook::ClassReply readRoster(Connection& connection, std::vector<logbook::RosterRow>& out) {
    Connection::Rows rows;
    const Answer answer = connection.run(
        "SELECT trainee, searches, reveals, best_score, best_text, last_ten, ten_before, "
        "time_utc FROM public.class_roster ORDER BY trainee COLLATE \"C\"",
        {}, &rows);
    for (const auto& row : rows.rows)
        out.push_back({row[0], number<int>(row[1]), number<int>(row[2]), maybe<float>(row[3]),
                       row[4], maybe<double>(row[5]), maybe<double>(row[6]), row[7]});
    return replyOf(answer);
}

logbook::ClassReply readFlights(Connection& connection, const std::string& exercise,
                                std::vector<logbook::ExerciseFlight>& out) {
    Connection::Rows rows;
    Answer answer =
        connection.run("SELECT 1 FROM public.exercises WHERE name = $1", {exercise}, &rows);
    if (answer.ok() && rows.rows.empty())
        return {false, "The squadron has no exercise " + exercise + "."};
    // The ranking `vantrel-squadron report` prints, row for row.
    if (answer.ok())
        answer = connection.run(std::string("SELECT k.rank, ") + kRecordColumns +
                                    " FROM public.exercise_ranking($1) k JOIN "
                                    "public.class_records r USING (record_id) ORDER BY k.place",
                                {exercise}, &rows);
    if (!answer.ok()) return replyOf(answer);
    for (const auto& row : rows.rows) {
        std::map<std::string, std::int64_t> searches;
        out.push_back({number<int>(row[0]), row.back(), recordOf(row, 1, searches)});
    }
    return {};
}

logbook::ClassReply readTraineeRecords(Connection& connection, const std::string& trainee,
                                       std::vector<logbook::SearchRecord>& out) {
    Connection::Rows rows;
    const Answer answer = connection.run(std::string("SELECT ") + kRecordColumns +
                                             " FROM public.class_records r WHERE r.trainee = $1 "
                                             "ORDER BY r.time_utc, r.received_at",
                                         {trainee}, &rows);
    std::map<std::string, std::int64_t> searches;
    for (const auto& row : rows.rows) {
        out.push_back(recordOf(row, 0, searches));
        out.back().id = static_cast<std::int64_t>(out.size());
    }
    return replyOf(answer);
}

// What a request's thread hands its answer to: the receiver lives on the building thread and is
// gone once the reader is; `abandon` ends the thread's waits then.
struct ClassReader::Shared {
    std::mutex mutex;
    QObject* receiver = nullptr;
    std::atomic<bool> abandon = false;
    int running = 0; // request threads not yet ended
    std::condition_variable ended;
};

namespace {

// Abandoned waits end within a tenth of a second; this leaves room for closing the connection,
// so that no thread is still inside libpq while the program ends.
constexpr auto kEndingWait = std::chrono::milliseconds(500);

} // namespace

ClassReader::ClassReader(Settings settings, Mode mode, int timeoutMs)
    : settings_(std::move(settings)), mode_(mode), timeoutMs_(timeoutMs),
      receiver_(std::make_unique<QObject>()), shared_(std::make_shared<Shared>()) {
    shared_->receiver = receiver_.get();
}

ClassReader::~ClassReader() {
    shared_->abandon = true;
    std::unique_lock lock(shared_->mutex);
    shared_->receiver = nullptr;
    shared_->ended.wait_for(lock, kEndingWait, [this] { return shared_->running == 0; });
}

template <typename Result>
void ClassReader::request(std::function<logbook::ClassReply(Connection&, Result&)> work,
                          std::function<void(logbook::ClassReply, Result)> done) {
    if (mode_ == Mode::Synchronous) {
        Connection connection(settings_, timeoutMs_);
        Result result{};
        logbook::ClassReply reply = work(connection, result);
        done(std::move(reply), std::move(result));
        return;
    }
    // Detached: the window never waits for it; a late answer is dropped. Only the reader's end
    // waits, briefly, for the threads it abandons.
    {
        std::lock_guard lock(shared_->mutex);
        ++shared_->running;
    }
    std::thread([settings = settings_, timeoutMs = timeoutMs_, shared = shared_,
                 work = std::move(work), done = std::move(done)]() mutable {
        Result result{};
        logbook::ClassReply reply;
        {
            Connection connection(std::move(settings), timeoutMs);
            connection.abandonWhen(&shared->abandon);
            reply = work(connection, result);
        }
        std::lock_guard lock(shared->mutex);
        if (shared->receiver)
            QMetaObject::invokeMethod(
                shared->receiver,
                [done = std::move(done), reply = std::move(reply), result = std::move(result)] {
                    done(reply, result);
                },
                Qt::QueuedConnection);
        --shared->running;
        shared->ended.notify_all();
    }).detach();
}

void ClassReader::role(std::function<void(logbook::ClassReply, bool)> done) {
    request<bool>(readRole, std::move(done));
}

void ClassReader::exercises(
    std::function<void(logbook::ClassReply, std::vector<logbook::Exercise>)> done) {
    request<std::vector<logbook::Exercise>>(readExercises, std::move(done));
}

void ClassReader::publish(const logbook::Exercise& exercise,
                          std::function<void(logbook::ClassReply)> done) {
    request<bool>([exercise](Connection& c, bool&) { return publishExercise(c, exercise); },
                  [done = std::move(done)](logbook::ClassReply reply, bool) { done(reply); });
}

void ClassReader::roster(
    std::function<void(logbook::ClassReply, std::vector<logbook::RosterRow>)> done) {
    request<std::vector<logbook::RosterRow>>(readRoster, std::move(done));
}

void ClassReader::flights(
    const std::string& exercise,
    std::function<void(logbook::ClassReply, std::vector<logbook::ExerciseFlight>)> done) {
    request<std::vector<logbook::ExerciseFlight>>(
        [exercise](Connection& c, std::vector<logbook::ExerciseFlight>& out) {
            return readFlights(c, exercise, out);
        },
        std::move(done));
}

void ClassReader::traineeRecords(
    const std::string& trainee,
    std::function<void(logbook::ClassReply, std::vector<logbook::SearchRecord>)> done) {
    request<std::vector<logbook::SearchRecord>>(
        [trainee](Connection& c, std::vector<logbook::SearchRecord>& out) {
            return readTraineeRecords(c, trainee, out);
        },
        std::move(done));
}

} // namespace squadron

// SPDX-License-Identifier: MIT
// vantrel-bench-logbook: the logbook store on a real SQLite file in a temporary folder. Writing
// one record with a track of 2,000 steps, beside one with no track and a bare insert of the
// same bytes; opening and listing a logbook of 10,000 records, beside a bare scan of the same
// rows; opening one of 100,000 records; the file's size after one search revealed 1,000 times;
// sending 10,000 records to a squadron in batches of 500, beside reading them all at once.
// Takes Google Benchmark's options.
#include "storage/sqlite_store.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

constexpr int kListed = 10000;
constexpr int kListedTrack = 500; // steps of each listed record's track
constexpr int kLong = 100000;     // records of a logbook kept for years
constexpr int kRevealed = 1000;   // Reveals of one search, one step apart

logbook::SearchRecord makeRecord(int steps) {
    logbook::SearchRecord r;
    r.timeUtc = "2026-12-07T14:03:59Z";
    r.eltX = 120;
    r.eltY = 80;
    r.vorX = 150;
    r.vorY = 150;
    r.airportX = 20;
    r.airportY = 380;
    r.mapScale = 8;
    for (int i = 0; i < steps; ++i)
        r.track.push_back({static_cast<std::int16_t>(20 + i % 300),
                           static_cast<std::int16_t>(380 - i % 300),
                           static_cast<std::int16_t>(i % 360), 4});
    r.firstHeard = logbook::TrackPoint{60, 200, 45, 4};
    r.distanceFlown = 41.5f;
    r.missDistance = 0.25f;
    r.firstSignalDistance = 12.5f;
    r.score = 3.5f;
    r.scoreText = "3.5";
    r.rating = "Excellent";
    r.hints = 2;
    r.minutes = 17.25;
    return r;
}

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

void appendBench(benchmark::State& state) {
    storage::SqliteStore store(folder().filePath("append.sqlite").toStdString());
    if (!store.open().ok()) return state.SkipWithError("cannot open the logbook");
    const logbook::SearchRecord record = makeRecord(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        logbook::SearchRecord copy = record;
        if (!store.append(copy).ok()) return state.SkipWithError("append failed");
    }
    state.SetItemsProcessed(state.iterations());
}

// Baseline: one transaction inserting a row and the same 16,000 bytes through Qt SQL, with the
// journal and sync settings the logbook uses.
void bareInsertBench(benchmark::State& state) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bare");
        db.setDatabaseName(folder().filePath("bare.sqlite"));
        db.open();
        QSqlQuery query(db);
        query.exec("PRAGMA journal_mode = WAL");
        query.exec("PRAGMA synchronous = NORMAL");
        query.exec("CREATE TABLE t(id INTEGER PRIMARY KEY, n INTEGER, b BLOB)");
        const QByteArray blob(2000 * 8, 'x');
        for (auto _ : state) {
            query.exec("BEGIN IMMEDIATE");
            query.prepare("INSERT INTO t(n, b) VALUES(?, ?)");
            query.addBindValue(1);
            query.addBindValue(blob);
            query.exec();
            query.exec("COMMIT");
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("bare");
    state.SetItemsProcessed(state.iterations());
}

// A logbook of `records` records, a third of whose searches are revealed three times, written
// once for the benchmarks that read it.
const std::string& logbookOf(int records) {
    static std::map<int, std::string> made;
    auto& path = made[records];
    if (!path.empty()) return path;
    path = folder().filePath(QStringLiteral("listed-%1.sqlite").arg(records)).toStdString();
    storage::SqliteStore store(path);
    store.open();
    const logbook::SearchRecord record = makeRecord(kListedTrack);
    std::int64_t search = 0;
    for (int i = 0; i < records; ++i) {
        logbook::SearchRecord copy = record;
        copy.search = i % 3 == 0 ? 0 : search;
        store.append(copy);
        search = copy.search;
    }
    return path;
}

const std::string& listedLogbook() {
    return logbookOf(kListed);
}

void openBench(benchmark::State& state) {
    const std::string& path = logbookOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        storage::SqliteStore store(path);
        if (!store.open().ok()) return state.SkipWithError("cannot open the logbook");
    }
}

void listBench(benchmark::State& state) {
    storage::SqliteStore store(listedLogbook());
    if (!store.open().ok()) return state.SkipWithError("cannot open the logbook");
    for (auto _ : state) {
        const auto records = store.records();
        if (records.size() != kListed) return state.SkipWithError("records lost");
    }
    state.SetItemsProcessed(state.iterations() * kListed);
}

// The outbox's round: the records a squadron has not confirmed, 500 at a time with their
// tracks, each batch then marked as confirmed, until none is left. A squadron of its own for
// each iteration, so that every one sends the whole logbook.
void outboxBench(benchmark::State& state) {
    storage::SqliteStore store(listedLogbook());
    if (!store.open().ok()) return state.SkipWithError("cannot open the logbook");
    const int batch = static_cast<int>(state.range(0));
    static int round = 0; // Google Benchmark calls this more than once
    double readSeconds = 0;
    for (auto _ : state) {
        const std::string squadron = "bench-" + std::to_string(++round);
        int sent = 0;
        const auto read = [&] {
            const auto start = std::chrono::steady_clock::now();
            auto records = store.unsent(squadron, batch);
            readSeconds +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            return records;
        };
        for (auto records = read(); !records.empty(); records = read()) {
            std::vector<std::string> ids;
            for (const auto& r : records)
                ids.push_back(r.recordId);
            if (!store.markSent(ids, squadron).ok()) return state.SkipWithError("markSent failed");
            sent += static_cast<int>(records.size());
        }
        if (sent != kListed) {
            return state.SkipWithError("records lost");
        }
    }
    state.SetItemsProcessed(state.iterations() * kListed);
    // The reading alone, without the marking.
    state.counters["read_ms"] = 1000 * readSeconds / static_cast<double>(state.iterations());
}

// Baseline: every record with its track, in one go.
void listWithTracksBench(benchmark::State& state) {
    storage::SqliteStore store(listedLogbook());
    if (!store.open().ok()) return state.SkipWithError("cannot open the logbook");
    for (auto _ : state) {
        const auto records = store.records(true);
        if (records.size() != kListed) return state.SkipWithError("records lost");
    }
    state.SetItemsProcessed(state.iterations() * kListed);
}

// One search flown on and revealed again after every step, as a player checking the score might:
// each Reveal's record carries the whole track so far. The file's size, closed, is the figure.
void revealedAgainBench(benchmark::State& state) {
    const QString path = folder().filePath(QStringLiteral("revealed-again.sqlite"));
    double bytes = 0;
    for (auto _ : state) {
        {
            storage::SqliteStore store(path.toStdString());
            if (!store.open().ok()) return state.SkipWithError("cannot open the logbook");
            logbook::SearchRecord record = makeRecord(0);
            for (int i = 0; i < kRevealed; ++i) {
                record.track.push_back({static_cast<std::int16_t>(20 + i % 300),
                                        static_cast<std::int16_t>(380 - i % 300),
                                        static_cast<std::int16_t>(i % 360), 4});
                record.id = 0;
                record.recordId.clear();
                if (!store.append(record).ok()) return state.SkipWithError("append failed");
            }
        }
        bytes = static_cast<double>(QFileInfo(path).size());
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(path + suffix);
    }
    state.counters["file_MB"] = bytes / 1e6;
}

// Baseline: the same rows stepped through by a bare query, none of them kept.
void bareScanBench(benchmark::State& state) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "scan");
        db.setDatabaseName(QString::fromStdString(listedLogbook()));
        db.open();
        for (auto _ : state) {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            query.exec("SELECT r.*, s.* FROM reveals r JOIN searches s ON s.id = r.search_id");
            int rows = 0;
            while (query.next())
                ++rows;
            benchmark::DoNotOptimize(rows);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("scan");
    state.SetItemsProcessed(state.iterations() * kListed);
}

// The integrity check each open runs, alone.
void quickCheckBench(benchmark::State& state) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
        db.setDatabaseName(QString::fromStdString(listedLogbook()));
        db.open();
        for (auto _ : state) {
            QSqlQuery query(db);
            query.exec("PRAGMA quick_check");
            query.next();
            benchmark::DoNotOptimize(query.value(0));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("check");
}

// Prints the table as usual and, at the end, each figure against its goal.
class GoalReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs)
            if (!run.error_occurred) ms_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        goal("append/steps:2000", 5);
        goal("open/records:10000", 200);
        goal("open/records:100000", 200);
        goal("records/records:10000", 200);
        goal("outbox/records:10000/batch:500", 1000);
    }

private:
    void goal(const std::string& name, double ms) {
        const auto found = ms_.find(name);
        if (found == ms_.end()) return;
        std::printf("%s: %.2f ms (goal: under %.0f ms): %s\n", name.c_str(), found->second, ms,
                    found->second < ms ? "met" : "MISSED");
    }
    std::map<std::string, double> ms_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // Qt SQL loads its SQLite driver as a plugin
    using benchmark::RegisterBenchmark;
    const auto ms = benchmark::kMillisecond;
    RegisterBenchmark("append", appendBench)->ArgName("steps")->Arg(2000)->Unit(ms);
    RegisterBenchmark("baseline:append", appendBench)->ArgName("steps")->Arg(0)->Unit(ms);
    RegisterBenchmark("baseline:bareInsert16000Bytes", bareInsertBench)->Unit(ms);
    RegisterBenchmark("open", openBench)->ArgName("records")->Arg(kListed)->Arg(kLong)->Unit(ms);
    RegisterBenchmark("quickCheck/records:10000", quickCheckBench)->Unit(ms);
    RegisterBenchmark("records/records:10000", listBench)->Unit(ms);
    RegisterBenchmark("baseline:bareScan/records:10000", bareScanBench)->Unit(ms);
    RegisterBenchmark("revealedAgain/reveals:1000", revealedAgainBench)->Iterations(1)->Unit(ms);
    RegisterBenchmark("outbox/records:10000", outboxBench)->ArgName("batch")->Arg(500)->Unit(ms);
    RegisterBenchmark("baseline:recordsWithTracks/records:10000", listWithTracksBench)->Unit(ms);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

// SPDX-License-Identifier: MIT
// vantrel-bench-reveal: writing one Reveal's record into the logbook as the game does (its own
// connection never waits; what the file will not take is held and written from a thread of its
// own), on a free file beside a file another program holds locked. The two should take about
// as long: a lock may never hold the window. Then the same Reveal handed to the squadron, with
// its server blackholed (a listener that takes connections and never answers), beside one with
// no squadron: the network may never hold the window either. Takes Google Benchmark's options.
#include "logbook/logbook.h"
#include "squadron/outbox.h"
#include "storage/background_writer.h"
#include "storage/sqlite_store.h"

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <memory>
#include <netinet/in.h>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

logbook::SearchRecord revealOf(int steps) {
    logbook::SearchRecord r;
    r.timeUtc = "2026-12-07T14:03:59Z";
    r.eltX = 120, r.eltY = 80, r.vorX = 150, r.vorY = 150, r.airportX = 20, r.airportY = 380;
    r.mapScale = 4;
    for (int i = 0; i < steps; ++i)
        r.track.push_back({static_cast<std::int16_t>(20 + i % 300),
                           static_cast<std::int16_t>(380 - i % 300), 0, 4});
    r.distanceFlown = 41.5f;
    r.scoreText = "3.5";
    r.rating = "Excellent";
    return r;
}

// A port on loopback whose connections the kernel completes and nobody ever reads.
class Blackhole {
public:
    Blackhole() : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(socket_, reinterpret_cast<sockaddr*>(&address), size);
        ::listen(socket_, 64);
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
    }
    ~Blackhole() { ::close(socket_); }
    int port() const { return port_; }

private:
    int socket_;
    int port_ = 0;
};

// Another program inside a write transaction on the file, for as long as it lives.
class Holder {
public:
    explicit Holder(const QString& path) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "holder");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery(db).exec("BEGIN EXCLUSIVE");
    }
    ~Holder() {
        {
            QSqlDatabase db = QSqlDatabase::database("holder", false);
            QSqlQuery(db).exec("ROLLBACK");
            db.close();
        }
        QSqlDatabase::removeDatabase("holder");
    }
};

// One Reveal of a search of 500 steps into a logbook opened beforehand, as in the game; with
// range(0) set, the file is held by another program meanwhile.
void revealBench(benchmark::State& state) {
    const bool locked = state.range(0) != 0;
    const std::string path =
        folder().filePath(locked ? "locked.sqlite" : "free.sqlite").toStdString();
    const logbook::SearchRecord record = revealOf(500);
    for (auto _ : state) {
        state.PauseTiming();
        {
            logbook::Logbook book(std::make_unique<storage::SqliteStore>(
                                      path, storage::SqliteOptions{.busyTimeoutMs = 0}),
                                  std::make_unique<storage::BackgroundWriter>(path));
            book.count(); // opened, as after the first Reveal of a run
            std::unique_ptr<Holder> holder;
            if (locked) holder = std::make_unique<Holder>(QString::fromStdString(path));
            logbook::SearchRecord copy = record;
            state.ResumeTiming();
            book.write(copy);
            state.PauseTiming();
            if ((copy.id < 0) != locked) return state.SkipWithError("the record went astray");
            holder.reset();
            book.keepHeld(5000);
        }
        state.ResumeTiming();
    }
}
// A fixed count: each try opens a logbook and writes the held record afterwards, untimed.
BENCHMARK(revealBench)
    ->ArgName("locked")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(200)
    ->Unit(benchmark::kMicrosecond);

// range(0): 0 no squadron, 1 a squadron whose server is blackholed. Every Reveal of the run
// waits in the outbox, so the thread keeps knocking at the blackhole meanwhile.
void squadronRevealBench(benchmark::State& state) {
    const bool blackholed = state.range(0) != 0;
    const std::string path =
        folder().filePath(blackholed ? "blackholed.sqlite" : "alone.sqlite").toStdString();
    Blackhole blackhole;
    logbook::Logbook book(
        std::make_unique<storage::SqliteStore>(path, storage::SqliteOptions{.busyTimeoutMs = 0}));
    book.count(); // opened, as after the first Reveal of a run
    std::unique_ptr<logbook::SquadronLink> link;
    if (blackholed)
        link = squadron::makeOutbox(path, {{"host", "127.0.0.1"},
                                           {"port", std::to_string(blackhole.port())},
                                           {"dbname", "squadron"},
                                           {"user", "cadet"},
                                           {"sslmode", "disable"}});
    const logbook::SearchRecord record = revealOf(500);
    for (auto _ : state) {
        logbook::SearchRecord copy = record;
        book.write(copy);
        if (link) link->nudge();
        if (copy.id <= 0) return state.SkipWithError("the record was not written");
    }
    if (link && link->status().state == logbook::SquadronState::Online)
        state.SkipWithError("the blackhole answered");
}
BENCHMARK(squadronRevealBench)
    ->ArgName("blackholed")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(300)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // Qt SQL loads its SQLite driver as a plugin
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

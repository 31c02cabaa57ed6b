// SPDX-License-Identifier: MIT
// vantrel-bench-squadron-reveal: one Reveal written into the logbook and handed to the squadron
// as the game does, with the squadron's server blackholed (a listener that takes connections
// and never answers), beside the same Reveal with no squadron. The network may never hold the
// window, so the two should take about as long. Takes Google Benchmark's options.
#include "logbook/logbook.h"
#include "squadron/outbox.h"
#include "storage/sqlite_store.h"

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <memory>
#include <netinet/in.h>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
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

// range(0): 0 no squadron, 1 a squadron whose server is blackholed. Every Reveal of the run
// waits in the outbox, so the thread keeps knocking at the blackhole meanwhile.
void squadronRevealBench(benchmark::State& state) {
    const bool blackholed = state.range(0) != 0;
    const std::string path =
        folder().filePath(blackholed ? "blackholed.sqlite" : "alone.sqlite").toStdString();
    Blackhole blackhole;
    logbook::Logbook book(std::make_unique<storage::SqliteStore>(
        path, storage::SqliteOptions{.busyTimeoutMs = 0}));
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

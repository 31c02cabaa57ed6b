// SPDX-License-Identifier: MIT
// vantrel-bench-logbook-window: Game, Logbook... on a logbook of 10,000 searches, from the menu
// click to the window's first frame (the file opened, every record listed, the table, chart and
// figures filled and drawn), beside the same on an empty logbook, in turn in one process.
//   vantrel-bench-logbook-window [--rounds N] [--records N]
#include "bench_app.h"
#include "game/game.h"
#include "game/logbook_keeping.h"
#include "machine_load.h"
#include "options.h"
#include "paint_watch.h"
#include "sample_stats.h"
#include "storage/sqlite_store.h"
#include "ui/qt/form_window.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"
#include "ui/qt/surface_widget.h"

#include <cstdio>
#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

using bench::Clock;

// A logbook as a keen pilot would have it after years: searches of 200 steps each.
void fill(const std::string& path, int records) {
    storage::SqliteStore store(path);
    store.open();
    for (int i = 0; i < records; ++i) {
        logbook::SearchRecord r;
        r.timeUtc = "2026-01-01T10:00:00Z";
        r.eltX = 100, r.eltY = 100, r.vorX = 60, r.vorY = 60, r.airportX = 140, r.airportY = 140;
        r.mapScale = 4;
        for (std::int16_t s = 0; s < 200; ++s)
            r.track.push_back({std::int16_t(140 - s / 2), 140, 0, 4});
        r.score = float((i * 37) % 101);
        r.scoreText = std::to_string(int(r.score));
        r.rating = "* Observer *";
        r.distanceFlown = 50;
        r.missDistance = 1.5f;
        store.append(r);
    }
}

double openLogbookWindow(const std::string& path) {
    ui::qt::QtHost host;
    ui::Runtime runtime{host};
    ui::qt::Renderer renderer{runtime};
    host.setRenderer(&renderer);
    double elapsed = 0;
    {
        Game game(runtime);
        game.logbook =
            std::make_unique<logbook::Logbook>(std::make_unique<storage::SqliteStore>(path));
        const auto began = Clock::now();
        showLogbook(game);
        renderer.syncNow();
        bench::PaintWatch watch(renderer.windowOf(*game.logbookWindow)->client());
        if (!watch.waitForPaint()) std::fprintf(stderr, "the window was never painted\n");
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        elapsed = std::chrono::duration<double, std::milli>(Clock::now() - began).count();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return elapsed;
}

} // namespace

int main(int argc, char** argv) {
    bench::checkOptions(
        argc, argv,
        "usage: vantrel-bench-logbook-window [--rounds N] [--records N]\n"
        "Measures Game, Logbook... to its first frame on N records (10000), N rounds (10).\n",
        {"--rounds", "--records"});
    auto app = bench::startApplication(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int rounds = std::max(1, bench::intOption(args, "--rounds", 10));
    const int records = std::max(1, bench::intOption(args, "--records", 10000));

    QTemporaryDir folder;
    const std::string full = folder.filePath("full.sqlite").toStdString();
    const std::string empty = folder.filePath("empty.sqlite").toStdString();
    fill(full, records);
    fill(empty, 0);
    openLogbookWindow(empty); // the first window of a process loads the fonts and the style
    openLogbookWindow(full);
    std::vector<double> times[2];
    for (int round = 0; round < rounds; ++round)
        for (int k = 0; k < 2; ++k) {
            const int which = (round + k) % 2;
            times[which].push_back(openLogbookWindow(which ? full : empty));
        }
    const auto e = bench::summarize(times[0]);
    const auto f = bench::summarize(times[1]);
    std::printf("Game, Logbook... to the first frame (ms), %d rounds each; load average %s\n",
                rounds, bench::loadAverage().c_str());
    std::printf("  %-28s median %8.2f  min %8.2f  max %8.2f\n", "empty logbook", e.median, e.min,
                e.max);
    std::printf("  %-28s median %8.2f  min %8.2f  max %8.2f\n",
                (std::to_string(records) + " records").c_str(), f.median, f.min, f.max);
    std::printf("  goal: under 200 ms on %d records: %s\n", records,
                f.median < 200 ? "met" : "MISSED");
    return 0;
}

// SPDX-License-Identifier: MIT
// vantrel-bench-debrief-replay: one frame of the debrief's replay on real widgets (the replay
// moved on a sixtieth of a second, the aircraft symbol moved, the window synced and painted to
// an image), against painting the same window to an image with nothing moved; and drawing the
// whole debrief once, the ELT's picture placed clear of the track.
//   vantrel-bench-debrief-replay [--frames N]
#include "bench_app.h"
#include "debrief/debrief_window.h"
#include "machine_load.h"
#include "options.h"
#include "paint_watch.h"
#include "sample_stats.h"
#include "ui/qt/form_window.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"
#include "ui/qt/surface_widget.h"
#include "ui/window_slot.h"

#include <algorithm>
#include <cstdio>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <vector>

namespace {

using bench::Clock;

double ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// A search of `steps` cruise steps flown as a ladder of east and west rows from the bottom of the
// map upwards, turning north at each end: as long a track as a search ever records.
logbook::SearchRecord ladderSearch(int steps) {
    logbook::SearchRecord r;
    r.timeUtc = "2026-12-07T14:03:59Z";
    r.eltX = 150, r.eltY = 30, r.vorX = 100, r.vorY = 100, r.airportX = 10, r.airportY = 190;
    r.mapScale = 4;
    logbook::TrackPoint at{10, 190, 90, 4};
    r.track.push_back(at);
    int dx = 4;
    for (int i = 1; i < steps; ++i) {
        const bool turn = (dx > 0 && at.x >= 186) || (dx < 0 && at.x <= 14);
        if (turn) {
            at = {at.x, static_cast<std::int16_t>(std::max(at.y - 4, 10)), 0, 4};
            dx = -dx;
        } else {
            at = {static_cast<std::int16_t>(at.x + dx), at.y,
                  static_cast<std::int16_t>(dx > 0 ? 90 : 270), 4};
        }
        r.track.push_back(at);
    }
    r.firstHeard = r.track[r.track.size() / 2];
    r.rating = "* Observer *";
    r.scoreText = "33";
    return r;
}

struct Frames {
    std::vector<double> frame, advanceAndSync, paint, paintAlone;
    std::vector<double> draw; // drawing the whole debrief: map, track, marks, the ELT's place
};

void print(const char* name, const std::vector<double>& samples) {
    const auto s = bench::summarize(samples);
    std::printf("  %-40s %8.3f %8.3f %8.3f %8.3f\n", name, s.median, s.p99, s.min, s.max);
}

Frames measure(int trackSteps, int frames) {
    ui::qt::QtHost host;
    ui::Runtime runtime{host};
    ui::qt::Renderer renderer{runtime};
    Frames f;
    {
        ui::WindowSlot<DebriefWindow> slot{runtime, buildDebriefWindow};
        DebriefWindow& w = *slot;
        const logbook::SearchRecord search = ladderSearch(trackSteps);
        for (int i = 0; i < 50; ++i) {
            const auto began = Clock::now();
            drawDebrief(w, search, {search.track.back()});
            f.draw.push_back(ms(began, Clock::now()));
        }
        showDebrief(w, search, {});
        renderer.syncNow();
        QWidget* client = renderer.windowOf(w)->client();
        QImage image(client->size(), QImage::Format_ARGB32_Premultiplied);
        auto paint = [&] {
            QPainter painter(&image);
            client->render(&painter);
        };
        w.replay.setSpeed(8);
        auto frame = [&](std::vector<double>* total, std::vector<double>* sync,
                         std::vector<double>* painted) {
            if (!w.replay.playing()) w.replay.play();
            const auto began = Clock::now();
            w.replay.advance(1 / 60.0);
            w.showReplay();
            renderer.syncNow();
            const auto synced = Clock::now();
            paint();
            const auto done = Clock::now();
            if (total) total->push_back(ms(began, done));
            if (sync) sync->push_back(ms(began, synced));
            if (painted) painted->push_back(ms(synced, done));
            QCoreApplication::processEvents();
        };
        for (int i = 0; i < 30; ++i) // warm-up
            frame(nullptr, nullptr, nullptr);
        for (int i = 0; i < frames; ++i)
            frame(&f.frame, &f.advanceAndSync, &f.paint);
        for (int i = 0; i < frames; ++i) {
            const auto began = Clock::now();
            paint();
            f.paintAlone.push_back(ms(began, Clock::now()));
            QCoreApplication::processEvents();
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return f;
}

} // namespace

int main(int argc, char** argv) {
    bench::checkOptions(argc, argv,
                        "usage: vantrel-bench-debrief-replay [--frames N]\n"
                        "Measures one replay frame of the debrief window, N frames (1000).\n",
                        {"--frames"});
    auto app = bench::startApplication(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int frames = std::max(10, bench::intOption(args, "--frames", 1000));

    std::printf("One replay frame on the debrief window, painted to an image (ms), %d frames; "
                "load average %s\n",
                frames, bench::loadAverage().c_str());
    std::printf("  %-40s %8s %8s %8s %8s\n", "", "median", "p99", "min", "max");
    double worstMedian = 0;
    for (int steps : {40, 2000}) {
        const Frames f = measure(steps, frames);
        std::printf(" a track of %d steps:\n", steps);
        print("frame: advance, move, sync, paint", f.frame);
        print("  of which advance, move, sync", f.advanceAndSync);
        print("  of which paint", f.paint);
        print("baseline: paint alone, nothing moved", f.paintAlone);
        print("drawing the debrief (not a frame)", f.draw);
        worstMedian = std::max(worstMedian, bench::summarize(f.frame).median);
    }
    // The p99 and max follow the machine's load (see the baseline beside them); the median is
    // what the replay costs.
    std::printf("  goal: a frame's median under 8 ms, half of 16.7 ms: %s\n",
                worstMedian < 8 ? "met" : "MISSED");
    return 0;
}

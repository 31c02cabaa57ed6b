// SPDX-License-Identifier: MIT
// vantrel-bench-step: one step of the aircraft on real widgets, from the click on an arrow to
// the window painted, against repainting a bare window of the same size.
//   vantrel-bench-step [--steps N]
#include "bare_window.h"
#include "bench_app.h"
#include "machine_load.h"
#include "options.h"
#include "paint_watch.h"
#include "real_game.h"
#include "sample_stats.h"
#include "ui/qt/form_window.h"

#include <algorithm>
#include <cstdio>
#include <QAbstractButton>
#include <QCoreApplication>
#include <QStringList>
#include <vector>

namespace {

using bench::Clock;

double ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// What a user's pause between two clicks lets happen: queued updates, timer ticks.
void pause() {
    QCoreApplication::processEvents();
}

void print(const char* name, const std::vector<double>& samples) {
    const auto s = bench::summarize(samples);
    std::printf("  %-38s %8.3f %8.3f %8.3f %8.3f\n", name, s.median, s.p99, s.min, s.max);
}

struct StepTimes {
    std::vector<double> total, clickAndSync, repaint;
};

// Every fifth step turns right, so the aircraft flies an octagon 60 units across and never
// leaves the map (leaving it would bring up a message box at the next tick). `alsoPainted`, when
// given, is a widget the step is made to repaint as well.
StepTimes flySteps(bench::RealGame& g, int steps, QWidget* alsoPainted = nullptr) {
    MainWindow& w = g.main();
    ui::qt::FormWindow& window = *g.renderer.windowOf(w);
    QWidget* client = g.client();
    auto* up = static_cast<QAbstractButton*>(window.widgetOf(*w.cmdUp));
    auto* right = static_cast<QAbstractButton*>(window.widgetOf(*w.cmdRight));
    auto toTheMiddle = [&g] {
        g.game.search.aircraftX = 100;
        g.game.search.aircraftY = 100;
        g.game.search.heading = 0;
    };
    toTheMiddle();
    pause();

    StepTimes t;
    for (int i = 0; i < steps; ++i) {
        if (i > 0 && i % 400 == 0) {
            // A new search now and then, so the coaching never reaches its long-search box.
            g.runtime.click(*w.cmdStart);
            g.renderer.syncNow();
            toTheMiddle();
            pause();
        }
        QAbstractButton* arrow = i % 5 == 0 ? right : up;
        const auto began = Clock::now();
        arrow->click();
        g.renderer.syncNow();
        if (alsoPainted) alsoPainted->update();
        const auto synced = Clock::now();
        client->repaint();
        const auto painted = Clock::now();
        t.total.push_back(ms(began, painted));
        t.clickAndSync.push_back(ms(began, synced));
        t.repaint.push_back(ms(synced, painted));
        pause();
    }
    return t;
}

std::vector<double> repaintTimes(QWidget* client, int count) {
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const auto began = Clock::now();
        client->repaint();
        times.push_back(ms(began, Clock::now()));
        pause();
    }
    return times;
}

// Every widget of the window painted afresh, as when the window is uncovered.
std::vector<double> wholeWindowTimes(QWidget* client, int count) {
    const auto children = client->findChildren<QWidget*>();
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const auto began = Clock::now();
        for (QWidget* child : children)
            child->update();
        client->repaint();
        times.push_back(ms(began, Clock::now()));
        pause();
    }
    return times;
}

void showAndWait(QWidget* window, QWidget* client) {
    bench::PaintWatch watch(client);
    window->show();
    watch.waitForPaint();
    pause();
}

} // namespace

int main(int argc, char** argv) {
    auto app = bench::startApplication(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int steps = std::max(10, bench::intOption(args, "--steps", 2000));

    auto bare = bench::makeBareWindow();
    showAndWait(bare.get(), bench::bareClient(*bare));
    repaintTimes(bench::bareClient(*bare), 50); // warm-up
    const auto bareRepaint = repaintTimes(bench::bareClient(*bare), steps);
    bare.reset();

    StepTimes game, withMap;
    std::vector<double> gameRepaint, wholeWindow;
    {
        bench::RealGame g;
        QWidget* client = g.loadMainWindow();
        g.start();
        showAndWait(g.client()->window(), client);
        flySteps(g, 50); // warm-up
        game = flySteps(g, steps);
        QWidget* map = g.renderer.windowOf(g.main())->widgetOf(*g.main().Pic1);
        withMap = flySteps(g, steps, map);
        gameRepaint = repaintTimes(client, steps);
        wholeWindow = wholeWindowTimes(client, steps);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    std::printf("One step, from the click on an arrow to the window painted (ms), %d steps; "
                "load average %s\n",
                steps, bench::loadAverage().c_str());
    std::printf("  %-38s %8s %8s %8s %8s\n", "", "median", "p99", "min", "max");
    print("game: click to painted", game.total);
    print("  of which click, handler, sync", game.clickAndSync);
    print("  of which repaint", game.repaint);
    print("game: step, map surface repainted too", withMap.total);
    print("game: repaint alone, nothing changed", gameRepaint);
    print("game: every widget repainted", wholeWindow);
    print("bare window: repaint once", bareRepaint);
    const double median = bench::summarize(game.total).median;
    std::printf("  goal: median under 2 ms: %s\n", median < 2 ? "met" : "MISSED");
    return 0;
}

// SPDX-License-Identifier: MIT
// vantrel-bench-step: one step of the aircraft on real widgets, from the click on an arrow to
// the window painted, against repainting a bare window of the same size, at each zoom level.
//   vantrel-bench-step [--steps N] [--zoom LEVELS]
// --steps: steps at each level (default 2000); --zoom: the levels in percent, comma-separated
// (default 100,300). The levels take turns, a batch of steps each, so a change in the machine's
// load falls on all of them alike.
#include "bare_window.h"
#include "bench_app.h"
#include "game/view_menu.h"
#include "machine_load.h"
#include "options.h"
#include "paint_watch.h"
#include "real_game.h"
#include "sample_stats.h"
#include "ui/qt/form_window.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <QAbstractButton>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
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

void append(std::vector<double>& to, const std::vector<double>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

void append(StepTimes& to, const StepTimes& more) {
    append(to.total, more.total);
    append(to.clickAndSync, more.clickAndSync);
    append(to.repaint, more.repaint);
}

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

    StepTimes t;
    for (int i = 0; i < steps; ++i) {
        if (i % 400 == 0) {
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

// The game and a bare window at one zoom level, and what was measured on them.
struct AtZoom {
    explicit AtZoom(int level) : asked(level), bare(bench::makeBareWindow(level)) {
        showAndWait(bare.get(), bench::bareClient(*bare));
        g.loadMainWindow();
        g.start();
        setZoomLevel(g.game, asked);
        zoom = g.runtime.zoom();
        showAndWait(g.client()->window(), g.client());
        map = g.renderer.windowOf(g.main())->widgetOf(*g.main().Pic1);
        flySteps(g, 50); // warm-up
        repaintTimes(bench::bareClient(*bare), 50);
    }

    // One batch of each measurement.
    void measure(int count) {
        append(game, flySteps(g, count));
        append(withMap, flySteps(g, count, map));
        append(gameRepaint, repaintTimes(g.client(), count));
        append(wholeWindow, wholeWindowTimes(g.client(), count));
        append(bareRepaint, repaintTimes(bench::bareClient(*bare), count));
    }

    void print() const {
        std::printf("at %d %%", zoom);
        if (zoom != asked) std::printf(" (%d %% asked for: the screen is too small)", asked);
        std::printf("\n");
        ::print("game: click to painted", game.total);
        ::print("  of which click, handler, sync", game.clickAndSync);
        ::print("  of which repaint", game.repaint);
        ::print("game: step, map surface repainted too", withMap.total);
        ::print("game: repaint alone, nothing changed", gameRepaint);
        ::print("game: every widget repainted", wholeWindow);
        ::print("bare window: repaint once", bareRepaint);
        const double median = bench::summarize(game.total).median;
        std::printf("  goal: median under 2 ms: %s\n", median < 2 ? "met" : "MISSED");
    }

    int asked;
    std::unique_ptr<QMainWindow> bare;
    bench::RealGame g;
    int zoom = 100; // the level the screen let the game take
    QWidget* map = nullptr;
    StepTimes game, withMap;
    std::vector<double> gameRepaint, wholeWindow, bareRepaint;
};

std::vector<int> zoomLevelsAsked(const QStringList& args) {
    std::vector<int> levels;
    for (const QString& word : bench::wordOption(args, "--zoom").split(',', Qt::SkipEmptyParts))
        if (const int level = word.toInt(); level > 0) levels.push_back(level);
    if (levels.empty()) levels = {100, 300};
    return levels;
}

} // namespace

int main(int argc, char** argv) {
    bench::checkOptions(
        argc, argv,
        "usage: vantrel-bench-step [--steps N] [--zoom LEVEL,LEVEL...]\n"
        "Measures one step of the aircraft, click to painted, N steps (2000) at each zoom\n"
        "level (100,300).\n",
        {"--steps", "--zoom"});
    auto app = bench::startApplication(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int steps = std::max(10, bench::intOption(args, "--steps", 2000));
    constexpr int batch = 200;

    std::vector<std::unique_ptr<AtZoom>> levels;
    for (int level : zoomLevelsAsked(args))
        levels.push_back(std::make_unique<AtZoom>(level));
    for (int done = 0; done < steps; done += batch)
        for (auto& level : levels)
            level->measure(std::min(batch, steps - done));

    const QSize screen = QGuiApplication::primaryScreen()->availableSize();
    std::printf("One step, from the click on an arrow to the window painted (ms), %d steps; "
                "load average %s; screen %dx%d\n",
                steps, bench::loadAverage().c_str(), screen.width(), screen.height());
    std::printf("  %-38s %8s %8s %8s %8s\n", "", "median", "p99", "min", "max");
    for (const auto& level : levels)
        level->print();
    const auto& first = *levels.front();
    const auto base = bench::summarize(first.game.total);
    for (std::size_t i = 1; i < levels.size(); ++i) {
        const auto s = bench::summarize(levels[i]->game.total);
        std::printf("click to painted at %d %% against %d %%: median %.2f times, p99 %.2f times\n",
                    levels[i]->zoom, first.zoom, s.median / base.median, s.p99 / base.p99);
    }
    levels.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}

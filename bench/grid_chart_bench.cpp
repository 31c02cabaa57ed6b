// SPDX-License-Identifier: MIT
// vantrel-bench-grid-chart: a window holding a grid of 10,000 rows by 8 columns and a chart of
// 10,000 scores with 5 bands and a running average, from the forms to the first painted frame,
// beside the same window with the grid and the chart empty, measured in turn in one process.
//   vantrel-bench-grid-chart [--rounds N] [--rows N]
#include "bench_app.h"
#include "machine_load.h"
#include "options.h"
#include "paint_watch.h"
#include "sample_stats.h"
#include "ui/chart.h"
#include "ui/grid.h"
#include "ui/qt/form_window.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"
#include "ui/qt/surface_widget.h"
#include "ui/window_slot.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <QCoreApplication>
#include <QHeaderView>
#include <QTableView>
#include <vector>

namespace {

using bench::Clock;
using Rows = std::vector<std::vector<ui::GridCell>>;

// What the window shows, made before the clock starts: the logbook's own work is not measured.
struct Content {
    Rows rows;
    std::vector<ui::ChartBand> bands;
    std::vector<ui::ChartSeries> series;
};

const ui::Color scoreBlue{0, 0, 255};

Content logbookOf(int searches) {
    Content c;
    c.rows.reserve(static_cast<std::size_t>(searches));
    std::vector<double> scores, average;
    double sum = 0;
    for (int i = 0; i < searches; ++i) {
        const double score = (i * 37) % 101;
        sum += score;
        scores.push_back(score);
        average.push_back(sum / (i + 1));
        char date[32];
        std::snprintf(date, sizeof date, "2024-%02d-%02d %02d:%02d", 1 + i % 12, 1 + i % 28, i % 24,
                      i % 60);
        const auto n = [](double v) { return ui::GridCell{std::to_string(int(v)), v}; };
        c.rows.push_back({{date, double(i)},
                          n(score),
                          {score >= 90   ? "Excellent"
                           : score >= 50 ? "Fair"
                                         : "Poor",
                           score},
                          n(i % 300),
                          n(i % 17),
                          n(i % 7),
                          {i % 2 ? "yes" : "no", double(i % 2)},
                          n(10 + i % 90)});
    }
    c.bands = {{0, 20, {200, 0, 0}, "Poor"},
               {20, 50, {230, 120, 0}, "Weak"},
               {50, 70, {230, 200, 0}, "Fair"},
               {70, 90, {0, 0, 200}, "Good"},
               {90, 100, {0, 160, 0}, "Excellent"}};
    c.series = {{"Score", std::move(scores), scoreBlue, true},
                {"Average", std::move(average), {0, 0, 0}, false}};
    return c;
}

struct Timing {
    double built = 0;   // the form and every widget exist, hidden
    double shown = 0;   // the window shown, its first frame drawn and its events handled
    double grabbed = 0; // and all of it drawn once more into an image
    double sorted = 0;  // the table sorted by its score column, once, and drawn again
    bool lineDrawn = false;
};

// Pixels within a little of the colour, as an antialiased line leaves it.
int countOf(const QImage& image, ui::Color c) {
    const auto near = [](int a, int b) { return std::abs(a - b) < 40; };
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            n += near(qRed(p), c.r) && near(qGreen(p), c.g) && near(qBlue(p), c.b);
        }
    return n;
}

double ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

Timing measure(Content content) {
    ui::qt::QtHost host;
    ui::Runtime runtime{host};
    ui::qt::Renderer renderer{runtime};
    host.setRenderer(&renderer);
    ui::Grid* grid = nullptr;
    Timing t;
    const auto began = Clock::now();
    {
        ui::WindowSlot<ui::Form> slot{
            runtime, [&](ui::Runtime& rt) {
                auto form = std::make_unique<ui::Form>(rt, "frmLogbook", ui::WindowStyle::Main);
                form->setClientSize(12000, 9000);
                grid = &form->add<ui::Grid>("grdSearches");
                grid->setGeometry(120, 120, 11760, 4200);
                grid->setColumns(
                    {"Date", "Score", "Rating", "Miles", "Minutes", "Hints", "Bearing", "Miss"});
                grid->setRows(std::move(content.rows));
                auto& chart = form->add<ui::Chart>("chtScores");
                chart.setGeometry(120, 4440, 11760, 4440);
                chart.setData(std::move(content.bands), std::move(content.series));
                return form;
            }};
        slot.get();
        renderer.syncNow();
        t.built = ms(began, Clock::now());
        ui::qt::FormWindow& window = *renderer.windowOf(*slot.existing());
        bench::PaintWatch watch(window.client());
        slot->show();
        if (!watch.waitForPaint()) std::fprintf(stderr, "the window was never painted\n");
        // The chart lays itself out in posted events: they are part of its first frame.
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        t.shown = ms(began, Clock::now());
        const QImage frame = window.client()->grab().toImage();
        t.grabbed = ms(began, Clock::now());
        t.lineDrawn = countOf(frame, scoreBlue) > 0;
        auto* table = static_cast<QTableView*>(window.widgetOf(*grid));
        const auto sortBegan = Clock::now();
        table->sortByColumn(1, Qt::AscendingOrder);
        table->viewport()->repaint();
        t.sorted = ms(sortBegan, Clock::now());
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return t;
}

template <class F>
bench::Summary of(const std::vector<Timing>& runs, F stage) {
    std::vector<double> values;
    for (const auto& t : runs)
        values.push_back(stage(t));
    return bench::summarize(values);
}

} // namespace

int main(int argc, char** argv) {
    bench::checkOptions(argc, argv,
                        "usage: vantrel-bench-grid-chart [--rounds N] [--rows N]\n"
                        "Measures the logbook grid and chart of N rows (10000), N rounds (15).\n",
                        {"--rounds", "--rows"});
    auto app = bench::startApplication(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int rounds = std::max(1, bench::intOption(args, "--rounds", 15));
    const int searches = std::max(1, bench::intOption(args, "--rows", 10000));

    const Content logbook = logbookOf(searches);
    const std::array<const char*, 2> names{"empty grid and chart", "full grid and chart"};
    std::array<std::vector<Timing>, 2> runs;
    measure(Content{}); // the first window of a process loads the fonts and the style
    measure(logbook);
    for (int round = 0; round < rounds; ++round)
        for (int k = 0; k < 2; ++k) {
            const int which = (round + k) % 2;
            runs[which].push_back(measure(which ? logbook : Content{}));
        }

    std::printf("A window with a grid of %d rows x 8 columns and a chart of %d points, 5 bands and "
                "a running average (ms); load average %s\n",
                searches, searches, bench::loadAverage().c_str());
    std::printf("%d rounds of each, taken in turn, after one warm-up of each; from nothing to:\n",
                rounds);
    std::printf("  %-22s %10s %10s %10s %8s %8s   %9s\n", "medians, ms", "built", "shown",
                "grabbed", "min", "max", "sort");
    for (int k = 0; k < 2; ++k) {
        const auto grabbed = of(runs[k], [](const Timing& t) { return t.grabbed; });
        std::printf("  %-22s %10.2f %10.2f %10.2f %8.2f %8.2f   %9.2f\n", names[k],
                    of(runs[k], [](const Timing& t) { return t.built; }).median,
                    of(runs[k], [](const Timing& t) { return t.shown; }).median, grabbed.median,
                    grabbed.min, grabbed.max,
                    of(runs[k], [](const Timing& t) { return t.sorted; }).median);
    }
    bool drawn = true;
    for (const auto& t : runs[1])
        drawn = drawn && t.lineDrawn;
    const double full = of(runs[1], [](const Timing& t) { return t.grabbed; }).median;
    const double empty = of(runs[0], [](const Timing& t) { return t.grabbed; }).median;
    std::printf("  the full window costs %.2f ms more than the empty one; the score line was %s\n",
                full - empty, drawn ? "drawn every time" : "MISSING from a frame");
    std::printf("  goal: the full window drawn in well under 200 ms: %s\n",
                full < 200 ? "met" : "MISSED");
    return 0;
}

// SPDX-License-Identifier: MIT
// vantrel-bench-class-window: the Class window's work on the forms' models, beside the debrief's
// from the same run: drawing an exercise's map with 200 trainees' tracks of 300 to 600 steps
// against drawing one debrief; one replay frame moving 200 aircraft against one debrief frame;
// filling the roster with 1,000 trainees. Painting on screen comes on top of these.
//   vantrel-bench-class-window [--runs N]
#include "bench_app.h"
#include "classroom/class_figures.h"
#include "classroom/class_window.h"
#include "debrief/debrief_window.h"
#include "machine_load.h"
#include "options.h"
#include "sample_stats.h"
#include "ui/qt/form_window.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"
#include "ui/runtime.h"
#include "ui/window_slot.h"

#include <chrono>
#include <cstdio>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QWidget>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// A search pattern as trainees fly one: legs east and west, north between them, from the
// airport, each trainee's rows a little apart and of their own length.
logbook::SearchRecord flight(int trainee, int steps) {
    logbook::SearchRecord r;
    r.eltX = 150, r.eltY = 30, r.vorX = 100, r.vorY = 100, r.airportX = 10, r.airportY = 190;
    r.mapScale = 4, r.scoreText = std::to_string(20 + trainee), r.rating = "* Observer *";
    logbook::TrackPoint at{10, 190, 90, 4};
    r.track.push_back(at);
    int dx = 1 + trainee % 4;
    for (int i = 1; i < steps; ++i) {
        if ((dx > 0 && at.x >= 186) || (dx < 0 && at.x <= 14)) {
            at = {at.x, static_cast<std::int16_t>(std::max(at.y - 3 - trainee % 5, 10)), 0, 4};
            dx = -dx;
        } else {
            at = {static_cast<std::int16_t>(at.x + dx), at.y,
                  static_cast<std::int16_t>(dx > 0 ? 90 : 270), std::int16_t(std::abs(dx))};
        }
        r.track.push_back(at);
    }
    r.firstHeard = r.track[r.track.size() / 3];
    return r;
}

void print(const char* name, std::vector<double> samples) {
    const auto s = bench::summarize(std::move(samples));
    std::printf("  %-48s %8.3f %8.3f %8.3f %8.3f\n", name, s.median, s.p99, s.min, s.max);
}

// Paints a widget to an image, as a repaint of it on screen would.
struct Painter {
    QWidget* widget;
    QImage image{widget->size(), QImage::Format_ARGB32_Premultiplied};
    void operator()() {
        QPainter painter(&image);
        widget->render(&painter);
    }
};

} // namespace

int main(int argc, char** argv) {
    bench::checkOptions(argc, argv,
                        "usage: vantrel-bench-class-window [--runs N]\n"
                        "Measures the Class window with 200 trainees beside one debrief, N runs "
                        "(20).\n",
                        {"--runs"});
    auto app = bench::startApplication(argc, argv);
    const int runs = std::max(3, bench::intOption(QCoreApplication::arguments(), "--runs", 20));
    ui::qt::QtHost host;
    ui::Runtime runtime{host};
    ui::qt::Renderer renderer{runtime};
    std::vector<double> debriefDraw, classDraw, debriefPaint, classPaint, classKept, debriefFrame,
        classFrame, rosterFill;
    std::size_t points = 0;
    {
        ui::WindowSlot<ClassWindow> classSlot{runtime, buildClassWindow};
        ui::WindowSlot<DebriefWindow> debriefSlot{runtime, buildDebriefWindow};
        ClassWindow& w = *classSlot;
        DebriefWindow& d = *debriefSlot;

        std::vector<logbook::ExerciseFlight> flights;
        for (int i = 0; i < 200; ++i) {
            flights.push_back(
                {i + 1, "trainee" + std::to_string(i), flight(i, 300 + (i * 37) % 301)});
            points += flights.back().record.track.size();
        }
        std::vector<logbook::RosterRow> roster;
        for (int i = 0; i < 1000; ++i)
            roster.push_back({"trainee" + std::to_string(i), 40 + i % 30, 42 + i % 30,
                              float(10 + i % 50), std::to_string(10 + i % 50), 20.0 + i % 13,
                              22.0 + i % 7,
                              "2026-12-0" + std::to_string(1 + i % 9) + "T10:00:00Z"});
        const logbook::SearchRecord one = flights[199].record;

        for (int run = 0; run < runs; ++run) {
            auto t0 = Clock::now();
            drawDebrief(d, one, {one.track.back()});
            auto t1 = Clock::now();
            w.exerciseShown = "Big";
            w.flights = flights;
            w.hidden.assign(flights.size(), false);
            auto t2 = Clock::now();
            drawClassMap(w);
            auto t3 = Clock::now();
            debriefDraw.push_back(ms(t0, t1));
            classDraw.push_back(ms(t2, t3));
        }
        d.show();
        w.show();
        renderer.syncNow();
        Painter paintDebrief{renderer.windowOf(d)->widgetOf(*d.picMap)};
        Painter paintClass{renderer.windowOf(w)->widgetOf(*w.picMap)};
        for (int run = 0; run < runs; ++run) {
            drawClassMap(w); // a new drawing, as hiding or showing a trainee makes
            renderer.syncNow();
            auto t0 = Clock::now();
            paintDebrief();
            auto t1 = Clock::now();
            paintClass();
            auto t2 = Clock::now();
            paintClass();
            debriefPaint.push_back(ms(t0, t1));
            classPaint.push_back(ms(t1, t2));
            classKept.push_back(ms(t2, Clock::now()));
        }
        d.replay.setSpeed(8);
        w.replay.setSpeed(8);
        d.replay.play();
        w.replay.play();
        for (int frame = 0; frame < 200; ++frame) {
            auto t0 = Clock::now();
            d.replay.advance(1 / 60.0);
            d.showReplay();
            renderer.syncNow();
            paintDebrief();
            auto t1 = Clock::now();
            w.replay.advance(1 / 60.0);
            showClassReplay(w);
            renderer.syncNow();
            paintClass();
            auto t2 = Clock::now();
            debriefFrame.push_back(ms(t0, t1));
            classFrame.push_back(ms(t1, t2));
            QCoreApplication::processEvents();
        }
        for (int run = 0; run < runs; ++run) {
            auto t0 = Clock::now();
            std::vector<std::vector<ui::GridCell>> rows;
            for (const auto& r : roster)
                rows.push_back(classroom::rosterCells(r));
            w.grdRoster->setRows(std::move(rows));
            renderer.syncNow();
            rosterFill.push_back(ms(t0, Clock::now()));
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::printf("vantrel-bench-class-window: 200 trainees, %zu track points; milliseconds; load "
                "average %s\n",
                points, bench::loadAverage().c_str());
    std::printf("  %-48s %8s %8s %8s %8s\n", "", "median", "p99", "min", "max");
    print("baseline: draw one debrief's map", debriefDraw);
    print("draw the class map, 200 tracks (target 100)", classDraw);
    print("baseline: paint one debrief's map", debriefPaint);
    print("paint a new class map, 200 tracks", classPaint);
    print("paint it again, kept (a replay frame's map)", classKept);
    print("baseline: one debrief replay frame, painted", debriefFrame);
    print("one class replay frame, 200 aircraft (target 16)", classFrame);
    print("fill the roster, 1000 rows, synced", rosterFill);
    return 0;
}

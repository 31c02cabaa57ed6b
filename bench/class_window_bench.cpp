// SPDX-License-Identifier: MIT
// vantrel-bench-class-window: the Class window's work on the forms' models, beside the debrief's
// from the same run: drawing an exercise's map with 200 trainees' tracks of 300 to 600 steps
// against drawing one debrief; one replay frame moving 200 aircraft against one debrief frame;
// filling the roster with 1,000 trainees. Painting on screen comes on top of these.
//   vantrel-bench-class-window [--runs N]
#include "classroom/class_figures.h"
#include "classroom/class_window.h"
#include "debrief/debrief_window.h"
#include "sample_stats.h"
#include "ui/headless/headless_host.h"
#include "ui/runtime.h"
#include "ui/window_slot.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <sstream>
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
    std::printf("  %-44s %8.3f %8.3f %8.3f %8.3f\n", name, s.median, s.p99, s.min, s.max);
}

} // namespace

int main(int argc, char** argv) {
    int runs = 20;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    std::ostringstream transcript;
    ui::headless::HeadlessHost host{transcript};
    ui::Runtime runtime{host};
    ui::WindowSlot<ClassWindow> classSlot{runtime, buildClassWindow};
    ui::WindowSlot<DebriefWindow> debriefSlot{runtime, buildDebriefWindow};
    ClassWindow& w = *classSlot;
    DebriefWindow& d = *debriefSlot;

    std::vector<logbook::ExerciseFlight> flights;
    std::size_t points = 0;
    for (int i = 0; i < 200; ++i) {
        flights.push_back({i + 1, "trainee" + std::to_string(i), flight(i, 300 + (i * 37) % 301)});
        points += flights.back().record.track.size();
    }
    std::vector<logbook::RosterRow> roster;
    for (int i = 0; i < 1000; ++i)
        roster.push_back({"trainee" + std::to_string(i), 40 + i % 30, 42 + i % 30,
                          float(10 + i % 50), std::to_string(10 + i % 50), 20.0 + i % 13,
                          22.0 + i % 7, "2026-12-0" + std::to_string(1 + i % 9) + "T10:00:00Z"});
    const logbook::SearchRecord one = flights[199].record;

    std::vector<double> debriefDraw, classDraw, debriefFrame, classFrame, rosterFill;
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
    d.playOrPause();
    playOrPauseClass(w);
    for (int frame = 0; frame < 300; ++frame) {
        host.advanceClock(0.016);
        auto t0 = Clock::now();
        d.replayTick();
        auto t1 = Clock::now();
        classReplayTick(w);
        auto t2 = Clock::now();
        debriefFrame.push_back(ms(t0, t1));
        classFrame.push_back(ms(t1, t2));
    }
    ui::Grid& grid = *w.grdRoster;
    for (int run = 0; run < runs; ++run) {
        std::vector<std::vector<ui::GridCell>> rows;
        auto t0 = Clock::now();
        for (const auto& r : roster)
            rows.push_back(classroom::rosterCells(r));
        grid.setRows(std::move(rows));
        rosterFill.push_back(ms(t0, Clock::now()));
    }
    std::printf("vantrel-bench-class-window: 200 trainees, %zu track points; milliseconds\n",
                points);
    std::printf("  %-44s %8s %8s %8s %8s\n", "", "median", "p99", "min", "max");
    print("baseline: draw one debrief", debriefDraw);
    print("draw the class map, 200 tracks (target 100)", classDraw);
    print("baseline: one debrief replay frame", debriefFrame);
    print("one class replay frame, 200 aircraft (16)", classFrame);
    print("fill the roster, 1000 rows", rosterFill);
    return 0;
}

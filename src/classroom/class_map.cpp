// SPDX-License-Identifier: MIT
// The exercise's map with the whole class's flights on it, the legend beside it, and the replay
// that flies every trainee's aircraft together.
#include "classroom/class_figures.h"
#include "classroom/class_window.h"
#include "debrief/track_drawing.h"
#include "map/map_drawing.h"
#include "map/reveal_marks.h"
#include "ui/runtime.h"

#include <algorithm>

namespace {

// The size of an aircraft's mark, in map units: a little larger than a Reveal's square, so it
// stands out on its own track.
constexpr double kAircraftMark = 6;
// The legend's rows, in twips.
constexpr double kLegendRow = 240, kLegendSwatch = 300, kLegendColumn = 1560;

MapFeatures featuresOf(const ClassWindow& w) {
    if (!w.flights.empty()) return debrief::featuresOf(w.flights.front().record);
    for (const auto& e : w.exercises)
        if (e.name == w.exerciseShown)
            return {
                e.eltX, e.eltY, e.vorX, e.vorY, e.airportX, e.airportY, debrief::kUsualMapScale};
    return {};
}

void fillRanking(ClassWindow& w) {
    std::vector<std::vector<ui::GridCell>> rows;
    for (std::size_t i = 0; i < w.flights.size(); ++i) {
        auto cells = classroom::rankingCells(w.flights[i]);
        cells[1].sortKey = double(i);
        if (w.hidden[i]) cells[1].text += " (hidden)";
        rows.push_back(std::move(cells));
    }
    w.grdRanking->setRows(std::move(rows));
}

// Each trainee's colour beside their name, in columns; a hidden trainee's swatch is an empty
// frame and their name greyed. What does not fit is counted on the last line.
void drawLegend(ClassWindow& w) {
    ui::PictureBox& legend = *w.picLegend;
    legend.cls();
    const int perColumn = std::max(1, int((legend.height() - 60) / kLegendRow));
    const int columns = std::max(1, int(legend.width() / kLegendColumn));
    const int room = perColumn * columns;
    const int n = int(w.flights.size());
    const int listed = n > room ? room - 1 : n;
    for (int i = 0; i < listed; ++i) {
        const double left = 60 + (i / perColumn) * kLegendColumn;
        const double top = 45 + (i % perColumn) * kLegendRow;
        const ui::Color color = classroom::traineeColor(std::size_t(i));
        const bool hidden = w.hidden[std::size_t(i)];
        legend.drawWidth = 1;
        legend.box(left, top + 30, left + kLegendSwatch, top + kLegendRow - 45, color, !hidden);
        legend.setForeColor(hidden ? ui::colors::grey : ui::colors::black);
        legend.currentX = left + kLegendSwatch + 60;
        legend.currentY = top;
        legend.print(w.flights[std::size_t(i)].trainee + (hidden ? " (hidden)" : ""));
    }
    if (listed < n) {
        legend.setForeColor(ui::colors::black);
        legend.currentX = 60 + (listed / perColumn) * kLegendColumn;
        legend.currentY = 45 + (listed % perColumn) * kLegendRow;
        legend.print("and " + std::to_string(n - listed) + " more");
    }
}

// The longest track sets how long the replay runs; the shorter ones wait at their ends.
void standReplay(ClassWindow& w) {
    const logbook::SearchRecord* longest = nullptr;
    for (std::size_t i = 0; i < w.flights.size(); ++i)
        if (!w.hidden[i] && (!longest || w.flights[i].record.track.size() > longest->track.size()))
            longest = &w.flights[i].record;
    const int speed = w.replay.speed();
    w.replay = debrief::Replay(longest ? longest->track : std::vector<logbook::TrackPoint>{});
    w.replay.setSpeed(speed);
}

} // namespace

void drawClassMap(ClassWindow& w) {
    const MapSheet sheet = w.mapSheet();
    const MapFeatures features = featuresOf(w);
    ui::PictureBox& map = *w.picMap;
    map.cls();
    map.drawWidth = 1;
    w.imgELT->setVisible(false);
    drawMap(sheet, features);
    // Every track first, then every mark, so that no track hides another trainee's mark.
    for (std::size_t i = 0; i < w.flights.size(); ++i)
        if (!w.hidden[i])
            debrief::drawTrack(map, w.flights[i].record.track, classroom::traineeColor(i));
    for (std::size_t i = 0; i < w.flights.size(); ++i) {
        if (w.hidden[i]) continue;
        const logbook::SearchRecord& r = w.flights[i].record;
        const ui::Color color = classroom::traineeColor(i);
        if (r.firstHeard) debrief::drawFirstHeard(map, *r.firstHeard, color);
        if (!r.track.empty()) debrief::drawRevealPoint(map, r.track.back(), color);
    }
    map.drawWidth = 1;
    drawRevealMarks(sheet, features);
    // The ELT's picture would lie over the tracks that end near it; its cross marks it.
    w.imgELT->setVisible(false);
    fillRanking(w);
    drawLegend(w);
    standReplay(w);
    showClassReplay(w);
}

void playOrPauseClass(ClassWindow& w) {
    if (w.replay.playing()) {
        w.replay.pause();
    } else {
        w.replay.play();
        w.frameClock.start(w.runtime().clock());
    }
    showClassReplay(w);
}

void classReplayTick(ClassWindow& w) {
    w.replay.advance(w.frameClock.elapsed(w.runtime().clock()));
    showClassReplay(w);
}

void showClassReplay(ClassWindow& w) {
    w.tmrReplay->setEnabled(w.replay.playing());
    w.cmdPlay->setEnabled(w.replay.track().size() > 1);
    w.cmdPlay->setCaption(w.replay.playing() ? "&Pause" : "&Play");
    while (w.shpAircraft.size() < w.flights.size()) {
        auto& mark = w.add<ui::Shape>("shpAircraft", int(w.shpAircraft.size()), w.picMap);
        mark.setGeometry(0, 0, kAircraftMark, kAircraftMark);
        mark.setVisible(false);
        w.shpAircraft.push_back(&mark);
    }
    // Before the first Play the map shows the tracks alone.
    const bool flying = w.replay.playing() || w.replay.steps() > 0;
    for (std::size_t i = 0; i < w.shpAircraft.size(); ++i) {
        ui::Shape& mark = *w.shpAircraft[i];
        const bool shown = flying && i < w.flights.size() && !w.hidden[i];
        const auto pose =
            shown ? debrief::poseAt(w.flights[i].record.track, w.replay.steps()) : std::nullopt;
        mark.setVisible(pose.has_value());
        if (!pose) continue;
        mark.setFillColor(classroom::traineeColor(i));
        mark.setLeft(pose->x - kAircraftMark / 2);
        mark.setTop(pose->y - kAircraftMark / 2);
    }
}

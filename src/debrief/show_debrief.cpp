// SPDX-License-Identifier: MIT
#include "debrief/debrief_numbers.h"
#include "debrief/debrief_window.h"
#include "map/map_drawing.h"
#include "map/reveal_marks.h"

namespace {

using logbook::TrackPoint;

// Bright blue reads over the white map and stands apart from the navy rose; the marks take
// colours of their own, and the ELT keeps the game's black.
constexpr ui::Color trackColor = ui::colors::blue;
constexpr ui::Color firstHeardColor = ui::colors::red;
constexpr ui::Color revealPointColor{0, 128, 0};
constexpr int trackPen = 2;      // pixels
constexpr double markSize = 2.5; // map units from the middle of a mark to its edge

// The map units per mile of a record that has none, which only a damaged record could lack:
// the scale every search is flown at.
constexpr std::int16_t usualMapScale = 4;

MapFeatures featuresOf(const logbook::SearchRecord& r) {
    return {r.eltX,
            r.eltY,
            r.vorX,
            r.vorY,
            r.airportX,
            r.airportY,
            r.mapScale > 0 ? r.mapScale : usualMapScale};
}

void drawTrack(ui::PictureBox& map, const std::vector<TrackPoint>& track) {
    map.drawWidth = trackPen;
    for (std::size_t i = 1; i < track.size(); ++i)
        map.line(track[i - 1].x, track[i - 1].y, track[i].x, track[i].y, trackColor);
}

// A red ring with a dot in its middle.
void drawFirstHeard(ui::PictureBox& map, const TrackPoint& p) {
    map.drawWidth = trackPen;
    map.circle(p.x, p.y, markSize, firstHeardColor);
    map.box(p.x - 1, p.y - 1, p.x + 1, p.y + 1, firstHeardColor, true);
}

// A green square round the point.
void drawRevealPoint(ui::PictureBox& map, const TrackPoint& p) {
    map.drawWidth = trackPen;
    map.box(p.x - markSize, p.y - markSize, p.x + markSize, p.y + markSize, revealPointColor);
}

void writeFigures(DebriefWindow& w, const logbook::SearchRecord& record) {
    const debrief::DebriefNumbers n = debrief::debriefNumbers(record);
    w.lblDate->setCaption(n.date);
    w.lblFlownAfterSignal->setCaption(n.flownAfterSignal);
    w.lblStraightLine->setCaption(n.straightLine);
    w.lblHints->setCaption(n.hints);
    w.lblBearingUsed->setCaption(n.bearingUsed);
    w.lblScore->setCaption(n.score);
    w.lblRating->setCaption(n.rating);
}

} // namespace

void showDebrief(DebriefWindow& w, const logbook::SearchRecord& record,
                 const std::vector<TrackPoint>& revealPoints) {
    const MapSheet sheet = w.mapSheet();
    const MapFeatures features = featuresOf(record);
    ui::PictureBox& map = *w.picMap;
    map.cls();
    map.drawWidth = 1; // the map and the ELT's marks are drawn as in the game
    w.imgELT->setVisible(false);
    drawMap(sheet, features);
    drawTrack(map, record.track);
    if (record.firstHeard) drawFirstHeard(map, *record.firstHeard);
    for (const TrackPoint& p : revealPoints)
        drawRevealPoint(map, p);
    map.drawWidth = 1;
    drawRevealMarks(sheet, features);
    writeFigures(w, record);

    const int speed = w.replay.speed();
    w.replay = debrief::Replay(record.track);
    w.replay.setSpeed(speed);
    w.showReplay();
    w.show();
    w.bringToFront();
}

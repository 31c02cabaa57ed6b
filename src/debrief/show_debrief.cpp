// SPDX-License-Identifier: MIT
#include "debrief/debrief_numbers.h"
#include "debrief/debrief_window.h"
#include "debrief/track_drawing.h"
#include "map/map_drawing.h"
#include "map/reveal_marks.h"
#include "ui/numbers.h"

#include <algorithm>

namespace {

using logbook::TrackPoint;

// Bright blue reads over the white map and stands apart from the navy rose; the marks take
// colours of their own, and the ELT keeps the game's black.
constexpr ui::Color kTrackColor = ui::colors::blue;
constexpr ui::Color kFirstHeardColor = ui::colors::red;
constexpr ui::Color kRevealPointColor{0, 128, 0};
using debrief::kMarkSize;
constexpr double kWideRing = 7; // map units: wider than the symbols drawn at a point

// A rectangle in map units.
struct Area {
    double left, top, right, bottom;
    bool overlaps(const Area& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

// Whether the segment from (x1, y1) to (x2, y2) passes through the area (Liang-Barsky).
bool crosses(const Area& a, double x1, double y1, double x2, double y2) {
    double from = 0, to = 1;
    const auto clip = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double t = q / p;
        if (p < 0) {
            if (t > to) return false;
            from = std::max(from, t);
        } else {
            if (t < from) return false;
            to = std::min(to, t);
        }
        return true;
    };
    const double dx = x2 - x1, dy = y2 - y1;
    return clip(-dx, x1 - a.left) && clip(dx, a.right - x1) && clip(-dy, y1 - a.top) &&
           clip(dy, a.bottom - y1);
}

// The ELT's picture is a control, painted over the drawing: it moves off the track and the
// marks. The game's own place comes first, then places round the ELT up to five arms of its
// cross out; where none is clear the cross alone marks the ELT.
void clearEltPicture(DebriefWindow& w, const logbook::SearchRecord& r,
                     const std::vector<TrackPoint>& revealPoints, bool wideRingDrawn) {
    ui::Image& elt = *w.imgELT;
    const double width = elt.width(), height = elt.height();
    const double arm = ui::toInt16(w.picMap->scaleHeight() * 0.03);
    const double pen = 1; // a track's pen, in map units, on each side of its line
    std::vector<Area> marks = {{r.eltX - arm, r.eltY - arm, r.eltX + arm, r.eltY + arm}};
    const auto mark = [&marks](const TrackPoint& p, double size) {
        marks.push_back({p.x - size, p.y - size, p.x + size, p.y + size});
    };
    if (r.firstHeard) mark(*r.firstHeard, kMarkSize + pen);
    if (r.firstHeard && wideRingDrawn) mark(*r.firstHeard, kWideRing + pen);
    for (const TrackPoint& p : revealPoints)
        mark(p, kMarkSize + pen);
    for (const TrackPoint& p : r.track)
        if (p.putBack()) mark(p, 1.5 + pen);
    const auto clear = [&](double left, double top, bool onMap = true) {
        const Area a{left, top, left + width, top + height};
        if (onMap && (left < 0 || top < 0 || a.right > w.picMap->scaleWidth() ||
                      a.bottom > w.picMap->scaleHeight()))
            return false;
        const Area wide{a.left - pen, a.top - pen, a.right + pen, a.bottom + pen};
        for (std::size_t i = 1; i < r.track.size(); ++i)
            if (crosses(wide, r.track[i - 1].x, r.track[i - 1].y, r.track[i].x, r.track[i].y))
                return false;
        for (const Area& m : marks)
            if (m.overlaps(a)) return false;
        return true;
    };
    if (clear(elt.left(), elt.top(), false)) return;
    for (int away = 2; away <= 5; ++away)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const double left = r.eltX + dx * away * arm - width / 2;
                const double top = r.eltY + dy * away * arm - height / 2;
                if ((dx || dy) && clear(left, top)) {
                    elt.setLeft(left);
                    elt.setTop(top);
                    return;
                }
            }
    elt.setVisible(false);
}

void writeFigures(DebriefWindow& w, const debrief::DebriefNumbers& n) {
    w.lblDate->setCaption(n.date);
    w.lblFirstSignal->setCaption(n.firstSignal);
    w.lblFlownAfterSignal->setCaption(n.flownAfterSignal);
    w.lblSignalNote->setCaption(n.signalNote);
    w.lblStraightLine->setCaption(n.straightLine);
    w.lblHints->setCaption(n.hints);
    w.lblBearingUsed->setCaption(n.bearingUsed);
    w.lblScore->setCaption(n.score);
    w.lblRating->setCaption(n.rating);
}

} // namespace

void drawDebrief(DebriefWindow& w, const logbook::SearchRecord& record,
                 const std::vector<TrackPoint>& revealPoints) {
    const MapSheet sheet = w.mapSheet();
    const MapFeatures features = debrief::featuresOf(record);
    ui::PictureBox& map = *w.picMap;
    map.cls();
    map.drawWidth = 1; // the map and the ELT's marks are drawn as in the game
    w.imgELT->setVisible(false);
    drawMap(sheet, features);
    debrief::drawTrack(map, record.track, kTrackColor);
    const debrief::DebriefNumbers numbers = debrief::debriefNumbers(record);
    // Heard where the score did not take it (at the airport): a wide ring, which the airport's
    // and the aircraft's symbols leave in sight.
    const bool wideRingDrawn = record.firstHeard && !numbers.signalNote.empty();
    if (record.firstHeard) debrief::drawFirstHeard(map, *record.firstHeard, kFirstHeardColor);
    if (wideRingDrawn)
        map.circle(record.firstHeard->x, record.firstHeard->y, kWideRing, kFirstHeardColor);
    for (const TrackPoint& p : revealPoints)
        debrief::drawRevealPoint(map, p, kRevealPointColor);
    for (const TrackPoint& p : record.track)
        if (p.putBack()) debrief::drawPutBack(map, p);
    map.drawWidth = 1;
    drawRevealMarks(sheet, features);
    clearEltPicture(w, record, revealPoints, wideRingDrawn);
    writeFigures(w, numbers);

    const int speed = w.replay.speed();
    w.replay = debrief::Replay(record.track);
    w.replay.setSpeed(speed);
    w.showReplay();
}

void showDebrief(DebriefWindow& w, const logbook::SearchRecord& record,
                 const std::vector<TrackPoint>& revealPoints) {
    drawDebrief(w, record, revealPoints);
    w.show();
    w.bringToFront();
}

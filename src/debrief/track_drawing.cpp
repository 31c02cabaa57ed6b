// SPDX-License-Identifier: MIT
#include "track_drawing.h"

namespace debrief {

namespace {

constexpr ui::Color kBreakColor{128, 128, 128};
constexpr ui::Color kPutBackColor{255, 140, 0};

} // namespace

MapFeatures featuresOf(const logbook::SearchRecord& r) {
    return {r.eltX,
            r.eltY,
            r.vorX,
            r.vorY,
            r.airportX,
            r.airportY,
            r.mapScale > 0 ? r.mapScale : kUsualMapScale};
}

void drawTrack(ui::PictureBox& map, const std::vector<logbook::TrackPoint>& track,
               ui::Color color) {
    for (std::size_t i = 1; i < track.size(); ++i) {
        const bool jump = track[i].putBack();
        map.drawWidth = jump ? 1 : kTrackPen;
        map.drawStyle = jump ? ui::DrawStyle::Dot : ui::DrawStyle::Solid;
        map.line(track[i - 1].x, track[i - 1].y, track[i].x, track[i].y,
                 jump ? kBreakColor : color);
    }
    map.drawStyle = ui::DrawStyle::Solid;
}

void drawFirstHeard(ui::PictureBox& map, const logbook::TrackPoint& p, ui::Color color) {
    map.drawWidth = kTrackPen;
    map.circle(p.x, p.y, kMarkSize, color);
    map.box(p.x - 1, p.y - 1, p.x + 1, p.y + 1, color, true);
}

void drawRevealPoint(ui::PictureBox& map, const logbook::TrackPoint& p, ui::Color color) {
    map.drawWidth = kTrackPen;
    map.box(p.x - kMarkSize, p.y - kMarkSize, p.x + kMarkSize, p.y + kMarkSize, color);
}

void drawPutBack(ui::PictureBox& map, const logbook::TrackPoint& p) {
    map.drawWidth = kTrackPen;
    map.box(p.x - 1.5, p.y - 1.5, p.x + 1.5, p.y + 1.5, kPutBackColor, true);
}

} // namespace debrief

// SPDX-License-Identifier: MIT
#pragma once

#include "map/map_sheet.h"
#include "model/search_record.h"
#include "ui/color.h"
#include "ui/containers.h"

#include <cstdint>
#include <vector>

namespace debrief {

constexpr int kTrackPen = 2;      // pixels
constexpr double kMarkSize = 2.5; // map units from the middle of a mark to its edge
// The map units per mile of a record that has none, which only a damaged record could lack:
// the scale every search is flown at.
constexpr std::int16_t kUsualMapScale = 4;

// The fixed features of the search a record was made in.
MapFeatures featuresOf(const logbook::SearchRecord& record);

// The flown legs in `color`; where the aircraft was put back on the map, a thin grey dotted
// connector from where it was, which is no flown leg.
void drawTrack(ui::PictureBox& map, const std::vector<logbook::TrackPoint>& track, ui::Color color);
// A ring with a dot in its middle where the ELT was first heard.
void drawFirstHeard(ui::PictureBox& map, const logbook::TrackPoint& p, ui::Color color);
// A square round the point of a Reveal.
void drawRevealPoint(ui::PictureBox& map, const logbook::TrackPoint& p, ui::Color color);
// An orange dot where the aircraft was put back on the map.
void drawPutBack(ui::PictureBox& map, const logbook::TrackPoint& p);

} // namespace debrief

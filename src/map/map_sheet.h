// SPDX-License-Identifier: MIT
#pragma once

#include "model/search_state.h"
#include "ui/containers.h"
#include "ui/controls.h"
#include "ui/sprite_strip.h"

#include <cstdint>

// A window's map: the drawing surface and the controls on it that the map drawing moves. The
// main window has one, the debrief another; both are drawn by the same code.
struct MapSheet {
    ui::PictureBox& map;
    ui::LineControl& scaleBar;
    ui::Label& scaleLegend;
    ui::Image& airport;
    ui::Image& vor;
    ui::Image& elt;
    const ui::SpriteStrip& airportStrip;
};

// Where a search's fixed features lie, in map units, and how many map units make a mile.
struct MapFeatures {
    std::int16_t eltX = 0, eltY = 0;
    std::int16_t vorX = 0, vorY = 0;
    std::int16_t airportX = 0, airportY = 0;
    std::int16_t mapScale = 0;
};

inline MapFeatures mapFeaturesOf(const SearchState& s) {
    return {s.eltX, s.eltY, s.vorX, s.vorY, s.airportX, s.airportY, s.mapScale};
}

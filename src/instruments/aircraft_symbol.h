// SPDX-License-Identifier: MIT
#pragma once

#include "model/search_state.h"
#include "ui/containers.h"
#include "ui/controls.h"
#include "ui/sprite_strip.h"

// The controls the aircraft symbol and the compass draw on.
struct AircraftPanel {
    ui::Image& symbol;
    const ui::SpriteStrip& cells; // one per 45 degrees from north
    ui::Label& heading;
};

// Puts the aircraft symbol on the map, nose along the heading, and shows the heading.
void refreshAircraftSymbol(const AircraftPanel& panel, const SearchState& s);

// Draws the fixed white tick marks of the compass strip; the heading is read off its label.
void drawCompassFace(ui::PictureBox& face);

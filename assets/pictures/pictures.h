// SPDX-License-Identifier: MIT
#pragma once

#include "ui/picture.h"
#include "ui/sprite_strip.h"

namespace assets {

// Bevelled arrowheads for the heading buttons, drawn at the 23x25 size the buttons show them.
const ui::Picture& arrowUp();
const ui::Picture& arrowLeft();
const ui::Picture& arrowRight();

// The player's aircraft from above, nose up, on a transparent background.
const ui::Picture& aircraftImage();

// The emergency locator transmitter; it doubles as the window icon.
const ui::Picture& transmitterImage();

// The VOR beacon map symbol.
const ui::Picture& vorImage();

// Map markers for the aircraft, one 9x9 cell per heading: north, north-east, ... north-west.
const ui::SpriteStrip& aircraftStrip();

// Map markers for airports: two 16x16 cells, the runway layout and its mirror image.
const ui::SpriteStrip& airportStrip();

} // namespace assets

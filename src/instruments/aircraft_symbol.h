// SPDX-License-Identifier: MIT
#pragma once

class Game;

// Puts the aircraft symbol on the map, nose along the heading, and shows the heading.
void refreshAircraftSymbol(Game& game);

// Draws the fixed white tick marks of the compass strip; the heading is read off lblHeading.
void drawCompassFace(Game& game);

// SPDX-License-Identifier: MIT
#pragma once

#include <string>

class Game;

// Lays out a new search: the ELT, the VOR and the airport at random places, the aircraft on the
// airport heading north at cruise speed, every display brought into line, the coaching asked to
// start afresh at its next tick.
void newSearch(Game& game);

// The random placement, seeded afresh from the clock: the ELT keeps 5 % of the map from every
// edge, the airport and the VOR 10 %. The squadron's exercise chosen for this search, when there
// is one, places them as its instructor did instead; its name is returned, "" for none.
std::string placeFeatures(Game& game);

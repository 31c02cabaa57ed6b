// SPDX-License-Identifier: MIT
#pragma once

#include <string>

class Game;
struct SearchState;

// The text of the next hint: the first gives distances, the second directions, the third and
// later ones both, each from the VOR and from the aircraft.
std::string hintText(const SearchState& s);

// Counts the hint and shows it in an information box.
void giveHint(Game& game);

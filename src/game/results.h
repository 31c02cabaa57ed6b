// SPDX-License-Identifier: MIT
#pragma once

#include <string>

class Game;
struct SearchState;

// The text of the results box for a search as it stands: distances, two remarks, the score
// (lower is better) and the rating. `showBearingValue` is the Show Bearing box's value, which
// only changes the wording of the score lines.
std::string resultsText(const SearchState& s, int showBearingValue);

// Reveal: puts the panel away, marks the ELT on the map and shows the results box.
void revealClicked(Game& game);
void revealAnswer(Game& game);
void showResults(Game& game);

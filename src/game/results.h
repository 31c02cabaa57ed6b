// SPDX-License-Identifier: MIT
#pragma once

#include <string>

class Game;
struct SearchState;

// The text of the results box for a search as it stands: distances, two remarks, the score
// (lower is better) and the rating. `showBearingValue` is the Show Bearing box's value, which
// only changes the wording of the score lines.
std::string resultsText(const SearchState& s, int showBearingValue);

// What a search earned at this moment: the miss distance, the score and the rating, with the
// score written as the results box writes it.
struct Verdict {
    float miss = 0;
    float score = 0;
    std::string scoreText;
    std::string rating;
};
Verdict verdictOf(const SearchState& s);

// The score: the distance flown after the ELT was first heard, less the straight distance from
// the airport to the ELT, plus ten times the final miss; 200 before any step; never below 0.
float searchScore(float flown, float airportToElt, float firstHeard, float miss);

// Reveal: puts the panel away, marks the ELT on the map and shows the results box.
void revealClicked(Game& game);
void revealAnswer(Game& game);
void showResults(Game& game);

// SPDX-License-Identifier: MIT
#pragma once

#include "model/search_state.h"

#include <string>

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

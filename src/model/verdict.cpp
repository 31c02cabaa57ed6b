// SPDX-License-Identifier: MIT
#include "verdict.h"

#include "model/format_by_pattern.h"
#include "model/navigation.h"
#include "model/rating.h"

float searchScore(float flown, float airportToElt, float firstHeard, float miss) {
    auto score = static_cast<float>(double(flown) - airportToElt - firstHeard + 10.0 * miss);
    if (flown == 0) score = 200;
    if (score < 0) score = 0;
    return score;
}

Verdict verdictOf(const SearchState& s) {
    Verdict v;
    v.miss = distanceAndBearing(s.aircraftX, s.aircraftY, s.eltX, s.eltY, s.mapScale).distance;
    const float airport =
        distanceAndBearing(s.airportX, s.airportY, s.eltX, s.eltY, s.mapScale).distance;
    v.score = searchScore(s.distanceFlown, airport, s.firstSignalDistance, v.miss);
    v.scoreText = formatByPattern(v.score, "###,###");
    v.rating = ratingFor(v.score);
    return v;
}

// SPDX-License-Identifier: MIT
#pragma once

#include "model/search_record.h"

#include <vector>

// A search as a trainee flies one: out of the airport at (60, 140) northwards, a right turn to
// the north-east where the ELT is first heard, another to the east, then slowly north-east at
// search speed to a Reveal at (145, 55), five units short of the ELT at (150, 50). The VOR is
// at (120, 140), its rose clear of the track.
inline logbook::SearchRecord debriefFixture() {
    logbook::SearchRecord r;
    r.search = 7;
    r.timeUtc = "2026-12-07T14:03:59Z";
    r.eltX = 150, r.eltY = 50;
    r.vorX = 120, r.vorY = 140;
    r.airportX = 60, r.airportY = 140;
    r.mapScale = 4;
    struct Leg {
        std::int16_t heading, speedStep, steps;
    };
    const Leg legs[] = {{0, 4, 10}, {45, 4, 10}, {90, 4, 10}, {45, 1, 5}};
    logbook::TrackPoint at{60, 140, 0, 4};
    r.track.push_back(at);
    for (const Leg& leg : legs)
        for (int i = 0; i < leg.steps; ++i) {
            const int dx = leg.heading == 0 ? 0 : leg.speedStep;
            const int dy = leg.heading == 90 ? 0 : -leg.speedStep;
            at = {static_cast<std::int16_t>(at.x + dx), static_cast<std::int16_t>(at.y + dy),
                  leg.heading, leg.speedStep};
            r.track.push_back(at);
        }
    r.firstHeard = r.track[15];   // (80, 80), half way along the north-east leg
    r.distanceFlown = 31.25f;     // 30 miles at cruise, 5 steps at search speed
    r.firstSignalDistance = 15.f; // 15 miles at cruise
    r.missDistance = 1.8f;
    r.score = 16;
    r.scoreText = "16";
    r.rating = "** Mission Pilot **";
    r.hints = 2;
    r.bearingUsed = true;
    r.minutes = 4.5;
    return r;
}

// Where the fixture's one Reveal was made: the end of its track.
inline std::vector<logbook::TrackPoint> debriefFixtureReveals() {
    return {debriefFixture().track.back()};
}

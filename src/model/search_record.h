// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace logbook {

// Where the aircraft was after one step (or at the start), in map units, and how it flew.
struct TrackPoint {
    std::int16_t x = 0, y = 0;
    std::int16_t heading = 0; // degrees, as the game holds it
    // Map units per step along each axis: 4 cruise, 1 search. 0 marks a point the aircraft was
    // put at rather than flown to (the coaching's way back to the map): the track breaks before
    // it. The game flies at no speed 0, so no track written before carries it.
    std::int16_t speedStep = 0;

    // The track breaks here: nothing was flown from the point before.
    bool putBack() const { return speedStep == 0; }

    friend bool operator==(const TrackPoint&, const TrackPoint&) = default;
};

// One Reveal of one search, as the logbook keeps it. A player who flies on after a Reveal and
// reveals again adds a second record with the same `search` number.
struct SearchRecord {
    std::int64_t id = 0;     // given by the logbook when the record is written
    std::int64_t search = 0; // shared by every record of one search; 0 until first written
    // The same on every machine from the moment the record is made: a random UUID, lower case.
    // The squadron's server keeps one copy of each record by it.
    std::string recordId;
    std::string timeUtc;     // when the ELT was revealed: "2026-12-07T14:03:59Z"

    std::int16_t eltX = 0, eltY = 0;
    std::int16_t vorX = 0, vorY = 0;
    std::int16_t airportX = 0, airportY = 0;
    std::int16_t mapScale = 0; // map units per nautical mile

    // Every position from the start to the Reveal; the first is the airport.
    std::vector<TrackPoint> track;
    // Where the ELT was first heard, when it was.
    std::optional<TrackPoint> firstHeard;

    float distanceFlown = 0;       // nautical miles
    float missDistance = 0;        // nautical miles from the aircraft to the ELT at the Reveal
    float firstSignalDistance = 0; // distance flown when the ELT was first heard; 0 = never
    float score = 0;               // the score as computed (lower is better)
    std::string scoreText;         // the score as the results box wrote it ("" for 0)
    std::string rating;            // the rating as the results box wrote it
    int hints = 0;
    bool bearingUsed = false; // Show Bearing was on at some time in the search
    double minutes = 0;       // from New Search to the Reveal
    std::string exercise;     // the squadron's exercise the search laid out; "" for a random one

    friend bool operator==(const SearchRecord&, const SearchRecord&) = default;
};

} // namespace logbook

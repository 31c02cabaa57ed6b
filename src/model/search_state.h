// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>

// The record of the current search. Positions are whole map units: the map is 200 by 200 units
// with its origin at the top-left corner, x growing east and y growing south. Everything starts
// at zero before the first search is laid out.
struct SearchState {
    std::int16_t eltX = 0, eltY = 0;
    std::int16_t airportX = 0, airportY = 0;
    std::int16_t vorX = 0, vorY = 0;
    std::int16_t aircraftX = 0, aircraftY = 0;
    std::int16_t heading = 0;      // 0, 45 ... 315 or 360 degrees; 0 and 360 are both north
    std::int16_t speedStep = 0;    // map units per step along each axis: 4 cruise, 1 search
    float distanceFlown = 0;       // nautical miles in this search
    float firstSignalDistance = 0; // distance flown when the ELT was first heard; 0 = not yet
    std::int16_t mapScale = 0;     // map units per nautical mile
    std::int16_t hintCount = 0;
    std::int16_t bearingShown = 0; // -1 while the bearing readout is shown
    // Quadrant words, 1 = northeast clockwise to 4 = northwest; entry 0 is never assigned. Each
    // word fills its nine-character slot exactly.
    std::array<std::string, 5> compassPointNames;
};

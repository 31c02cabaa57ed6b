// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// What the flight timer remembers from one tick to the next about coaching this search.
// Booleans are -1 for true and 0 for false.
struct CoachingState {
    std::int32_t coachStartSeconds = 0; // clock reading when coaching began; 0 = not begun
    std::int16_t elapsedTicks = 0;      // ticks since then; stops at its 16-bit limit
    std::int16_t searchPromptShown = 0;
    std::int16_t returnPromptShown = 0;
    std::int16_t silentTicks = 0; // black ticks since the ELT was first heard; stops at 11
    std::int16_t arrowsPromptShown = 0;
    std::int16_t signalWasOn = 0;
    std::int16_t longSearchShown = 0;
    std::int16_t offMapDeclined = 0;
    std::int16_t signalLosses = 0; // red-to-black changes since the last turning prompt
    std::int16_t mapWidth = 0;     // map units, taken when coaching starts afresh
    std::int16_t mapHeight = 0;
    // Clock reading when the player turned to the logbook or a debrief, where the coaching
    // waits; negative while it runs.
    double lookingBackSince = -1;
};

// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

struct SearchState;

// Headings after a 45-degree turn. A right turn from 315 gives 360 (north), a left turn from 45
// gives 0 (also north): both values stand for north.
std::int16_t turnedLeft(std::int16_t heading);
std::int16_t turnedRight(std::int16_t heading);

// Moves the aircraft one step of `speedStep` units along each axis its heading points along and
// counts the step in the distance flown (a diagonal step counts as a straight one). The map has
// no edge here; a position stops at the limits of its 16 bits rather than wrapping around.
void moveOneStep(SearchState& s);

// SPDX-License-Identifier: MIT
#include "aircraft_movement.h"

#include "search_state.h"

#include <algorithm>
#include <limits>

namespace {

std::int16_t saturatedAdd(std::int16_t position, int change) {
    constexpr int kLow = std::numeric_limits<std::int16_t>::min();
    constexpr int kHigh = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::clamp(position + change, kLow, kHigh));
}

} // namespace

std::int16_t turnedLeft(std::int16_t heading) {
    int h = heading - 45;
    if (h < 0) h += 360;
    return static_cast<std::int16_t>(h);
}

std::int16_t turnedRight(std::int16_t heading) {
    int h = heading + 45;
    if (h > 360) h -= 360;
    return static_cast<std::int16_t>(h);
}

void moveOneStep(SearchState& s) {
    const int step = s.speedStep;
    int east = 0, south = 0;
    switch (s.heading) {
    case 0:
    case 360:
        south = -step;
        break;
    case 45:
        east = step, south = -step;
        break;
    case 90:
        east = step;
        break;
    case 135:
        east = step, south = step;
        break;
    case 180:
        south = step;
        break;
    case 225:
        east = -step, south = step;
        break;
    case 270:
        east = -step;
        break;
    case 315:
        east = -step, south = -step;
        break;
    default:
        break;
    }
    s.aircraftX = saturatedAdd(s.aircraftX, east);
    s.aircraftY = saturatedAdd(s.aircraftY, south);
    const int perMile = std::max<int>(s.mapScale, 1);
    s.distanceFlown = static_cast<float>(s.distanceFlown + double(s.speedStep) / perMile);
}

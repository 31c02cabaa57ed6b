// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

struct DistanceAndBearing {
    float distance; // nautical miles
    float bearing;  // degrees clockwise from north (map up), from 0 up to but not including 360
};

// The straight distance and the compass bearing from one map point to another; `scale` is map
// units per nautical mile (a scale below 1 counts as 1). A target straight above gives a bearing
// just above 0, never 360; the same point at both ends gives distance 0 and bearing 90.
DistanceAndBearing distanceAndBearing(std::int16_t fromX, std::int16_t fromY, std::int16_t toX,
                                      std::int16_t toY, std::int16_t scale);

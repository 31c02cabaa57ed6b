// SPDX-License-Identifier: MIT
#include "navigation.h"

#include <cmath>
#include <numbers>

DistanceAndBearing distanceAndBearing(std::int16_t fromX, std::int16_t fromY, std::int16_t toX,
                                      std::int16_t toY, std::int16_t scale) {
    double dx = double(toX) - fromX;
    const double dy = double(toY) - fromY;
    const double perMile = scale >= 1 ? scale : 1;
    const double distance = std::sqrt(dx * dx + dy * dy) / perMile;
    // Straight above or below: the target counts as a ten-thousandth of a unit to the right,
    // which keeps the arctangent finite and the bearing off 360.
    if (dx == 0) dx = 0.0001;
    double bearing = (180 / std::numbers::pi) * std::atan(dy / dx) + 90;
    if (dx < 0) bearing += 180;
    if (bearing < 0) bearing += 360;
    return {static_cast<float>(distance), static_cast<float>(bearing)};
}

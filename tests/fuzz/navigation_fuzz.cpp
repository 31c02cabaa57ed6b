// SPDX-License-Identifier: MIT
// Fuzzes distanceAndBearing on any 16-bit points and scale: the bearing is finite and in
// [0, 360), the distance finite, not negative, and the straight-line distance in miles.
#include "model/navigation.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 10) return 0;
    std::int16_t v[5];
    std::memcpy(v, data, sizeof v);
    const auto r = distanceAndBearing(v[0], v[1], v[2], v[3], v[4]);
    if (!std::isfinite(r.bearing) || r.bearing < 0 || r.bearing >= 360) std::abort();
    if (!std::isfinite(r.distance) || r.distance < 0) std::abort();
    const double scale = v[4] >= 1 ? v[4] : 1;
    const double expected = std::hypot(double(v[2]) - v[0], double(v[3]) - v[1]) / scale;
    if (std::fabs(r.distance - expected) > expected * 1e-6 + 1e-6) std::abort();
    return 0;
}

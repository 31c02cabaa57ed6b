// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <random>

namespace ui {

// Uniform numbers in [0, 1) with the resolution of a 32-bit float, seeded afresh from the clock.
class UniformRandom {
public:
    void seedFromClock(double secondsSinceMidnight);
    float next();

private:
    std::mt19937 engine_{0x5eed};
};

} // namespace ui

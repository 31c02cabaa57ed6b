// SPDX-License-Identifier: MIT
#include "random.h"

#include <bit>

namespace ui {

void UniformRandom::seedFromClock(double secondsSinceMidnight) {
    // Every bit of the reading counts, so two searches started within one second still differ.
    const auto bits = std::bit_cast<std::uint64_t>(secondsSinceMidnight);
    std::seed_seq seq{static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32)};
    engine_.seed(seq);
}

float UniformRandom::next() {
    // 24 random bits fill a float's mantissa exactly, so the result is never rounded up to 1.
    return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
}

} // namespace ui

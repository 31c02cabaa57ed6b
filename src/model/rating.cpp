// SPDX-License-Identifier: MIT
#include "rating.h"

#include <array>
#include <limits>

namespace {

constexpr std::array kBands{
    RatingBand{10, "*** Command Pilot ***"},
    RatingBand{20, "** Mission Pilot **"},
    RatingBand{40, "* Observer *"},
    RatingBand{60, "!- Weekend Wonder -!"},
    RatingBand{std::numeric_limits<float>::infinity(), "* * Are you ready for one yet? * *"},
};

} // namespace

std::span<const RatingBand> ratingBands() {
    return kBands;
}

const char* ratingFor(float score) {
    for (const auto& band : kBands)
        if (score < band.below) return band.rating;
    return kBands.back().rating; // a score that is not a number
}

// SPDX-License-Identifier: MIT
#pragma once

#include <span>

// The ratings a score earns, best first. A score earns the first band it lies below.
struct RatingBand {
    float below; // the band holds scores under this, and at or over the band before
    const char* rating;
};

std::span<const RatingBand> ratingBands();

// The rating text of a score: lower scores are better.
const char* ratingFor(float score);

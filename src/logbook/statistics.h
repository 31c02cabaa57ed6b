// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/search_record.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace logbook {

// What a pilot's record adds up to.
struct Summary {
    int reveals = 0;
    std::optional<SearchRecord> best; // the lowest score, the earliest of equals
    double averageScore = 0;
    double averageMiss = 0;
    double averageDistance = 0;
};

Summary summarize(const std::vector<SearchRecord>& records);

// For each record, the mean score of it and the ones just before it, `window` in all (fewer at
// the start), so that the trend shows through one lucky or unlucky search.
std::vector<double> runningAverage(const std::vector<SearchRecord>& records,
                                   std::size_t window = 5);

} // namespace logbook

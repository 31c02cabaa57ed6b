// SPDX-License-Identifier: MIT
#pragma once

#include "model/search_record.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace logbook {

// What a pilot's record adds up to. A search counts once, by its first Reveal: that is the one
// the pilot is judged on, and revealing again after seeing where the ELT lay proves nothing.
struct Summary {
    int searches = 0;                 // each search once
    int reveals = 0;                  // every Reveal, repeats included
    std::optional<SearchRecord> best; // the lowest first score, the earliest of equals
    double averageScore = 0;
    double averageMiss = 0;
    double averageDistance = 0;
};

// Whether each record, oldest first, is a later Reveal of a search revealed before it. A record
// never written (search 0) is a search of its own.
std::vector<bool> repeats(const std::vector<SearchRecord>& records);

// The first Reveal of every search, oldest first.
std::vector<SearchRecord> firstReveals(const std::vector<SearchRecord>& records);

// The records oldest first.
Summary summarize(const std::vector<SearchRecord>& records);

// For each record, the mean score of it and the ones just before it, `window` in all (fewer at
// the start), so that the trend shows through one lucky or unlucky search.
std::vector<double> runningAverage(const std::vector<SearchRecord>& records,
                                   std::size_t window = 5);

} // namespace logbook

// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

namespace bench {

// The figures a benchmark prints for a set of timings.
struct Summary {
    double median = 0;
    double p99 = 0;
    double min = 0;
    double max = 0;
    double mean = 0;
    std::size_t count = 0;
};

// Nearest-rank percentiles, so every figure is one that was really measured.
Summary summarize(std::vector<double> samples);

} // namespace bench

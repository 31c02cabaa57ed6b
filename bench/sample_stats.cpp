// SPDX-License-Identifier: MIT
#include "sample_stats.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace bench {

namespace {

double percentile(const std::vector<double>& sorted, double p) {
    const auto rank = static_cast<std::size_t>(std::ceil(p / 100 * double(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

} // namespace

Summary summarize(std::vector<double> samples) {
    Summary s;
    if (samples.empty()) return s;
    std::sort(samples.begin(), samples.end());
    s.count = samples.size();
    s.median = percentile(samples, 50);
    s.p99 = percentile(samples, 99);
    s.min = samples.front();
    s.max = samples.back();
    s.mean = std::accumulate(samples.begin(), samples.end(), 0.0) / double(samples.size());
    return s;
}

} // namespace bench

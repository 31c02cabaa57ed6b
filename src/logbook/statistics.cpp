// SPDX-License-Identifier: MIT
#include "statistics.h"

#include <set>

namespace logbook {

std::vector<bool> repeats(const std::vector<SearchRecord>& records) {
    std::vector<bool> repeated;
    repeated.reserve(records.size());
    std::set<std::int64_t> seen;
    for (const auto& r : records)
        repeated.push_back(r.search != 0 && !seen.insert(r.search).second);
    return repeated;
}

std::vector<SearchRecord> firstReveals(const std::vector<SearchRecord>& records) {
    const std::vector<bool> repeated = repeats(records);
    std::vector<SearchRecord> firsts;
    firsts.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        if (!repeated[i]) firsts.push_back(records[i]);
    return firsts;
}

Summary summarize(const std::vector<SearchRecord>& all) {
    Summary s;
    if (all.empty()) return s;
    const std::vector<SearchRecord> records = firstReveals(all);
    double score = 0, miss = 0, distance = 0;
    for (const auto& r : records) {
        score += r.score;
        miss += r.missDistance;
        distance += r.distanceFlown;
        if (!s.best || r.score < s.best->score) s.best = r;
    }
    s.best->track.clear(); // the summary has no use for the path
    const auto n = static_cast<double>(records.size());
    s.searches = static_cast<int>(records.size());
    s.reveals = static_cast<int>(all.size());
    s.averageScore = score / n;
    s.averageMiss = miss / n;
    s.averageDistance = distance / n;
    return s;
}

std::vector<double> runningAverage(const std::vector<SearchRecord>& records, std::size_t window) {
    std::vector<double> averages;
    averages.reserve(records.size());
    double sum = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        sum += records[i].score;
        if (window > 0 && i >= window) sum -= records[i - window].score;
        const std::size_t n = window > 0 ? std::min(i + 1, window) : i + 1;
        averages.push_back(sum / static_cast<double>(n));
    }
    return averages;
}

} // namespace logbook

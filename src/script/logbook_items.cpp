// SPDX-License-Identifier: MIT
#include "logbook_items.h"

#include "logbook/logbook.h"
#include "logbook/statistics.h"
#include "model/format_by_pattern.h"
#include "tokenizer.h"
#include "ui/headless/transcript.h"

#include <functional>
#include <map>

namespace script {

namespace {

using ui::headless::number;
using ui::headless::quoted;
using Field = std::function<std::string(const logbook::SearchRecord&)>;

const std::map<std::string, Field, std::less<>>& fields() {
    static const std::map<std::string, Field, std::less<>> all{
        {"score", [](const auto& r) { return quoted(r.scoreText); }},
        {"rating", [](const auto& r) { return quoted(r.rating); }},
        {"distanceFlown", [](const auto& r) { return number(r.distanceFlown); }},
        {"missDistance", [](const auto& r) { return number(r.missDistance); }},
        {"firstSignalDistance", [](const auto& r) { return number(r.firstSignalDistance); }},
        {"hints", [](const auto& r) { return std::to_string(r.hints); }},
        {"bearingUsed", [](const auto& r) { return std::string(r.bearingUsed ? "-1" : "0"); }},
        {"trackPoints", [](const auto& r) { return std::to_string(r.track.size()); }},
        {"eltX", [](const auto& r) { return std::to_string(r.eltX); }},
        {"eltY", [](const auto& r) { return std::to_string(r.eltY); }},
        {"search", [](const auto& r) { return std::to_string(r.search); }},
        {"minutes", [](const auto& r) { return number(r.minutes); }},
    };
    return all;
}

std::string oneDecimal(double v) {
    return formatByPattern(v, "0.0");
}

using Figure = std::function<std::string(const logbook::Summary&)>;

const std::map<std::string, Figure, std::less<>>& figures() {
    static const std::map<std::string, Figure, std::less<>> all{
        {"searches", [](const auto& s) { return std::to_string(s.searches); }},
        {"reveals", [](const auto& s) { return std::to_string(s.reveals); }},
        {"best", [](const auto& s) { return quoted(s.best ? s.best->scoreText : ""); }},
        {"averageScore", [](const auto& s) { return oneDecimal(s.averageScore); }},
        {"averageMiss", [](const auto& s) { return oneDecimal(s.averageMiss); }},
        {"averageDistance", [](const auto& s) { return oneDecimal(s.averageDistance); }},
    };
    return all;
}

} // namespace

std::string logbookItem(logbook::Logbook* book, const std::vector<std::string>& parts) {
    if (!book) throw ScenarioError("no logbook: name one with logbook \"PATH\" before start");
    if (parts.size() == 2 && parts[1] == "count") return std::to_string(book->countInFile());
    if (parts.size() == 3 && parts[1] == "stats") {
        const auto figure = figures().find(parts[2]);
        if (figure == figures().end()) throw ScenarioError("no logbook figure " + parts[2]);
        return figure->second(logbook::summarize(book->records()));
    }
    if (parts.size() != 3 || parts[1] != "last") throw ScenarioError("no logbook item");
    const auto field = fields().find(parts[2]);
    if (field == fields().end()) throw ScenarioError("no logbook field " + parts[2]);
    const auto records = book->records();
    if (records.empty()) throw ScenarioError("the logbook has no record");
    const auto newest = book->record(records.back().id);
    return field->second(newest ? *newest : records.back());
}

} // namespace script

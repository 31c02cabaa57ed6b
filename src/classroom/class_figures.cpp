// SPDX-License-Identifier: MIT
#include "class_figures.h"

#include "logbook/csv.h"
#include "model/format_by_pattern.h"

#include <array>
#include <cmath>

namespace classroom {

namespace {

// Strong hues first, then darker and lighter ones of other families, none pale enough to fade
// into the white map nor grey enough to pass for the map's own lines.
constexpr std::array<ui::Color, 12> kPalette{{
    {0, 90, 230},   // blue
    {220, 20, 60},  // crimson
    {0, 150, 70},   // green
    {240, 130, 0},  // orange
    {140, 40, 190}, // purple
    {0, 160, 170},  // teal
    {200, 0, 160},  // magenta
    {130, 80, 20},  // brown
    {120, 170, 0},  // olive green
    {90, 90, 255},  // periwinkle
    {170, 0, 0},    // dark red
    {0, 100, 110},  // dark cyan
}};

std::string oneDecimal(double v) {
    return formatByPattern(v, "##0.0");
}

std::string scoreText(const std::string& written) {
    return written.empty() ? "0" : written;
}

// No figure sorts below every figure, so an empty cell stays at one end.
constexpr double kNone = -1;

std::vector<std::string> rosterTexts(const logbook::RosterRow& r) {
    std::vector<std::string> texts;
    // A figure not there yet is an empty cell, as in the Logbook's export.
    for (const auto& cell : rosterCells(r))
        texts.push_back(cell.text == "-" ? "" : cell.text);
    return texts;
}

} // namespace

ui::Color traineeColor(std::size_t i) {
    return kPalette[i % kPalette.size()];
}

std::size_t paletteSize() {
    return kPalette.size();
}

std::string trendText(const logbook::RosterRow& r) {
    if (!r.lastTenAverage || !r.tenBeforeAverage) return "–";
    const double change = *r.tenBeforeAverage - *r.lastTenAverage;
    const std::string amount = oneDecimal(std::fabs(change));
    if (amount == "0.0") return "–";
    return change > 0 ? "▲ " + amount + " better" : "▼ " + amount + " worse";
}

const std::vector<std::string>& rosterColumns() {
    static const std::vector<std::string> columns{
        "Trainee", "Searches", "Reveals", "Best", "Last 10 average", "Trend", "Last search"};
    return columns;
}

std::vector<ui::GridCell> rosterCells(const logbook::RosterRow& r) {
    const double trend =
        r.lastTenAverage && r.tenBeforeAverage ? *r.tenBeforeAverage - *r.lastTenAverage : 0;
    // Dates sort as their text does; the grid's keys are numbers, so the date's digits are one.
    double day = kNone;
    if (r.lastSearchUtc.size() >= 10)
        day = std::atof((r.lastSearchUtc.substr(0, 4) + r.lastSearchUtc.substr(5, 2) +
                         r.lastSearchUtc.substr(8, 2))
                            .c_str());
    return {
        {r.trainee, 0}, // the view sorts a column of names by its text
        {std::to_string(r.searches), double(r.searches)},
        {std::to_string(r.reveals), double(r.reveals)},
        {r.best ? scoreText(r.bestText) : "-", r.best ? double(*r.best) : kNone},
        {r.lastTenAverage ? oneDecimal(*r.lastTenAverage) : "-", r.lastTenAverage.value_or(kNone)},
        {trendText(r), trend},
        {r.lastSearchUtc.substr(0, 10), day},
    };
}

std::string rosterCsv(const std::vector<logbook::RosterRow>& rows) {
    std::string out = logbook::csvRow(rosterColumns());
    for (const auto& r : rows)
        out += logbook::csvRow(rosterTexts(r));
    return out;
}

const std::vector<std::string>& rankingColumns() {
    static const std::vector<std::string> columns{"Rank",   "Trainee",   "Score",
                                                  "Rating", "Miss (nm)", "Flown (nm)"};
    return columns;
}

std::vector<ui::GridCell> rankingCells(const logbook::ExerciseFlight& f) {
    const logbook::SearchRecord& r = f.record;
    return {
        {std::to_string(f.rank), double(f.rank)},
        {f.trainee, 0},
        {scoreText(r.scoreText), r.score},
        {r.rating, r.score},
        {oneDecimal(r.missDistance), r.missDistance},
        {oneDecimal(r.distanceFlown), r.distanceFlown},
    };
}

std::string rankingCsv(const std::vector<logbook::ExerciseFlight>& flights) {
    std::string out = logbook::csvRow(rankingColumns());
    for (const auto& f : flights) {
        std::vector<std::string> texts;
        for (const auto& cell : rankingCells(f))
            texts.push_back(cell.text);
        out += logbook::csvRow(texts);
    }
    return out;
}

} // namespace classroom

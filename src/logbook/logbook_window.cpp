// SPDX-License-Identifier: MIT
#include "logbook_window.h"

#include "logbook/statistics.h"
#include "model/format_by_pattern.h"
#include "model/rating.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

constexpr std::size_t kAverageWindow = 5;

// The colours behind the chart, from the best rating to the worst: strong enough that each
// band reads through its translucency and a legend swatch is plainly coloured.
constexpr std::array<ui::Color, 5> bandColors{{
    {90, 180, 90},
    {90, 150, 220},
    {230, 200, 60},
    {235, 140, 60},
    {215, 80, 80},
}};

// The chart's scale tops out where the worst band has as much room as the one below it: a score
// beyond it is drawn at the top edge, so one wild search never squeezes the bands it lies above.
constexpr double kChartTop = 80;

ui::Button& button(LogbookWindow& w, const char* name, const char* caption, double left) {
    auto& b = w.add<ui::Button>(name);
    b.setCaption(caption);
    b.setGeometry(left, 7860, 1800, 375);
    return b;
}

std::string miles(float v) {
    return formatByPattern(v, "##0.0");
}

// A rating without the stars and dashes around it, short enough for a chart's legend.
std::string plainRating(const std::string& rating) {
    const auto first = rating.find_first_not_of(" *!-");
    const auto last = rating.find_last_not_of(" *!-");
    return first == std::string::npos ? rating : rating.substr(first, last - first + 1);
}

ui::GridCell cell(std::string text, double key) {
    return {std::move(text), key};
}

std::vector<ui::GridCell> rowOf(const logbook::SearchRecord& r, std::size_t order, bool repeat) {
    // A repeat's score is kept, but it is not the one the search is judged on.
    const std::string score =
        (r.scoreText.empty() ? "0" : r.scoreText) + (repeat ? " (repeat)" : "");
    return {
        cell(tableTime(r.timeUtc), double(order)),
        cell(score, r.score),
        cell(r.rating, r.score),
        cell(miles(r.distanceFlown), r.distanceFlown),
        cell(miles(r.missDistance), r.missDistance),
        cell(r.firstSignalDistance > 0 ? miles(r.firstSignalDistance) : "-", r.firstSignalDistance),
        cell(std::to_string(r.hints), r.hints),
        cell(r.bearingUsed ? "Yes" : "No", r.bearingUsed ? 1 : 0),
        cell(formatByPattern(float(r.minutes), "##0"), r.minutes),
    };
}

void fillChart(ui::Chart& chart, const std::vector<logbook::SearchRecord>& searches) {
    chart.yMaximum = kChartTop;
    std::vector<ui::ChartBand> bands;
    double from = 0;
    std::size_t i = 0;
    for (const auto& band : ratingBands()) {
        const double to = std::min<double>(band.below, kChartTop);
        bands.push_back({from, to, bandColors[i++ % bandColors.size()], plainRating(band.rating)});
        from = to;
    }
    ui::ChartSeries scores{"Score", {}, ui::colors::navy, true};
    for (const auto& r : searches)
        scores.values.push_back(r.score);
    std::vector<double> trend = logbook::runningAverage(searches, kAverageWindow);
    ui::ChartSeries average{"Running average of " + std::to_string(kAverageWindow) + " searches",
                            std::move(trend), ui::colors::darkRed, false};
    chart.setData(std::move(bands), {std::move(scores), std::move(average)});
}

void fillFigures(LogbookWindow& w, const std::vector<logbook::SearchRecord>& records) {
    const logbook::Summary s = logbook::summarize(records);
    if (!s.best) {
        w.lblBest->setCaption("No search in the logbook yet: press Reveal at the end of a "
                              "search to write one.");
        w.lblAverages->setCaption("");
        return;
    }
    const std::string best = s.best->scoreText.empty() ? "0" : s.best->scoreText;
    w.lblBest->setCaption("Personal best: " + best + ", " + s.best->rating + ", on " +
                          tableTime(s.best->timeUtc) + " UTC");
    const std::string counted =
        std::to_string(s.searches) + (s.searches == 1 ? " search" : " searches") +
        (s.reveals == s.searches
             ? std::string()
             : " (" + std::to_string(s.reveals) + " reveals; each search counts by its first)");
    w.lblAverages->setCaption(counted + ". Average score " +
                              formatByPattern(float(s.averageScore), "##0.0") + ", miss " +
                              miles(float(s.averageMiss)) + " nm, distance flown " +
                              miles(float(s.averageDistance)) + " nm.");
}

void enableForSelection(LogbookWindow& w) {
    const bool any = w.grdSearches->selectedRow() >= 0;
    w.cmdDebrief->setEnabled(any);
    w.cmdDelete->setEnabled(any);
    w.cmdPublish->setEnabled(any);
}

} // namespace

std::string tableTime(const std::string& utc) {
    if (utc.size() < 16) return utc;
    std::string t = utc.substr(0, 16);
    t[10] = ' ';
    return t;
}

std::optional<logbook::SearchRecord> LogbookWindow::selected() const {
    const int row = grdSearches->selectedRow();
    if (row < 0 || row >= static_cast<int>(shown.size())) return std::nullopt;
    return shown[std::size_t(row)];
}

std::unique_ptr<LogbookWindow> buildLogbookWindow(ui::Runtime& runtime) {
    return buildNamedLogbookWindow(runtime, "logbook");
}

std::unique_ptr<LogbookWindow> buildNamedLogbookWindow(ui::Runtime& runtime, std::string name) {
    auto window = std::make_unique<LogbookWindow>(runtime, std::move(name));
    LogbookWindow& w = *window;
    w.setCaption("Vantrel Logbook");
    w.setClientSize(12000, 8655);

    w.chtScores = &w.add<ui::Chart>("chtScores");
    w.chtScores->setGeometry(120, 120, 11760, 3600);
    w.chtScores->xTitle = "Search";
    w.chtScores->yTitle = "Score";
    w.chtScores->accessibleName = "Scores over the searches";

    w.lblBest = &w.add<ui::Label>("lblBest");
    w.lblBest->setGeometry(120, 3810, 11760, 285);
    w.lblBest->setFont({"Arial", 9.75, true});
    w.lblAverages = &w.add<ui::Label>("lblAverages");
    w.lblAverages->setGeometry(120, 4110, 11760, 285);

    w.grdSearches = &w.add<ui::Grid>("grdSearches");
    w.grdSearches->setGeometry(120, 4470, 11760, 3270);
    w.grdSearches->setColumns({"Time (UTC)", "Score", "Rating", "Flown (nm)", "Miss (nm)",
                               "Heard after (nm)", "Hints", "Bearing", "Minutes"});
    w.grdSearches->accessibleName = "Searches";

    w.cmdDebrief = &button(w, "cmdDebrief", "&Debrief", 120);
    w.cmdExport = &button(w, "cmdExport", "&Export CSV...", 2040);
    w.cmdDelete = &button(w, "cmdDelete", "De&lete...", 3960);
    w.cmdPublish = &button(w, "cmdPublish", "&Publish as exercise...", 5880);
    w.cmdPublish->setWidth(2400);
    w.cmdPublish->setVisible(false);
    w.cmdClose = &button(w, "cmdClose", "&Close", 10080);
    w.lblExported = &w.add<ui::Label>("lblExported");
    w.lblExported->setGeometry(120, 8295, 11760, 285);
    w.lblPublished = &w.add<ui::Label>("lblPublished");
    w.lblPublished->setGeometry(120, 8295, 11760, 285);
    w.lblPublished->setVisible(false);
    w.lblSquadron = &w.add<ui::Label>("lblSquadron");
    w.lblSquadron->setGeometry(120, 8595, 11760, 285);
    w.lblSquadron->setVisible(false);
    w.tmrSquadron = &w.add<ui::Timer>("tmrSquadron");
    w.tmrSquadron->setInterval(0);
    w.grdSearches->keyClicks = {{ui::Key::Enter, w.cmdDebrief}};
    w.tabOrder = {w.grdSearches, w.cmdDebrief, w.cmdExport, w.cmdDelete, w.cmdPublish, w.cmdClose};
    w.cancelControl = w.cmdClose;

    w.grdSearches->onClick = [&w] { enableForSelection(w); };
    w.cmdClose->onClick = [&w] { w.unload(); };
    enableForSelection(w);
    return window;
}

std::string squadronLine(const logbook::SquadronStatus& status) {
    std::string line = "Squadron: " + std::to_string(status.sent) + " sent, " +
                       std::to_string(status.pending) + " waiting";
    switch (status.state) {
    case logbook::SquadronState::Offline:
        line += " (the server cannot be reached)";
        break;
    case logbook::SquadronState::Refused:
        line += " (the server refuses them)";
        break;
    default:
        break;
    }
    line += ".";
    if (!status.problem.empty()) line += " Last problem: " + status.problem;
    return line;
}

void showExported(LogbookWindow& w, const std::string& words) {
    w.lblPublished->setVisible(false);
    w.lblExported->setVisible(true);
    w.lblExported->setCaption(words);
}

void showPublished(LogbookWindow& w, const std::string& words) {
    w.lblExported->setVisible(false);
    w.lblPublished->setVisible(true);
    w.lblPublished->setCaption(words);
}

void showSquadronStatus(LogbookWindow& w, const std::optional<logbook::SquadronStatus>& status) {
    if (status.has_value() != w.lblSquadron->visible()) {
        w.setClientSize(12000, status ? 8955 : 8655);
        w.lblSquadron->setVisible(status.has_value());
    }
    if (status) w.lblSquadron->setCaption(squadronLine(*status));
}

void fillLogbookWindow(LogbookWindow& w, std::vector<logbook::SearchRecord> records) {
    std::vector<std::vector<ui::GridCell>> rows;
    rows.reserve(records.size());
    const std::vector<bool> repeats = logbook::repeats(records);
    for (std::size_t i = 0; i < records.size(); ++i)
        rows.push_back(rowOf(records[i], i, repeats[i]));
    fillChart(*w.chtScores, logbook::firstReveals(records));
    fillFigures(w, records);
    w.shown = std::move(records);
    w.grdSearches->setRows(std::move(rows));
    enableForSelection(w);
}

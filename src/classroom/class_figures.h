// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/squadron_class.h"
#include "ui/color.h"
#include "ui/grid.h"

#include <cstddef>
#include <string>
#include <vector>

// What the Class window writes of the class: the roster's and the ranking's rows, their CSV
// files, and the colour each trainee's track is drawn in.
namespace classroom {

// The colour of the trainee in place `i` of an exercise's ranking. Clearly apart from one
// another and dark enough to read on the white map; after the last they come round again.
ui::Color traineeColor(std::size_t i);
std::size_t paletteSize();

// How the last ten searches' average stands against the ten before: "▲ 12.5 better" when it
// fell (lower scores are better), "▼ 3.0 worse" when it rose, "–" without twenty searches'
// worth of averages or with no change.
std::string trendText(const logbook::RosterRow& row);

const std::vector<std::string>& rosterColumns();
// Name, searches, Reveals, personal best, average of the last ten, trend, last search's date.
std::vector<ui::GridCell> rosterCells(const logbook::RosterRow& row);
std::string rosterCsv(const std::vector<logbook::RosterRow>& rows);

const std::vector<std::string>& rankingColumns();
// Rank, trainee, score as the results box wrote it, rating, miss and flown in miles with one
// decimal: the figures `vantrel-squadron report` prints.
std::vector<ui::GridCell> rankingCells(const logbook::ExerciseFlight& flight);
std::string rankingCsv(const std::vector<logbook::ExerciseFlight>& flights);

} // namespace classroom

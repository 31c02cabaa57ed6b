// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/squadron_status.h"
#include "model/search_record.h"
#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/grid.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The pilot's logbook: a chart of the scores over the searches in front of the rating bands,
// the personal best and the averages, and a table of every Reveal.
struct LogbookWindow : ui::Form {
    explicit LogbookWindow(ui::Runtime& runtime, std::string name = "logbook")
        : Form(runtime, std::move(name), ui::WindowStyle::Companion) {}

    ui::Chart* chtScores{};
    ui::Label* lblBest{};
    ui::Label* lblAverages{};
    ui::Grid* grdSearches{};
    ui::Button* cmdDebrief{};
    ui::Button* cmdExport{};
    ui::Button* cmdDelete{};
    ui::Button* cmdPublish{}; // shown to the squadron's instructors alone
    ui::Button* cmdClose{};
    ui::Label* lblExported{};  // what the last export wrote, and where
    ui::Label* lblPublished{}; // in the same place: how publishing an exercise went
    ui::Label* lblSquadron{};  // how the records are getting to the squadron, when in one
    ui::Timer* tmrSquadron{};  // keeps that line up to date while the window is open

    // The folder the last export of this run went to; empty before the first.
    std::string lastExportFolder;
    // The records shown, in the order of the table's rows.
    std::vector<logbook::SearchRecord> shown;
    // The record of the selected row, if a row is selected.
    std::optional<logbook::SearchRecord> selected() const;
};

// A record's time as the table shows it: "2026-12-07T14:03:59Z" as "2026-12-07 14:03".
std::string tableTime(const std::string& utc);

// Builds the window; the caller connects the Debrief, Export, Delete and Publish buttons.
std::unique_ptr<LogbookWindow> buildLogbookWindow(ui::Runtime& runtime);
// The same under another name, for a logbook other than the player's own.
std::unique_ptr<LogbookWindow> buildNamedLogbookWindow(ui::Runtime& runtime, std::string name);

// The line that says how the records are getting to the squadron: a window in none (nothing)
// keeps its usual size and shows no line; one in a squadron grows by the line.
void showSquadronStatus(LogbookWindow& w, const std::optional<logbook::SquadronStatus>& status);
std::string squadronLine(const logbook::SquadronStatus& status);

// Says how the last export or publishing went, in the line below the buttons; the other's word
// is cleared.
void showExported(LogbookWindow& w, const std::string& words);
void showPublished(LogbookWindow& w, const std::string& words);

// Shows these records, oldest first, in the chart, the table and the figures.
void fillLogbookWindow(LogbookWindow& w, std::vector<logbook::SearchRecord> records);

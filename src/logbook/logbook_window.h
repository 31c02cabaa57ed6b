// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/search_record.h"
#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/grid.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// The pilot's logbook: a chart of the scores over the searches in front of the rating bands,
// the personal best and the averages, and a table of every Reveal.
struct LogbookWindow : ui::Form {
    explicit LogbookWindow(ui::Runtime& runtime)
        : Form(runtime, "logbook", ui::WindowStyle::Companion) {}

    ui::Chart* chtScores{};
    ui::Label* lblBest{};
    ui::Label* lblAverages{};
    ui::Grid* grdSearches{};
    ui::Button* cmdDebrief{};
    ui::Button* cmdExport{};
    ui::Button* cmdDelete{};
    ui::Button* cmdClose{};

    // The records shown, in the order of the table's rows.
    std::vector<logbook::SearchRecord> shown;
    // The record of the selected row, if a row is selected.
    std::optional<logbook::SearchRecord> selected() const;
};

// Builds the window; the caller connects the Debrief, Export and Delete buttons.
std::unique_ptr<LogbookWindow> buildLogbookWindow(ui::Runtime& runtime);

// Shows these records, oldest first, in the chart, the table and the figures.
void fillLogbookWindow(LogbookWindow& w, std::vector<logbook::SearchRecord> records);

// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/squadron_class.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/grid.h"

#include <functional>
#include <memory>
#include <vector>

// Where a trainee picks one of the exercises the squadron's instructors published. Where the
// ELT lies is never shown: it would give the search away.
struct ExercisesDialog : ui::Form {
    explicit ExercisesDialog(ui::Runtime& runtime)
        : Form(runtime, "exercises", ui::WindowStyle::Dialog) {}

    ui::Label* lblIntro{};
    ui::Grid* grdExercises{};
    ui::Label* lblStatus{};
    ui::Button* cmdFly{};
    ui::Button* cmdCancel{};

    // The exercises listed, in the order of the table's rows.
    std::vector<logbook::Exercise> shown;
    // Gone with the window: an answer arriving later finds it expired and is dropped.
    std::shared_ptr<int> alive = std::make_shared<int>(0);
};

std::unique_ptr<ExercisesDialog> buildExercisesDialog(ui::Runtime& runtime);

// Reads the exercises from `squadronClass` (nullptr outside a squadron: the dialog says how to
// join one) and hands the one the player chooses to `fly`, closing the dialog.
void connectExercisesDialog(ExercisesDialog& d, logbook::SquadronClass* squadronClass,
                            std::function<void(const logbook::Exercise&)> fly);

// SPDX-License-Identifier: MIT
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

#include <memory>

class Game;

// A small window beside the main window offering the demonstration of the coaching notes, the
// instructions, and Cancel.
struct SearchHelpDialog : ui::Form {
    explicit SearchHelpDialog(ui::Runtime& runtime)
        : Form(runtime, "helpDialog", ui::WindowStyle::Dialog) {}

    ui::Button* cmdDemo{};
    ui::Button* cmdHelpFile{};
    ui::Button* cmdCancel{};
};

std::unique_ptr<SearchHelpDialog> buildSearchHelpDialog(Game& game, ui::Runtime& runtime);

// Places the dialog 600 twips right of and below the main window's corner and makes its buttons
// visible again (the demonstration hides them).
void prepareSearchHelp(Game& game);

// Help, Search Help: the panel is put away and the prepared dialog is shown.
void showSearchHelp(Game& game);

// Demo: shows the first coaching notes one after another, ending beside the DF unit.
void runDemonstration(Game& game);

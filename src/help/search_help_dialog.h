// SPDX-License-Identifier: MIT
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

#include <functional>
#include <memory>

// A small window beside the main window offering the demonstration of the coaching notes, the
// instructions, and Cancel.
struct SearchHelpDialog : ui::Form {
    explicit SearchHelpDialog(ui::Runtime& runtime)
        : Form(runtime, "helpDialog", ui::WindowStyle::Dialog) {}

    ui::Button* cmdDemo{};
    ui::Button* cmdHelpFile{};
    ui::Button* cmdCancel{};
};

// What the dialog's buttons ask of the program around it.
struct SearchHelpCalls {
    std::function<void()> demonstrate;
    std::function<void()> openInstructions; // the dialog has hidden itself first
    std::function<void()> closed;
};

std::unique_ptr<SearchHelpDialog> buildSearchHelpDialog(ui::Runtime& runtime,
                                                        SearchHelpCalls calls);

// Places the dialog 600 twips right of and below the corner of `owner` and makes its buttons
// visible again (the demonstration hides them).
void prepareSearchHelp(SearchHelpDialog& dialog, const ui::Form& owner);

// Hides the dialog and its buttons while the demonstration runs.
void putAwayForDemonstration(SearchHelpDialog& dialog);

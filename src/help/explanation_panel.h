// SPDX-License-Identifier: MIT
#pragma once

#include "ui/form.h"

#include <functional>
#include <memory>
#include <string_view>

// The pale-yellow note that coaches the player beside the instrument it speaks of. It is a
// drawing surface: the note is printed on it and stays until it is cleared, also while hidden.
struct ExplanationPanel : ui::Form {
    explicit ExplanationPanel(ui::Runtime& runtime);
};

// Builds the panel; a click on it closes it, and `closed` runs.
std::unique_ptr<ExplanationPanel> buildExplanationPanel(ui::Runtime& runtime,
                                                        std::function<void()> closed);

// Which side of the note the horizontal place gives.
enum class NoteEdge { Left, Right };

// Shows a note of one or more lines (separated by a line feed, or a carriage return and a line
// feed), sized to its text with a tenth to spare and placed by its top and by its left or right
// edge, in screen twips. A note shown over another replaces it.
void showExplanation(ExplanationPanel& panel, std::string_view text, double top, NoteEdge edge,
                     double x);

// Puts the panel away; its note stays printed on it.
void hideExplanation(ExplanationPanel& panel);

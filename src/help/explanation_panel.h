#pragma once

#include "ui/form.h"

#include <memory>
#include <string>

class Game;

// The pale-yellow note that coaches the player beside the instrument it speaks of. It is a
// drawing surface: the note is printed on it and stays until it is cleared.
struct ExplanationPanel : ui::Form {
    explicit ExplanationPanel(ui::Runtime& runtime);
};

std::unique_ptr<ExplanationPanel> buildExplanationPanel(ui::Runtime& runtime);

// Puts the panel away; its note stays printed on it. A panel that does not exist yet is created
// hidden.
void hideExplanation(Game& game);

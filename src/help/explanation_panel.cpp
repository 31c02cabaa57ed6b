#include "explanation_panel.h"

#include "game/game.h"

ExplanationPanel::ExplanationPanel(ui::Runtime& runtime)
    : Form(runtime, "panel", ui::WindowStyle::Note) {
    backColor = ui::colors::paleYellow;
    font = ui::Font{"Arial", 9, false, false};
    setClientSize(4035, 2625);
}

std::unique_ptr<ExplanationPanel> buildExplanationPanel(ui::Runtime& runtime) {
    return std::make_unique<ExplanationPanel>(runtime);
}

void hideExplanation(Game& game) {
    game.panel->hide();
}

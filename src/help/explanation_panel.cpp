// SPDX-License-Identifier: MIT
#include "explanation_panel.h"

ExplanationPanel::ExplanationPanel(ui::Runtime& runtime)
    : Form(runtime, "panel", ui::WindowStyle::Note) {
    backColor = ui::colors::paleYellow;
    font = ui::Font{"Arial", 9, false, false};
    accessibleName = "Coaching note";
    setClientSize(4035, 2625);
}

std::unique_ptr<ExplanationPanel> buildExplanationPanel(ui::Runtime& runtime,
                                                        std::function<void()> closed) {
    auto panel = std::make_unique<ExplanationPanel>(runtime);
    ExplanationPanel& p = *panel;
    p.onClick = [&p] { p.unload(); };
    p.onUnload = std::move(closed);
    return panel;
}

void showExplanation(ExplanationPanel& panel, std::string_view text, double top, NoteEdge edge,
                     double x) {
    panel.cls();
    panel.setTop(top);
    panel.setWidth(1.1 * panel.textWidth(text));
    panel.setHeight(1.1 * panel.textHeight(text));
    panel.setLeft(edge == NoteEdge::Left ? x : x - panel.width());
    panel.print(text);
    panel.show();
}

void hideExplanation(ExplanationPanel& panel) {
    panel.hide();
}

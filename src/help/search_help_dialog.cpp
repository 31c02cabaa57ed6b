// SPDX-License-Identifier: MIT
#include "search_help_dialog.h"

#include "game/flight_timer.h"
#include "game/game.h"
#include "help/context_ids.h"
#include "help/explanation_panel.h"

std::unique_ptr<SearchHelpDialog> buildSearchHelpDialog(Game& game, ui::Runtime& runtime) {
    auto dialog = std::make_unique<SearchHelpDialog>(runtime);
    SearchHelpDialog& d = *dialog;
    d.setCaption("Vantrel Help");
    d.backColor = ui::Color{255, 255, 192};
    d.setClientSize(3885, 600);
    auto button = [&d](const char* name, const char* caption, double left) {
        auto& b = d.add<ui::Button>(name);
        b.setCaption(caption);
        b.setGeometry(left, 24, 1245, 525);
        return &b;
    };
    d.cmdDemo = button("cmdDemo", "Demo", 24);
    d.cmdHelpFile = button("cmdHelpFile", "Instructions", 1296);
    d.cmdCancel = button("cmdCancel", "Cancel", 2592);
    d.tabOrder = {d.cmdDemo, d.cmdHelpFile, d.cmdCancel};
    d.cancelControl = d.cmdCancel;

    d.cmdDemo->onClick = [&game] { runDemonstration(game); };
    d.cmdHelpFile->onClick = [&game, &d] {
        d.hide();
        openHelpContents(game);
    };
    d.cmdCancel->onClick = [&d] { d.unload(); };
    d.onUnload = [&game] { game.bringMainWindowForward(); };
    return dialog;
}

void prepareSearchHelp(Game& game) {
    SearchHelpDialog& d = *game.helpDialog;
    MainWindow& w = *game.main;
    d.setLeft(w.left() + 600);
    d.setTop(w.top() + 600);
    for (auto* b : {d.cmdDemo, d.cmdHelpFile, d.cmdCancel})
        b->setVisible(true);
}

void showSearchHelp(Game& game) {
    hideExplanation(game);
    prepareSearchHelp(game);
    game.helpDialog->show();
    game.helpDialog->bringToFront();
}

void runDemonstration(Game& game) {
    SearchHelpDialog& d = *game.helpDialog;
    d.hide();
    for (auto* b : {d.cmdDemo, d.cmdHelpFile, d.cmdCancel})
        b->setVisible(false);
    showArrowsPrompt(game);
    showSearchPrompt(game);
    showTurningPrompt(game, " Turn the aircraft");
}

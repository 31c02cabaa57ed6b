// SPDX-License-Identifier: MIT
#include "help_menu.h"

#include "game/flight_timer.h"
#include "game/game.h"
#include "help/about_window.h"
#include "help/context_ids.h"
#include "help/search_help_dialog.h"

void showExplanation(Game& game, std::string_view text, double top, NoteEdge edge, double x) {
    showExplanation(*game.panel, text, top, edge, x);
}

void hideExplanation(Game& game) {
    hideExplanation(*game.panel);
}

void helpCommand(Game& game) {
    hideExplanation(game);
    prepareSearchHelp(*game.helpDialog, *game.main);
    openHelpContents(game.helpFile);
}

void showSearchHelp(Game& game) {
    hideExplanation(game);
    prepareSearchHelp(*game.helpDialog, *game.main);
    game.helpDialog->show();
    game.helpDialog->bringToFront();
}

void runDemonstration(Game& game) {
    putAwayForDemonstration(*game.helpDialog);
    showArrowsPrompt(game);
    showSearchPrompt(game);
    showTurningPrompt(game, " Turn the aircraft");
}

void showAbout(Game& game) {
    AboutWindow& a = *game.about;
    a.show();
    a.bringToFront();
}

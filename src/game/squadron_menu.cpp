// SPDX-License-Identifier: MIT
#include "squadron_menu.h"

#include "game/game.h"

void connectSquadronMenu(Game& game, MainWindow& w) {
    w.findMenuItem("mnuSquadron")->onClick = [&game] { showSquadron(game); };
    w.setMenuEnabled("mnuSquadron", game.squadron != nullptr);
}

void showSquadron(Game& game) {
    if (!game.squadron) return;
    const bool opening = !game.squadronDialog.existing() || !game.squadronDialog->visible();
    SquadronDialog& d = *game.squadronDialog;
    if (opening) {
        // Fresh from what the membership remembers: a Cancel earlier left nothing behind.
        connectSquadronDialog(d, *game.squadron);
        const MainWindow& owner = *game.main;
        d.setLeft(owner.left() + 600);
        d.setTop(owner.top() + 600);
    }
    d.show();
    d.bringToFront();
}

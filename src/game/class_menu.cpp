// SPDX-License-Identifier: MIT
#include "class_menu.h"

#include "game/game.h"

namespace {

logbook::SquadronClass* squadronClass(Game& game) {
    return game.squadron ? game.squadron->squadronClass() : nullptr;
}

} // namespace

ui::MenuItem classMenuItem() {
    ui::MenuItem item = ui::menuCommand("mnuClass", "&Class...");
    item.visible = false;
    return item;
}

void connectClassMenu(Game& game, MainWindow& w) {
    w.findMenuItem("mnuClass")->onClick = [&game] { showClass(game); };
}

void showClass(Game& game) {
    if (!squadronClass(game)) return;
    ClassWindow& w = *game.classWindow;
    if (!w.visible()) {
        const MainWindow& owner = *game.main;
        w.setLeft(owner.left() + 300);
        w.setTop(owner.top() + 300);
    }
    openClass(w, [&game] { return squadronClass(game); });
}

void followSquadron(Game& game) {
    ClassWindow* w = game.classWindow.existing();
    if (!w || !w->visible()) return;
    // Read afresh from the squadron joined now; outside one there is no class to show.
    if (squadronClass(game))
        showClass(game);
    else
        w->unload();
}

#include "main_window_events.h"

#include "game/game.h"
#include "game/startup.h"

void connectMainWindow(Game& game, MainWindow& w) {
    auto exit = [&game] { exitProgram(game); };
    w.cmdExit->onClick = exit;
    w.findMenuItem("mnuExit")->onClick = exit;
    w.onCloseRequest = [&game] { shutDown(game); };
    w.Timer1->setEnabled(true);
}

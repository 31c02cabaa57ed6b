// SPDX-License-Identifier: MIT
#include "main_window_events.h"

#include "game/audio_menu.h"
#include "game/class_menu.h"
#include "game/exercises_menu.h"
#include "game/flight_timer.h"
#include "game/flying.h"
#include "game/game.h"
#include "game/help_menu.h"
#include "game/hints.h"
#include "game/logbook_keeping.h"
#include "game/main_instruments.h"
#include "game/new_search.h"
#include "game/results.h"
#include "game/squadron_menu.h"
#include "game/startup.h"
#include "game/view_menu.h"
#include "help/context_ids.h"

#include <functional>

void connectMainWindow(Game& game, MainWindow& w) {
    auto on = [&game](void (*operation)(Game&)) { return [&game, operation] { operation(game); }; };
    // A menu item runs its button's click handler, whatever the button's state.
    auto both = [&w](ui::Button* button, const char* menuItem, std::function<void()> handler) {
        button->onClick = handler;
        w.findMenuItem(menuItem)->onClick = std::move(handler);
    };
    both(w.cmdStart, "mnuNewGame", on(newSearch));
    both(w.cmdHint, "mnuHint", on(giveHint));
    both(w.cmdReveal, "mnuReveal", on(revealClicked));
    both(w.cmdExit, "mnuExit", on(exitProgram));
    both(w.cmdHelp, "mnuContents", on(helpCommand));
    w.findMenuItem("mnuSearchHelp")->onClick = on(showSearchHelp);
    w.findMenuItem("mnuAbout")->onClick = on(showAbout);
    w.findMenuItem("mnuLogbook")->onClick = on(showLogbook);
    w.findMenuItem("mnuDebrief")->onClick = on(debriefLastSearch);
    connectViewMenu(game, w);
    connectAudioMenu(game, w);
    connectSquadronMenu(game, w);
    connectExercisesMenu(game, w);
    connectClassMenu(game, w);

    w.cmdUp->onClick = on(stepAircraft);
    w.cmdLeft->onClick = on(turnLeftAndStep);
    w.cmdRight->onClick = on(turnRightAndStep);
    for (auto* option : w.optSpeed)
        option->onClick = on(speedClicked);
    for (auto* option : w.optDFMode)
        option->onClick = on(dfModeClicked);
    w.chkBearing->onClick = on(showBearingClicked);
    w.Pic1->onClick = on(hideExplanation);

    w.onCloseRequest = on(shutDown);
    w.Timer1->onTick = on(flightTimerTick);
    w.Timer1->setEnabled(true);
    game.runtime.onContextHelp = [&game](std::int32_t topic) {
        openHelpTopic(game.helpFile, topic);
    };
}

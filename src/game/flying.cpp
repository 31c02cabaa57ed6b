// SPDX-License-Identifier: MIT
#include "flying.h"

#include "game/game.h"
#include "game/help_menu.h"
#include "game/main_instruments.h"
#include "model/aircraft_movement.h"
#include "model/format_by_pattern.h"

void stepAircraft(Game& game) {
    hideExplanation(game);
    moveOneStep(game.search);
    game.main->lblACdist->setCaption(formatByPattern(game.search.distanceFlown, "###.#"));
    refreshAircraftSymbol(game);
    refreshVorDme(game);
    refreshDfUnit(game);
    game.flight.step(game.search);
    if (game.signalHeard) game.flight.heard(game.search);
}

void turnLeftAndStep(Game& game) {
    game.search.heading = turnedLeft(game.search.heading);
    stepAircraft(game);
}

void turnRightAndStep(Game& game) {
    game.search.heading = turnedRight(game.search.heading);
    stepAircraft(game);
}

void speedClicked(Game& game) {
    hideExplanation(game);
    MainWindow& w = *game.main;
    if (w.optSpeed[0]->value()) game.search.speedStep = 4;
    if (w.optSpeed[1]->value()) game.search.speedStep = 1;
}

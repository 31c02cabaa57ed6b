// SPDX-License-Identifier: MIT
#include "new_search.h"

#include "game/game.h"
#include "game/help_menu.h"
#include "game/main_instruments.h"
#include "game/main_map_sheet.h"
#include "map/map_drawing.h"
#include "ui/numbers.h"

#include <utility>

namespace {

// A coordinate `margin` of the map's extent in from its edges; r is uniform in [0, 1).
std::int16_t placed(double extent, double spread, double margin, float r) {
    return ui::toInt16(extent * spread * r + extent * margin);
}

} // namespace

std::string placeFeatures(Game& game) {
    MainWindow& w = *game.main;
    SearchState& s = game.search;
    ui::Runtime& rt = game.runtime;
    w.imgAC->setVisible(false);
    w.imgELT->setVisible(false);
    w.imgAirport->setVisible(true);
    w.imgVOR->setVisible(true);
    if (game.nextExercise) {
        // Flown once: the New Search after it is a random one again.
        const logbook::Exercise e = *std::exchange(game.nextExercise, std::nullopt);
        s.eltX = e.eltX;
        s.eltY = e.eltY;
        s.vorX = e.vorX;
        s.vorY = e.vorY;
        s.airportX = e.airportX;
        s.airportY = e.airportY;
        s.aircraftX = s.airportX;
        s.aircraftY = s.airportY;
        return e.name;
    }
    rt.randomize();
    const double width = w.Pic1->scaleWidth();
    const double height = w.Pic1->scaleHeight();
    s.eltX = placed(width, 0.9, 0.05, rt.rnd());
    s.eltY = placed(height, 0.9, 0.05, rt.rnd());
    s.vorX = placed(width, 0.8, 0.1, rt.rnd());
    s.vorY = placed(height, 0.8, 0.1, rt.rnd());
    s.airportX = placed(width, 0.8, 0.1, rt.rnd());
    s.airportY = placed(height, 0.8, 0.1, rt.rnd());
    s.aircraftX = s.airportX;
    s.aircraftY = s.airportY;
    return {};
}

void newSearch(Game& game) {
    MainWindow& w = *game.main;
    SearchState& s = game.search;
    w.cmdStart->setTag("N"); // the flight timer starts its coaching afresh at its next tick
    hideExplanation(game);
    const std::string exercise = placeFeatures(game);
    // The caption tells which exercise is flown, so that a trainee does not mistake it for a
    // random search.
    const std::string caption =
        exercise.empty() ? "Vantrel" : "Vantrel \u2013 Exercise: " + exercise;
    if (w.caption() != caption) w.setCaption(caption);
    w.chkBearing->setValue(0); // raises its click, which hides a shown bearing readout
    s.bearingShown = 0;
    s.distanceFlown = 0;
    s.firstSignalDistance = 0;
    w.lblACdist->setCaption("0");
    s.heading = 0;
    w.optSpeed[0]->setValue(true); // raises its click when "Search" was selected
    s.speedStep = 4;
    s.hintCount = 0;
    w.Signal1->setFillColor(ui::colors::black);
    w.Pic1->cls();
    drawMap(mainMapSheet(w), mapFeaturesOf(s));
    refreshAircraftSymbol(game);
    refreshDfUnit(game);
    refreshVorDme(game);
    w.cmdReveal->setEnabled(true);
    for (auto* frame : {w.frmControls, w.frmDF, w.frmVOR})
        frame->setVisible(true);
    game.flight.begin(s, game.runtime.clock(), exercise);
    if (game.signalHeard) game.flight.heard(s);
}

// SPDX-License-Identifier: MIT
#include "main_instruments.h"

#include "game/game.h"
#include "game/help_menu.h"
#include "instruments/aircraft_symbol.h"
#include "instruments/df_unit.h"
#include "instruments/vor_dme.h"

void refreshAircraftSymbol(Game& game) {
    MainWindow& w = *game.main;
    refreshAircraftSymbol({*w.imgAC, w.clpAC, *w.lblHeading}, game.search);
}

void refreshVorDme(Game& game) {
    refreshVorDme(*game.main->lblVOR, *game.main->lblDME, game.search);
}

void refreshDfUnit(Game& game) {
    MainWindow& w = *game.main;
    const DfPanel panel{*w.PicDf,      *w.LineDF,     *w.optDFMode[0], *w.Signal1,
                        *w.chkBearing, *w.lblBearing, *w.lblDFdist};
    const Reception r = refreshDfUnit(panel, game.search, game.signalHeard);
    soundReceiver(*w.MMctrl, game.runtime.appPath(), game.receiverAudio, r.strength, r.isNew);
}

void dfModeClicked(Game& game) {
    hideExplanation(game);
    refreshDfUnit(game);
}

void showBearingClicked(Game& game) {
    hideExplanation(game);
    MainWindow& w = *game.main;
    SearchState& s = game.search;
    if (s.bearingShown) {
        for (auto* label : {w.lblBearing, w.lblDFdist, w.lblDunits})
            label->setVisible(false);
        s.bearingShown = 0;
        w.lblBearing->setCaption("");
    } else {
        for (auto* label : {w.lblBearing, w.lblDFdist, w.lblDunits})
            label->setVisible(true);
        s.bearingShown = -1;
        game.flight.bearingShown();
        refreshDfUnit(game);
    }
}

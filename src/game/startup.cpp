// SPDX-License-Identifier: MIT
#include "startup.h"

#include "game/audio_menu.h"
#include "game/game.h"
#include "game/logbook_keeping.h"
#include "game/new_search.h"
#include "help/context_ids.h"
#include "instruments/aircraft_symbol.h"
#include "logbook/csv.h"

#include <thread>

void startUp(Game& game) {
    MainWindow& w = game.main.get();
    SearchState& s = game.search;

    locateHelpFile(game.helpFile, w.handle());
    // What an export killed while writing left in the folder it wrote to goes now, on a thread
    // of its own: that folder may be on a network or a drive that no longer answers.
    ui::Host& host = game.runtime.host();
    if (const auto exported = host.setting(logbook::kExportFolderSetting))
        std::thread(logbook::removeLeftoverTemporaries, *exported, host.utcSeconds()).detach();
    if (game.logbook)
        game.logbook->diagnose = [&host](const std::string& line) {
            host.diagnostic("logbook", line);
        };

    s.compassPointNames[1] = "northeast";
    s.compassPointNames[2] = "southeast";
    s.compassPointNames[3] = "southwest";
    s.compassPointNames[4] = "northwest";

    w.Pic1->setScaleWidth(200);
    w.Pic1->setScaleHeight(200);
    s.mapScale = 4;

    // The map symbols take the size of one sprite cell, counted in map units.
    w.imgAC->setHeight(w.clpAC.cellHeight());
    w.imgAC->setWidth(w.clpAC.cellWidth());
    w.imgAirport->setHeight(w.clpAirport.cellHeight());
    w.imgAirport->setWidth(w.clpAirport.cellWidth());

    w.lblHeading->setTop(w.picCompass->scaleTop());
    drawCompassFace(*w.picCompass);

    newSearch(game);
}

void shutDown(Game& game) {
    silenceReceiver(game);
    keepHeldRecords(game);
    closeHelp(game.helpFile);
    game.runtime.end();
}

void exitProgram(Game& game) {
    silenceReceiver(game);
    keepHeldRecords(game);
    game.runtime.end();
}

// SPDX-License-Identifier: MIT
#include "vor_dme.h"

#include "game/game.h"
#include "model/format_by_pattern.h"
#include "model/navigation.h"

void refreshVorDme(Game& game) {
    const SearchState& s = game.search;
    MainWindow& w = *game.main;
    const auto fromVor = distanceAndBearing(s.vorX, s.vorY, s.aircraftX, s.aircraftY, s.mapScale);
    w.lblDME->setCaption(formatByPattern(fromVor.distance, "###0.0"));
    w.lblVOR->setCaption(formatByPattern(fromVor.bearing, "000"));
}

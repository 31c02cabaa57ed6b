// SPDX-License-Identifier: MIT
#include "aircraft_symbol.h"

#include "game/game.h"
#include "ui/numbers.h"

#include <string>

void refreshAircraftSymbol(Game& game) {
    const SearchState& s = game.search;
    MainWindow& w = *game.main;
    // One cell per 45 degrees from north; 360 is north again.
    w.imgAC->setPicture(w.clpAC.cell((s.heading / 45) % 8));
    w.imgAC->setLeft(s.aircraftX - w.imgAC->width() / 2);
    w.imgAC->setTop(s.aircraftY - w.imgAC->height() / 2);
    w.imgAC->setVisible(true);
    w.lblHeading->setCaption(std::to_string(s.heading));
}

void drawCompassFace(Game& game) {
    ui::PictureBox& face = *game.main->picCompass;
    const double s = face.scaleHeight();
    const double w = ui::roundHalfEven(face.scaleWidth() - 40);
    for (double x : {w / 8, 3 * w / 8, 5 * w / 8, 7 * w / 8})
        face.line(x, s, x, 3 * s / 4, ui::colors::white);
    for (double x : {1.0, w / 4, w / 2, 3 * w / 4, w - 1})
        face.line(x, s, x, s / 2, ui::colors::white);
}

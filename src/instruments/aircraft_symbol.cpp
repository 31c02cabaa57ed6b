// SPDX-License-Identifier: MIT
#include "aircraft_symbol.h"

#include "ui/numbers.h"

#include <string>

void refreshAircraftSymbol(const AircraftPanel& p, const SearchState& s) {
    // One cell per 45 degrees from north; 360 is north again.
    p.symbol.setPicture(p.cells.cell((s.heading / 45) % 8));
    p.symbol.setLeft(s.aircraftX - p.symbol.width() / 2);
    p.symbol.setTop(s.aircraftY - p.symbol.height() / 2);
    p.symbol.setVisible(true);
    p.heading.setCaption(std::to_string(s.heading));
}

void drawCompassFace(ui::PictureBox& face) {
    const double s = face.scaleHeight();
    const double w = ui::roundHalfEven(face.scaleWidth() - 40);
    for (double x : {w / 8, 3 * w / 8, 5 * w / 8, 7 * w / 8})
        face.line(x, s, x, 3 * s / 4, ui::colors::white);
    for (double x : {1.0, w / 4, w / 2, 3 * w / 4, w - 1})
        face.line(x, s, x, s / 2, ui::colors::white);
}

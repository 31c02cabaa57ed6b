// SPDX-License-Identifier: MIT
#pragma once

#include "game/main_window.h"
#include "map/map_sheet.h"

// The main window's map and the controls on it, for the map drawing.
inline MapSheet mainMapSheet(MainWindow& w) {
    return {*w.Pic1, *w.LineDS, *w.lblDS1, *w.imgAirport, *w.imgVOR, *w.imgELT, w.clpAirport};
}

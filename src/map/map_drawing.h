// SPDX-License-Identifier: MIT
#pragma once

#include "map/map_sheet.h"

#include <cstdint>

// Draws the fixed features of a search on the freshly cleared map: the distance scale, the
// airport and the VOR inside its 10-mile compass rose.
void drawMap(const MapSheet& sheet, const MapFeatures& features);

// The scale bar at the bottom left, a fifth of the map wide in whole miles, with its legend.
void drawScaleBar(const MapSheet& sheet, std::int16_t mapScale);

// Paints one cell of the airport strip centred on the airport; it becomes part of the map.
void drawAirport(const MapSheet& sheet, const MapFeatures& features, std::int16_t cell);

// The VOR symbol, and around it a navy circle of 10 miles with a tick every 30 degrees and the
// labels 0, 090, 180 and 270 just outside.
void drawVorRose(const MapSheet& sheet, const MapFeatures& features);

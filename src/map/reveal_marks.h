// SPDX-License-Identifier: MIT
#pragma once

#include "map/map_sheet.h"

// Marks the ELT on the map with a black cross and ring, and shows its picture a little way off
// towards the middle of the map so that it does not hide the mark.
void drawRevealMarks(const MapSheet& sheet, const MapFeatures& features);
